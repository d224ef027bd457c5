#include "app/console/SinaisEncerramento.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The write end for the handler, which can reach nothing else.
volatile int escritaSinal = -1;

extern "C" void AoSinal(int)
{
    const int errnoSalvo = errno;
    const char byte = 1;
    // A full pipe already holds a pending close: nothing is lost.
    if (::write(escritaSinal, &byte, 1) < 0) {
    }
    errno = errnoSalvo;
}

}  // namespace

SinaisEncerramento::Tubo::Tubo()
{
    int fds[2];
    // Close-on-exec: the updater started later must not inherit the pipe.
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe2");
    leitura = fds[0];
    escrita = fds[1];
    escritaSinal = escrita;
}

SinaisEncerramento::Tubo::~Tubo()
{
    escritaSinal = -1;
    ::close(leitura);
    ::close(escrita);
}

SinaisEncerramento::Tratador::Tratador(int s) : sinal(s)
{
    struct sigaction acao {};
    acao.sa_handler = AoSinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    if (::sigaction(sinal, &acao, &anterior) != 0)
        throw std::system_error(errno, std::generic_category(), "sigaction");
}

SinaisEncerramento::Tratador::~Tratador()
{
    ::sigaction(sinal, &anterior, nullptr);
}

SinaisEncerramento::SinaisEncerramento(std::function<void()> aoReceber)
    : aoReceber_(std::move(aoReceber)), aviso_(tubo_.leitura, QSocketNotifier::Read)
{
    QObject::connect(&aviso_, &QSocketNotifier::activated, &aviso_, [this] { Receber(); });
}

void SinaisEncerramento::Receber()
{
    char bytes[64];
    while (::read(tubo_.leitura, bytes, sizeof bytes) > 0) {
    }
    aoReceber_();
}
