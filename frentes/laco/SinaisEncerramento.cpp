#include "frentes/laco/SinaisEncerramento.h"

#include <cerrno>
#include <system_error>

#include <sys/signalfd.h>
#include <unistd.h>

#include "plataforma/SinaisFechamento.h"

namespace {

// Close-on-exec: the updater started later must not inherit the descriptor.
int AbrirDescritor()
{
    SinaisEncerramento::Bloquear();
    const sigset_t sinais = SinaisFechamento();
    const int descritor = ::signalfd(-1, &sinais, SFD_CLOEXEC | SFD_NONBLOCK);
    if (descritor < 0)
        throw std::system_error(errno, std::generic_category(), "signalfd");
    return descritor;
}

}  // namespace

void SinaisEncerramento::Bloquear()
{
    BloquearSinaisFechamento();
}

SinaisEncerramento::SinaisEncerramento(std::function<void()> aoReceber)
    : aoReceber_(std::move(aoReceber)), descritor_(AbrirDescritor()), aviso_(descritor_, QSocketNotifier::Read)
{
    QObject::connect(&aviso_, &QSocketNotifier::activated, &aviso_, [this] { Receber(); });
}

SinaisEncerramento::~SinaisEncerramento()
{
    aviso_.setEnabled(false);
    ::close(descritor_);
}

void SinaisEncerramento::Receber()
{
    signalfd_siginfo sinal;
    bool recebido = false;
    while (::read(descritor_, &sinal, sizeof sinal) == static_cast<ssize_t>(sizeof sinal))
        recebido = true;
    if (recebido)
        aoReceber_();
}
