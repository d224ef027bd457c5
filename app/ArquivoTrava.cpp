#include "app/ArquivoTrava.h"

#include "comum/CodigoPagina.h"
#include "comum/Texto.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"

namespace {

std::string CaminhoTrava(const std::string& programa, const std::string& pasta)
{
    const std::string nome = Aparado(NomeArquivo(programa));
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

std::optional<TravaConsultiva> TomarArquivoTrava(const std::string& programa, const std::string& pasta)
{
    return TravaConsultiva::Tomar(CaminhoTrava(programa, pasta));
}
