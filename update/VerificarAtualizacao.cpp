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

std::string NaPastaUpdate(const CaminhosAtualizacao& caminhos, const std::string& nome)
{
    return caminhos.pastaUpdate + kSeparadorTexto + nome;
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

void BaixarAtualizador(Apresentacao& tela, const CaminhosAtualizacao& caminhos, const AmbienteAtualizacao& ambiente)
{
    const ConfiguracaoHttp http{caminhos.arquivoCA, ambiente.fimPedido};
    const std::string atualizador = NaPastaUpdate(caminhos, kNomeAtualizador);
    const std::string destino = NaPastaUpdate(caminhos, "oldtelmoraAtualizador.exe");
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

void AvisarArquivoFaltando(Apresentacao& tela, const CaminhosAtualizacao& caminhos, const std::string& nome)
{
    tela.Mensagem("Falha na atualização do aplicativo. Não foi encontrado o arquivo " + nome + " na pasta " +
                      caminhos.pastaUpdate + ".\rO Sistema será finalizado.",
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

void PassarParaAtualizador(Apresentacao& tela, const CaminhosAtualizacao& caminhos, const AmbienteAtualizacao& ambiente)
{
    tela.MostrarAviso("AVISO: Existe uma nova versão do aplicativo " + NomeAtePrimeiroPonto(caminhos.nomeExe) +
                          ". A atualização será feita automaticamente. Aguarde...",
                      false, true);
    // A failed start goes unnoticed: the process ends all the same.
    IniciarProgramaDesacoplado(
        NaPastaUpdate(caminhos, kNomeAtualizador),
        {"@F1", "@M" + caminhos.pastaUpdateParam, "@E" + caminhos.pastaExeParam, "@A" + caminhos.nomeExe});
    ambiente.encerrarProcesso(0);
}

void Verificar(Apresentacao& tela, BancoDados& banco, int modo, const CaminhosAtualizacao& caminhos,
               const AmbienteAtualizacao& ambiente)
{
    const std::string pastaPrograma = PastaSemSeparador(ambiente.programa);
    if (ArquivoExiste(pastaPrograma + kSeparadorTexto + "DebugarZorvel.tmp")) {
        tela.Mensagem("O aplicativo " + caminhos.nomeExe + " não será atualizado. A pasta " + pastaPrograma +
                          " está com o arquivo DebugarZorvel.tmp",
                      kTitulo, Icone::Aviso);
        return;
    }
    // The start-up has already reported the missing server ini.
    if (caminhos.pastaUpdate.empty())
        return;
    if (!PastaExiste(caminhos.pastaUpdate))
        CriarPasta(caminhos.pastaUpdate);
    TratarIniExec(ambiente.programa, caminhos);
    if (!ArquivoExiste(NaPastaUpdate(caminhos, kNomeAtualizador)))
        BaixarAtualizador(tela, caminhos, ambiente);
    AtualizarEstruturaParametro(banco);
    if (modo != 1)
        return;

    const std::string copia = NaPastaUpdate(caminhos, caminhos.nomeExe);
    if (!ArquivoExiste(copia)) {
        AvisarArquivoFaltando(tela, caminhos, caminhos.nomeExe);
        return;
    }
    if (MesmaVersao(ambiente.programa, copia))
        return;
    if (!ArquivoExiste(NaPastaUpdate(caminhos, kNomeAtualizador))) {
        AvisarArquivoFaltando(tela, caminhos, kNomeAtualizador);
        return;
    }
    PassarParaAtualizador(tela, caminhos, ambiente);
}

}  // namespace

std::string DataArquivoTexto(const std::string& arquivo)
{
    return DataModificacao(arquivo).FormatoTela();
}

bool VerificarAtualizacao(Apresentacao& tela, BancoDados& banco, int modo, const CaminhosAtualizacao& caminhos,
                          const AmbienteAtualizacao& ambiente)
{
    try {
        Verificar(tela, banco, modo, caminhos, ambiente);
        return true;
    } catch (const TransferenciaInterrompida&) {
        return false;
    }
}
