#include "comum/Conversao.h"

#include <cerrno>
#include <cstdlib>

#include "comum/Erros.h"

std::int64_t LerInteiro(const std::string& texto)
{
    const char* inicio = texto.c_str();
    while (*inicio == ' ')
        ++inicio;
    char* fim = nullptr;
    errno = 0;
    const long long valor = std::strtoll(inicio, &fim, 10);
    if (*inicio == '\0' || fim == inicio || errno != 0 || *fim != '\0')
        throw ErroConversao("'" + texto + "' is not a valid integer value");
    return valor;
}
