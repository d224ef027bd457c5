# The distribution's hardening, as dpkg-buildflags gives it to a Debian
# package built with hardening=+all: the stack protector, format strings
# checked, libc calls fortified where the compiler optimises, relocations
# read-only and bound at start, a position-independent executable. Every build
# gets it, so the tests run the code the package ships; the sanitizer build
# keeps its own instrumentation alone.
if(TELMORA_SANITIZE)
  return()
endif()
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# _FORTIFY_SOURCE needs the optimiser; a compiler that defines it already
# (some distributions' do) would warn about a second definition.
add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro -Wl,-z,now)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
