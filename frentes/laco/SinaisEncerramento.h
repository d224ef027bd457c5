#pragma once
// The closing signals of plataforma/SinaisFechamento.h (SIGTERM, SIGINT,
// SIGHUP and the others whose default would end the process) as an orderly
// close. They are blocked and read from a signalfd by the event loop, which
// calls aoReceber on the user-interface thread. Blocking them, rather than
// catching them, keeps them away from the embedded database engine, which
// would otherwise shut itself down in a thread of its own while the program
// is still closing. A thread's block reaches only the threads it starts
// afterwards, so main calls Bloquear before anything else starts a thread.
// The signals stay blocked when the object goes: the program is ending by
// then. Throws std::system_error when the descriptor cannot be made.
#include <functional>

#include <QSocketNotifier>

class SinaisEncerramento {
public:
    // Blocks the closing signals in the calling thread and in the threads it
    // starts from now on; SIGPIPE is ignored.
    static void Bloquear();

    explicit SinaisEncerramento(std::function<void()> aoReceber);
    ~SinaisEncerramento();
    SinaisEncerramento(const SinaisEncerramento&) = delete;
    SinaisEncerramento& operator=(const SinaisEncerramento&) = delete;

private:
    void Receber();

    std::function<void()> aoReceber_;
    int descritor_;
    QSocketNotifier aviso_;
};
