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

// A report says where the undefined behaviour happened.
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
