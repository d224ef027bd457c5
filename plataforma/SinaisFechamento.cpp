#include "plataforma/SinaisFechamento.h"

#include <cerrno>
#include <system_error>

#include <pthread.h>

sigset_t SinaisFechamento()
{
    sigset_t sinais;
    sigemptyset(&sinais);
    for (const int sinal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGIO,
                            SIGPWR, SIGSTKFLT, SIGXCPU, SIGXFSZ})
        sigaddset(&sinais, sinal);
    for (int sinal = SIGRTMIN; sinal <= SIGRTMAX; ++sinal)
        sigaddset(&sinais, sinal);
    return sinais;
}

void BloquearSinaisFechamento()
{
    const sigset_t sinais = SinaisFechamento();
    if (const int erro = ::pthread_sigmask(SIG_BLOCK, &sinais, nullptr))
        throw std::system_error(erro, std::generic_category(), "pthread_sigmask");
    struct sigaction ignorar {};
    ignorar.sa_handler = SIG_IGN;
    if (::sigaction(SIGPIPE, &ignorar, nullptr) != 0)
        throw std::system_error(errno, std::generic_category(), "sigaction");
}

bool SinalFechamentoPendente()
{
    sigset_t pendentes;
    if (::sigpending(&pendentes) != 0)
        return false;
    // One by one: glibc's sigisemptyset overlooks the real-time signals.
    const sigset_t sinais = SinaisFechamento();
    for (int sinal = 1; sinal < NSIG; ++sinal)
        if (sigismember(&sinais, sinal) == 1 && sigismember(&pendentes, sinal) == 1)
            return true;
    return false;
}
