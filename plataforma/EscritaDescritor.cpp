#include "plataforma/EscritaDescritor.h"

#include <cerrno>

#include <unistd.h>

bool EscreverTudo(int descritor, const char* dados, std::size_t tamanho)
{
    while (tamanho > 0) {
        const ssize_t escritos = ::write(descritor, dados, tamanho);
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos <= 0)
            return false;
        dados += escritos;
        tamanho -= static_cast<std::size_t>(escritos);
    }
    return true;
}
