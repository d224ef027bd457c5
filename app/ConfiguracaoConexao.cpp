// Locating the database through the suite's ini files, and opening and
// releasing the connection. Nothing is cached: every call reads the files.
#include "app/UnPrincipal.h"
#include "comum/Apresentacao.h"
#include "comum/Texto.h"
#include "plataforma/ArquivoIni.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "update/CaminhosAtualizacao.h"

namespace {

// The folder of the suite's main program decides which local ini it reads.
std::string LocalIni(const std::string& programa)
{
    const std::string pasta = PastaSemSeparador(programa);
    const bool empresa4 = ArquivoExiste(pasta + kSeparadorTexto + "telmoraempresa4.exe");
    return pasta + kSeparadorTexto + (empresa4 ? "telmoraempresa4" : "telmoraempresa") + ".ini";
}

}  // namespace

std::string TfrmPrincipal::PastaDadosServidor()
{
    const std::string localIni = LocalIni(ServicosAtuais().programa);
    if (ArquivoExiste(localIni)) {
        const std::string iniServidor = ArquivoIni(localIni).LerTexto("IniServidor", "nomearquivo");
        if (!ArquivoExiste(iniServidor)) {
            Mensagem("Não foi encontrado o arquivo de inicialização dentro da pasta telmora Zaderuz", kTituloAviso,
                     Icone::Erro);
            Tela().EncerrarAplicacao();
        }
        return PastaComSeparador(iniServidor);
    }
    const std::string dados = PastaComSeparador(PastaSemSeparador(ServicosAtuais().programa)) + "Dados" +
                              kSeparadorTexto;
    if (!PastaExiste(dados)) {
        Mensagem("Não foi encontrado a pasta Dados no servidor", kTituloAviso, Icone::Erro);
        Tela().EncerrarAplicacao();
    }
    return dados;
}

std::string TfrmPrincipal::LerCaminhoBanco()
{
    it_sLocaIniServidor = ArquivoIni(LocalIni(ServicosAtuais().programa)).LerTexto("IniServidor", "nomearquivo");
    if (!ArquivoExiste(it_sLocaIniServidor)) {
        Mensagem("Não foi encontrado o arquivo de inicialização", kTituloAviso, Icone::Erro);
        Tela().EncerrarAplicacao();
    }
    const ArquivoIni servidor(it_sLocaIniServidor);
    const std::string host = servidor.LerTexto("Database", "Servidor");
    const std::string caminho = servidor.LerTexto("Database", "path") + servidor.LerTexto("Database", "name");
    return Aparado(host).empty() ? caminho : host + ":" + caminho;
}

void TfrmPrincipal::ConectarBanco(const std::string& local)
{
    Sessao.Preparar(local);
    try {
        Sessao.IBD_BancoDados->Abrir();
    } catch (const std::exception&) {
        // A failed open is silent: the next statement tries again and the run
        // deals with the error.
        FinalizarProcessoPorNome("telmoraMonitorComissao2.exe");
    }
}

CaminhosAtualizacao TfrmPrincipal::CaminhosDaAtualizacao() const
{
    return DefinirCaminhosAtualizacao(it_sLocaIniServidor, servicos_.programa, LocalIni(servicos_.programa));
}

void TfrmPrincipal::DesconectarBanco()
{
    reivindicacao_.reset();
    Sessao.Desconectar();
}
