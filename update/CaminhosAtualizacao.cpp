#include "update/CaminhosAtualizacao.h"

#include "plataforma/Caminhos.h"
#include "plataforma/Processos.h"

std::string sNomeExe;
std::string sPastaUpdate;
std::string sPastaUpdateParam;
std::string sPastaExeParam;

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

}  // namespace

void DefinirCaminhosAtualizacao(const std::string& /*nomeBanco*/, const std::string& localIniServidor)
{
    const std::string programa = NomeCompletoPrograma();
    sNomeExe = NomeArquivo(programa);
    sPastaUpdate = PastaAcimaDoIni(localIniServidor) + "Update";
    sPastaUpdateParam = TrocarEspacos(sPastaUpdate);
    sPastaExeParam = TrocarEspacos(PastaSemSeparador(programa));
}
