#include "plataforma/TravaConsultiva.h"

#include <utility>

#include <fcntl.h>
#include <unistd.h>

std::optional<TravaConsultiva> TravaConsultiva::Tomar(const std::string& caminho)
{
    // Close-on-exec: the updater started later must not keep the lock alive.
    const int descritor = ::open(caminho.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descritor < 0)
        return std::nullopt;
    TravaConsultiva trava(descritor);
    // On the open file description, unlike a process's record lock, so that
    // another descriptor of the same file closed elsewhere leaves it held.
    struct flock pedido {};
    pedido.l_type = F_WRLCK;
    pedido.l_whence = SEEK_SET;
    if (::fcntl(descritor, F_OFD_SETLK, &pedido) != 0)
        return std::nullopt;
    return trava;
}

TravaConsultiva::TravaConsultiva(TravaConsultiva&& outra) noexcept : descritor_(std::exchange(outra.descritor_, -1))
{
}

TravaConsultiva& TravaConsultiva::operator=(TravaConsultiva&& outra) noexcept
{
    std::swap(descritor_, outra.descritor_);
    return *this;
}

TravaConsultiva::~TravaConsultiva()
{
    if (descritor_ >= 0)
        ::close(descritor_);
}
