#include "plataforma/Caminhos.h"

std::string NomeArquivo(const std::string& caminho)
{
    const std::size_t ultimo = caminho.rfind(kSeparador);
    return ultimo == std::string::npos ? caminho : caminho.substr(ultimo + 1);
}

std::string PastaComSeparador(const std::string& caminho)
{
    const std::size_t ultimo = caminho.rfind(kSeparador);
    return ultimo == std::string::npos ? std::string() : caminho.substr(0, ultimo + 1);
}

std::string PastaSemSeparador(const std::string& caminho)
{
    const std::size_t ultimo = caminho.rfind(kSeparador);
    return ultimo == std::string::npos ? std::string() : caminho.substr(0, ultimo);
}
