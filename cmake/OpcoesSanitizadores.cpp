// Built into every program of a TELMORA_SANITIZE build, so that a test, the
// monitor a test starts and a run by hand use the same sanitizer settings
// without an environment of their own.

// The Firebird client keeps some process-wide state until the process ends
// and never frees it: the big numbers of its SRP login and the code-page
// converters of its first attachment. The interfaces we own live in its own
// memory pools, out of LeakSanitizer's sight whatever we suppress, so this
// line hides nothing of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfbclient.so\n";
}

// The suppressed leaks above are not listed at exit: tests read the
// program's standard error and expect only the program's own lines there.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

// The Firebird engine (libEngine12.so, loaded by the client at run time)
// has thread-local variables, whose blocks glibc takes from malloc. GCC 12's
// __tls_get_addr hook mistakes such a block at 16 bytes past a page start
// for an old glibc's layout and records a garbage range, which the leak
// check then reads and crashes on. The blocks stay in view without the
// hook: glibc's per-thread table that points at them is itself from malloc
// and reached from the thread's static TLS, which the check scans.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}

// A report says where the undefined behaviour happened.
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
