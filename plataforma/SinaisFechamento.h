#pragma once
// The signals that close the program in order: every signal whose default
// would end the process, except the faults of the program itself (SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) and SIGKILL, which no
// program can turn into an orderly end. They are blocked and read by the
// event loop; SIGPIPE is ignored instead, as a program that writes to
// sockets does by convention (the write then fails with EPIPE).
#include <csignal>

sigset_t SinaisFechamento();

// Blocks the signals in the calling thread and in the threads it starts from
// now on, and ignores SIGPIPE. Throws std::system_error on failure.
void BloquearSinaisFechamento();

// Whether one of them has arrived and waits to be read: a long step that
// blocks the event loop polls this to give up early.
bool SinalFechamentoPendente();
