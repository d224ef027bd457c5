#include "app/ArquivoTrava.h"

#include "comum/CodigoPagina.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"

namespace {

std::string CaminhoTrava(const std::string& programa, const std::string& pasta)
{
    std::string nome = NomeArquivo(programa);
    const auto inicio = nome.find_first_not_of(' ');
    nome = inicio == std::string::npos ? std::string() : nome.substr(inicio, nome.find_last_not_of(' ') - inicio + 1);
    const auto ponto = nome.rfind('.');
    return pasta + (ponto == std::string::npos ? std::string() : nome.substr(0, ponto)) + ".lock";
}

}  // namespace

bool ExisteArquivoTrava(const std::string& programa, const std::string& pasta)
{
    return ArquivoExiste(CaminhoTrava(programa, pasta));
}

void CriarArquivoTrava(const std::string& programa, const std::string& pasta)
{
    GravarArquivo(CaminhoTrava(programa, pasta),
                  Utf8ParaWin1252("Este arquivo indica que o monitor " + programa + " está em execução.\r\n"));
}

void ApagarArquivoTrava(const std::string& programa, const std::string& pasta)
{
    ApagarArquivo(CaminhoTrava(programa, pasta));
}
