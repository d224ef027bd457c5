#include "update/VerificarAtualizacao.h"

#include <filesystem>
#include <system_error>

#include "comum/Apresentacao.h"
#include "comum/DataHora.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "plataforma/Processos.h"
#include "update/AtualizarEstruturaParametro.h"
#include "update/CaminhosAtualizacao.h"
#include "update/Http.h"
#include "update/IniExec.h"

namespace {

const char* const kTitulo = "Aviso do Sistema";
const char* const kNomeAtualizador = "telmoraAtualizador.exe";
const char* const kEnderecoAtualizador = "/update/Atualizacao/telmora%20Dovezed/telmoraAtualizador.exe";

std::string NaPastaUpdate(const std::string& nome)
{
    return sPastaUpdate + kSeparadorTexto + nome;
}

// The updater is started as a program: the downloaded file must be
// executable. A link put in its place meanwhile is not followed.
void TornarExecutavel(const std::string& arquivo)
{
    namespace fs = std::filesystem;
    std::error_code ignorado;
    fs::permissions(arquivo, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add | fs::perm_options::nofollow, ignorado);
}

void BaixarAtualizador(Apresentacao& tela, const AmbienteAtualizacao& ambiente)
{
    const ConfiguracaoHttp http{sArquivoCA, ambiente.fimPedido};
    const std::string atualizador = NaPastaUpdate(kNomeAtualizador);
    const std::string destino = NaPastaUpdate("oldtelmoraAtualizador.exe");
    if (BaixarArquivo(EnderecoBaseSite(ambiente.hostSite, http) + kEnderecoAtualizador, destino, http)) {
        ApagarArquivo(atualizador);
        RenomearArquivo(destino, atualizador);
        ApagarArquivo(destino);
        TornarExecutavel(atualizador);
        return;
    }
    tela.Mensagem(
        "Não foi possível baixar o aplicativo para atualização inicial do seu sistema. Tente novamente mais "
        "tarde ou entre em contato com o suporte técnico da telmora.",
        kTitulo, Icone::Nenhum);
    ApagarArquivo(destino);
    tela.EncerrarAplicacao();
}

void AvisarArquivoFaltando(Apresentacao& tela, const std::string& nome)
{
    tela.Mensagem("Falha na atualização do aplicativo. Não foi encontrado o arquivo " + nome + " na pasta " +
                      sPastaUpdate + ".\rO Sistema será finalizado.",
                  kTitulo, Icone::Aviso);
    tela.EncerrarAplicacao();
}

// The times go through their text form, so they compare at its resolution.
bool MesmaVersao(const std::string& programa, const std::string& copia)
{
    return DataHora::Ler(DataArquivoTexto(programa)) == DataHora::Ler(DataArquivoTexto(copia));
}

// The name up to its first dot; a name without a dot gives empty text.
std::string NomeAtePrimeiroPonto(const std::string& nome)
{
    const auto ponto = nome.find('.');
    return ponto == std::string::npos ? std::string() : nome.substr(0, ponto);
}

void PassarParaAtualizador(Apresentacao& tela, const AmbienteAtualizacao& ambiente)
{
    tela.MostrarAviso("AVISO: Existe uma nova versão do aplicativo " + NomeAtePrimeiroPonto(sNomeExe) +
                          ". A atualização será feita automaticamente. Aguarde...",
                      false, true);
    // A failed start goes unnoticed: the process ends all the same.
    IniciarProgramaDesacoplado(NaPastaUpdate(kNomeAtualizador),
                               {"@F1", "@M" + sPastaUpdateParam, "@E" + sPastaExeParam, "@A" + sNomeExe});
    ambiente.encerrarProcesso(0);
}

void Verificar(Apresentacao& tela, BancoDados& banco, int modo, const AmbienteAtualizacao& ambiente)
{
    const std::string pastaPrograma = PastaSemSeparador(ambiente.programa);
    if (ArquivoExiste(pastaPrograma + kSeparadorTexto + "DebugarZorvel.tmp")) {
        tela.Mensagem("O aplicativo " + sNomeExe + " não será atualizado. A pasta " + pastaPrograma +
                          " está com o arquivo DebugarZorvel.tmp",
                      kTitulo, Icone::Aviso);
        return;
    }
    // The start-up has already reported the missing server ini.
    if (sPastaUpdate.empty())
        return;
    if (!PastaExiste(sPastaUpdate))
        CriarPasta(sPastaUpdate);
    TratarIniExec(ambiente.programa);
    if (!ArquivoExiste(NaPastaUpdate(kNomeAtualizador)))
        BaixarAtualizador(tela, ambiente);
    AtualizarEstruturaParametro(banco);
    if (modo != 1)
        return;

    const std::string copia = NaPastaUpdate(sNomeExe);
    if (!ArquivoExiste(copia)) {
        AvisarArquivoFaltando(tela, sNomeExe);
        return;
    }
    if (MesmaVersao(ambiente.programa, copia))
        return;
    if (!ArquivoExiste(NaPastaUpdate(kNomeAtualizador))) {
        AvisarArquivoFaltando(tela, kNomeAtualizador);
        return;
    }
    PassarParaAtualizador(tela, ambiente);
}

}  // namespace

std::string DataArquivoTexto(const std::string& arquivo)
{
    return DataModificacao(arquivo).FormatoTela();
}

bool VerificarAtualizacao(Apresentacao& tela, BancoDados& banco, int modo, const AmbienteAtualizacao& ambiente)
{
    try {
        Verificar(tela, banco, modo, ambiente);
        return true;
    } catch (const TransferenciaInterrompida&) {
        return false;
    }
}
