# The Debian package, made with `cpack -G DEB` in the build folder: the
# program under /usr/lib/telmoracomissao2 with its own file name, the wrapper
# /usr/bin/telmoraComissao2 that runs the program of a given installation,
# the man page and the systemd units (sources in pacote/). Install rules and
# CPack settings only: the program builds as it does without them.
set(TELMORA_PACOTE telmoracomissao2)
set(TELMORA_PACOTE_VERSAO "${PROJECT_VERSION}" CACHE STRING "Version of the Debian package")
set(TELMORA_PACOTE_FONTES ${PROJECT_SOURCE_DIR}/pacote)

install(TARGETS telmoraComissao2 RUNTIME DESTINATION lib/${TELMORA_PACOTE})
install(PROGRAMS ${TELMORA_PACOTE_FONTES}/telmoraComissao2 DESTINATION bin)
install(FILES
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2@.service
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2-manual@.service
  ${TELMORA_PACOTE_FONTES}/telmoraComissao2-manual@.timer
  DESTINATION lib/systemd/system)

# Man pages are installed compressed; -n leaves the time out of the file, so
# the same page always gives the same bytes. The page shows the project's
# version.
configure_file(${TELMORA_PACOTE_FONTES}/telmoraComissao2.1 ${CMAKE_BINARY_DIR}/telmoraComissao2.1 @ONLY)
install(CODE "set(pagina_manual \"${CMAKE_BINARY_DIR}/telmoraComissao2.1\")")
install(CODE [[
  set(pasta_manual "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/man/man1")
  file(MAKE_DIRECTORY "${pasta_manual}")
  execute_process(COMMAND gzip -9 -n -c "${pagina_manual}"
                  OUTPUT_FILE "${pasta_manual}/telmoraComissao2.1.gz"
                  COMMAND_ERROR_IS_FATAL ANY)
]])

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TELMORA_PACOTE})
set(CPACK_PACKAGE_VERSION ${TELMORA_PACOTE_VERSAO})
set(CPACK_PACKAGE_VENDOR "telmora")
set(CPACK_PACKAGE_CONTACT "telmora <suporte@telmora.com.br>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Monitor de comissões do ERP telmora")
set(CPACK_PACKAGE_DESCRIPTION
    "Mantém em dia as comissões de vendedores do banco Firebird do ERP: um monitor residente por instalação, ou uma rodada manual por dia. Traz as unidades do systemd telmoraComissao2@.service e telmoraComissao2-manual@.timer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The embedded engine, which the default installation opens its database
# with, is a plugin the client library loads at run time: no shared-library
# dependency names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${TELMORA_PACOTE_FONTES}/debian/postinst
    ${TELMORA_PACOTE_FONTES}/debian/prerm
    ${TELMORA_PACOTE_FONTES}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
