#include "comum/Texto.h"

std::string Minusculas(std::string texto)
{
    for (char& c : texto)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return texto;
}

std::string Maiusculas(std::string texto)
{
    for (char& c : texto)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return texto;
}

std::string Aparado(const std::string& texto)
{
    const auto branco = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t inicio = 0;
    std::size_t fim = texto.size();
    while (inicio < fim && branco(texto[inicio]))
        ++inicio;
    while (fim > inicio && branco(texto[fim - 1]))
        --fim;
    return texto.substr(inicio, fim - inicio);
}
