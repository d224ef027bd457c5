// Locating the database through the suite's ini files, and opening and
// releasing the connection. Nothing is cached: every call reads the files.
#include "comum/Apresentacao.h"
#include "app/UnPrincipal.h"
#include "comum/Texto.h"
#include "plataforma/ArquivoIni.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "plataforma/Processos.h"
#include "update/CaminhosAtualizacao.h"

namespace {

const char* const kTituloAviso = "Aviso do Sistema";

std::string PastaPrograma()
{
    return PastaSemSeparador(NomeCompletoPrograma());
}

// The folder of the suite's main program decides which local ini it reads.
std::string LocalIni()
{
    const std::string pasta = PastaPrograma();
    const bool empresa4 = ArquivoExiste(pasta + kSeparadorTexto + "telmoraempresa4.exe");
    return pasta + kSeparadorTexto + (empresa4 ? "telmoraempresa4" : "telmoraempresa") + ".ini";
}

}  // namespace

std::string TfrmPrincipal::PastaDadosServidor()
{
    const std::string localIni = LocalIni();
    if (ArquivoExiste(localIni)) {
        const std::string iniServidor = ArquivoIni(localIni).LerTexto("IniServidor", "nomearquivo");
        if (!ArquivoExiste(iniServidor)) {
            Mensagem("Não foi encontrado o arquivo de inicialização dentro da pasta telmora Zaderuz", kTituloAviso,
                     Icone::Erro);
            Tela().EncerrarAplicacao();
        }
        return PastaComSeparador(iniServidor);
    }
    const std::string dados = PastaComSeparador(PastaPrograma()) + "Dados" + kSeparadorTexto;
    if (!PastaExiste(dados)) {
        Mensagem("Não foi encontrado a pasta Dados no servidor", kTituloAviso, Icone::Erro);
        Tela().EncerrarAplicacao();
    }
    return dados;
}

std::string TfrmPrincipal::LerCaminhoBanco()
{
    it_sLocaIniServidor = ArquivoIni(LocalIni()).LerTexto("IniServidor", "nomearquivo");
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
    IBD_BancoDados = std::make_unique<BancoDados>("IBD_BancoDados");
    IBT_BancoDados = std::make_unique<Transacao>("IBT_BancoDados");

    BancoDados& banco = *IBD_BancoDados;
    banco.Parametros = {"user_name=sysdba", "password=qzvlatren"};
    banco.PedirLogin = false;
    banco.NomeBanco = Aparado(local);

    const std::vector<std::string> parametrosTransacao = {"read_committed", "rec_version", "nowait"};
    IBT_BancoDados->DefinirBanco(&banco);
    IBT_BancoDados->Parametros = parametrosTransacao;
    banco.DefinirTransacaoPadrao(IBT_BancoDados.get());

    IBT_Gen.DefinirBanco(&banco);
    IBT_Gen.Parametros = parametrosTransacao;

    for (Consulta* consulta : std::initializer_list<Consulta*>{&IBQ_Gen, &IBQ_Login, &IBQ_Comercio, &IBQ_Pesquisa, &IBQ_MovComissao,
                               &IBD_AcertoComissao, &IBQ_Financeiro, &IBQ_AcertoComissao, &IBQ_Atualiza})
        consulta->DefinirBanco(&banco);

    // The update paths come from the ini files alone; fixing them before the
    // open keeps a failed open from leaving the update check without them.
    DefinirCaminhosAtualizacao(banco.NomeBanco, it_sLocaIniServidor, NomeCompletoPrograma(), LocalIni());
    try {
        banco.Abrir();
    } catch (const std::exception&) {
        // A failed open is silent: the next statement tries again and the run
        // deals with the error.
        FinalizarProcessoPorNome("telmoraMonitorComissao2.exe");
    }
}

void TfrmPrincipal::DesconectarBanco()
{
    if (!IBD_BancoDados)
        return;
    IBD_BancoDados->Fechar();
    IBT_BancoDados.reset();
    IBD_BancoDados.reset();
}
