#include "update/CaminhosAtualizacao.h"

#include "plataforma/ArquivoIni.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"

namespace {

std::string TrocarEspacos(const std::string& texto)
{
    std::string saida;
    for (char c : texto)
        saida += c == ' ' ? std::string("§") : std::string(1, c);
    return saida;
}

// Up to and including the next-to-last separator; the final character is not
// examined. With fewer than two separators the ini file's own folder is used.
std::string PastaAcimaDoIni(const std::string& localIniServidor)
{
    std::string::size_type ultima = std::string::npos;
    std::string::size_type penultima = std::string::npos;
    for (std::string::size_type i = 0; i + 1 < localIniServidor.size(); ++i) {
        if (localIniServidor[i] == kSeparador) {
            penultima = ultima;
            ultima = i;
        }
    }
    if (penultima != std::string::npos)
        return localIniServidor.substr(0, penultima + 1);
    return PastaComSeparador(localIniServidor);
}

// A missing or empty local ini names no server ini: the update folder would
// otherwise fall back to the working folder.
std::string PastaUpdate(const std::string& localIniServidor)
{
    return ArquivoExiste(localIniServidor) ? PastaAcimaDoIni(localIniServidor) + "Update" : std::string();
}

std::string ArquivoCA(const std::string& localIni, const std::string& pastaPrograma)
{
    const std::string arquivo = ArquivoIni(localIni).LerTexto("Atualizacao", "ArquivoCA");
    if (arquivo.empty() || arquivo.front() == kSeparador)
        return arquivo;
    return pastaPrograma + kSeparadorTexto + arquivo;
}

}  // namespace

CaminhosAtualizacao DefinirCaminhosAtualizacao(const std::string& localIniServidor, const std::string& programa,
                                               const std::string& localIni)
{
    const std::string pastaPrograma = PastaSemSeparador(programa);
    CaminhosAtualizacao caminhos;
    caminhos.nomeExe = NomeArquivo(programa);
    caminhos.pastaUpdate = PastaUpdate(localIniServidor);
    caminhos.pastaUpdateParam = TrocarEspacos(caminhos.pastaUpdate);
    caminhos.pastaExeParam = TrocarEspacos(pastaPrograma);
    caminhos.arquivoCA = ArquivoCA(localIni, pastaPrograma);
    return caminhos;
}
