// Finding the database through the suite's ini files, with the messages and
// the request to end when a file is missing.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/Modelo.h"
#include "update/CaminhosAtualizacao.h"

namespace {

namespace fs = std::filesystem;

const MensagemGravada kSemIniNaPasta{"Não foi encontrado o arquivo de inicialização dentro da pasta telmora Zaderuz",
                                     "Aviso do Sistema", Icone::Erro};
const MensagemGravada kSemIni{"Não foi encontrado o arquivo de inicialização", "Aviso do Sistema", Icone::Erro};
const MensagemGravada kSemDados{"Não foi encontrado a pasta Dados no servidor", "Aviso do Sistema", Icone::Erro};

class ConfiguracaoConexao : public ::testing::Test {
protected:
    ModeloTeste m;
    TfrmPrincipal& janela = m.modelo;
    const InstalacaoTeste& inst = m.instalacao;
};

TEST_F(ConfiguracaoConexao, LocalDoBancoPeloServidorDoIni)
{
    struct Caso {
        const char* nome;
        const char* servidor;
        const char* esperado;
    };
    const Caso casos[] = {
        {"sem_servidor", "", "/dados/BANCO.FDB"},
        {"servidor_em_branco", "   ", "/dados/BANCO.FDB"},
        {"com_servidor", "srvdados", "srvdados:/dados/BANCO.FDB"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        inst.EscreverIniServidor(std::string("[DATABASE]\r\nservidor=") + caso.servidor +
                                 "\r\nPATH=/dados/\r\nName=BANCO.FDB\r\n");
        EXPECT_EQ(janela.LerCaminhoBanco(), caso.esperado);
        EXPECT_EQ(janela.it_sLocaIniServidor, inst.IniServidor());
    }
    EXPECT_TRUE(m.tela.mensagens.empty());
    EXPECT_EQ(janela.PastaDadosServidor(), inst.PastaDados() + "/");
    // The update folder sits beside the server ini's folder.
    EXPECT_EQ(janela.CaminhosDaAtualizacao().nomeExe, "telmoraComissao2.exe");
    EXPECT_EQ(janela.CaminhosDaAtualizacao().pastaUpdate, inst.Raiz() + "/Update");
}

// With the main program telmoraempresa4.exe in the folder only its ini counts.
TEST_F(ConfiguracaoConexao, IniLocalDoProgramaPrincipalQuatro)
{
    inst.Gravar("Outra/Servidor.ini", "[Database]\r\npath=/outra/\r\nname=OUTRO.FDB\r\n");
    inst.EscreverIniLocal("[IniServidor]\r\nnomearquivo=" + inst.Raiz() + "/Outra/Servidor.ini\r\n", "telmoraempresa4");
    EXPECT_NE(janela.LerCaminhoBanco(), "/outra/OUTRO.FDB");
    inst.Gravar("Bin/telmoraempresa4.exe", "");
    EXPECT_EQ(janela.LerCaminhoBanco(), "/outra/OUTRO.FDB");
    EXPECT_EQ(janela.PastaDadosServidor(), inst.Raiz() + "/Outra/");
}

TEST_F(ConfiguracaoConexao, IniDoServidorAusente)
{
    inst.EscreverIniLocal("[IniServidor]\r\nnomearquivo=" + inst.Raiz() + "/nao/existe.ini\r\n");
    EXPECT_EQ(janela.PastaDadosServidor(), inst.Raiz() + "/nao/");
    EXPECT_EQ(janela.LerCaminhoBanco(), "");
    EXPECT_EQ(m.tela.mensagens, (std::vector<MensagemGravada>{kSemIniNaPasta, kSemIni}));
    EXPECT_EQ(m.tela.pedidosEncerrar, 2);
}

TEST_F(ConfiguracaoConexao, SemIniLocalUsaAPastaDadosAoLadoDoPrograma)
{
    fs::remove(inst.IniLocal());
    EXPECT_EQ(janela.PastaDadosServidor(), inst.Raiz() + "/Dados/");
    EXPECT_TRUE(m.tela.mensagens.empty());

    fs::remove_all(inst.PastaDados());
    EXPECT_EQ(janela.PastaDadosServidor(), inst.Raiz() + "/Dados/");
    EXPECT_EQ(janela.LerCaminhoBanco(), "");
    EXPECT_EQ(m.tela.mensagens, (std::vector<MensagemGravada>{kSemDados, kSemIni}));
    EXPECT_EQ(m.tela.pedidosEncerrar, 2);
}

TEST_F(ConfiguracaoConexao, ConectarVinculaOsObjetosEDesconectarCommitaTudo)
{
    janela.ConectarBanco("  " + janela.LerCaminhoBanco() + "  ");
    ASSERT_NE(janela.Sessao.IBD_BancoDados, nullptr);
    EXPECT_TRUE(janela.Sessao.IBD_BancoDados->Conectado());
    EXPECT_EQ(janela.Sessao.IBD_BancoDados->NomeBanco, m.banco.Caminho());
    EXPECT_EQ(janela.Sessao.IBD_BancoDados->Parametros,
              (std::vector<std::string>{"user_name=sysdba", "password=qzvlatren"}));
    EXPECT_EQ(janela.Sessao.IBQ_Comercio.TransacaoAtual(), janela.Sessao.IBT_BancoDados.get());
    EXPECT_EQ(janela.Sessao.IBQ_MovComissao.TransacaoAtual(), &janela.Sessao.IBT_Gen);
    EXPECT_EQ(janela.Sessao.IBT_Gen.Banco(), janela.Sessao.IBD_BancoDados.get());

    janela.Sessao.IBQ_Pesquisa.Executar("insert into cad_pessoa (id_pessoa) values (1)");
    Consulta noGen("qryGen", janela.Sessao.IBD_BancoDados.get());
    janela.Sessao.ExecutarComando(noGen, "insert into cad_pessoa (id_pessoa) values (2)", false);
    janela.DesconectarBanco();

    EXPECT_EQ(janela.Sessao.IBD_BancoDados, nullptr);
    EXPECT_EQ(janela.Sessao.IBT_BancoDados, nullptr);
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.TransacaoAtual(), nullptr);
    EXPECT_EQ(janela.Sessao.IBT_Gen.Banco(), nullptr);
    EXPECT_EQ(m.banco.Escalar("select count(*) from cad_pessoa").Inteiro(), 2);
    janela.DesconectarBanco();
}

TEST_F(ConfiguracaoConexao, AberturaFalhaEmSilencioETentaDeNovoNoProximoComando)
{
    janela.ConectarBanco(inst.Raiz() + "/nao-existe.fdb");
    EXPECT_TRUE(m.tela.mensagens.empty());
    EXPECT_EQ(m.finalizador.nomes, std::vector<std::string>{"telmoraMonitorComissao2.exe"});
    ASSERT_NE(janela.Sessao.IBD_BancoDados, nullptr);
    EXPECT_FALSE(janela.Sessao.IBD_BancoDados->Conectado());

    janela.Sessao.IBD_BancoDados->NomeBanco = m.banco.Caminho();
    EXPECT_EQ(janela.Sessao.LerParametro("ID_PARAMETRO"), "1");
    EXPECT_TRUE(janela.Sessao.IBD_BancoDados->Conectado());
}

}  // namespace
