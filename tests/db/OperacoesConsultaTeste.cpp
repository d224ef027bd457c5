// The shared query operations and the transaction rules on a real embedded
// database: which transaction each statement runs on, what a commit or a
// commit-retain makes visible, and how values are read.
#include <gtest/gtest.h>

#include "comum/Erros.h"
#include "db/firebird/ErroBanco.h"
#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/Modelo.h"

namespace {

class OperacoesConsulta : public ::testing::Test {
protected:
    OperacoesConsulta() { janela.ConectarBanco(janela.LerCaminhoBanco()); }
    ~OperacoesConsulta() override { janela.DesconectarBanco(); }

    // What another connection sees: only committed work.
    std::int64_t ContarVisivel(const std::string& tabela) const
    {
        return m.banco.Escalar("select count(*) from " + tabela).Inteiro();
    }

    ModeloTeste m;
    TfrmPrincipal& janela = m.modelo;
};

TEST_F(OperacoesConsulta, ProximoIdDaTabela)
{
    struct Caso {
        const char* nome;
        const char* insercao;
        std::int64_t esperado;
    };
    const Caso casos[] = {
        {"vazia", nullptr, 1},
        {"maior_zero", "insert into cad_pessoa (id_pessoa) values (0)", 1},
        {"maior_negativo", "insert into cad_pessoa (id_pessoa) values (-5)", 1},
        {"maior_41", "insert into cad_pessoa (id_pessoa) values (41)", 42},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        m.banco.Executar("delete from cad_pessoa");
        if (caso.insercao)
            m.banco.Executar(caso.insercao);
        EXPECT_EQ(janela.Sessao.ProximoId("cad_pessoa", "id_pessoa"), caso.esperado);
    }
}

TEST_F(OperacoesConsulta, LerParametroComoTexto)
{
    EXPECT_EQ(janela.Sessao.LerParametro("hr_atualizar_comissao"), "");
    m.banco.Executar("update tab_parametro set hr_atualizar_comissao = 7");
    EXPECT_EQ(janela.Sessao.LerParametro("hr_atualizar_comissao"), "7");
    m.banco.Executar("delete from tab_parametro");
    EXPECT_EQ(janela.Sessao.LerParametro("hr_atualizar_comissao"), "");
}

TEST_F(OperacoesConsulta, CommitFechaSelecaoAbertaNoGenECommitRetainNao)
{
    m.banco.Executar("insert into cad_pessoa (id_pessoa, nm_pesquisa) values (1, 'ANA')");
    Consulta selecao("qrySelecao", janela.Sessao.IBD_BancoDados.get());
    Consulta comando("qryComando", janela.Sessao.IBD_BancoDados.get());

    janela.Sessao.AbrirConsulta(selecao, "select nm_pesquisa from cad_pessoa");
    janela.Sessao.ExecutarComando(comando, "insert into cad_pessoa (id_pessoa) values (2)", true);
    EXPECT_TRUE(selecao.Ativa());
    EXPECT_EQ(selecao.Campo("nm_pesquisa").Texto(), "ANA");
    EXPECT_EQ(ContarVisivel("cad_pessoa"), 2);

    janela.Sessao.ExecutarComandoCommit(comando, "insert into cad_pessoa (id_pessoa) values (3)", true);
    EXPECT_FALSE(selecao.Ativa());
    EXPECT_EQ(ContarVisivel("cad_pessoa"), 3);
}

TEST_F(OperacoesConsulta, ComandoSemCommitFicaInvisivelAteOCommit)
{
    Consulta comando("qryComando", janela.Sessao.IBD_BancoDados.get());
    janela.Sessao.ExecutarComandoCommit(comando, "insert into cad_pessoa (id_pessoa) values (1)", false);
    EXPECT_EQ(ContarVisivel("cad_pessoa"), 0);
    janela.Sessao.ExecutarComandoCommit(comando, "insert into cad_pessoa (id_pessoa) values (2)", true);
    EXPECT_EQ(ContarVisivel("cad_pessoa"), 2);
}

// " commit" commits the transaction of the query object that runs it:
// IBQ_Gen writes on IBT_Gen from the start, with every shared operation, and
// a query of the default transaction commits only its own work.
TEST_F(OperacoesConsulta, CommitPeloIbqGenAntesEDepoisDasOperacoesCompartilhadas)
{
    janela.Sessao.IBQ_Gen.Executar("insert into cad_pessoa (id_pessoa) values (1)");
    Consulta noGen("qryGen", janela.Sessao.IBD_BancoDados.get());
    janela.Sessao.ExecutarComando(noGen, "insert into cad_pessoa (id_pessoa) values (2)", false);
    janela.Sessao.IBQ_Comercio.Executar("insert into cad_pessoa (id_pessoa) values (3)");
    janela.Sessao.IBQ_Gen.Executar(" commit");
    EXPECT_EQ(ContarVisivel("cad_pessoa where id_pessoa in (1, 2)"), 2);
    EXPECT_EQ(ContarVisivel("cad_pessoa where id_pessoa = 3"), 0);

    janela.Sessao.IBQ_Comercio.Executar(" commit");
    EXPECT_EQ(ContarVisivel("cad_pessoa where id_pessoa = 3"), 1);
}

TEST_F(OperacoesConsulta, IbqGenFicaNoGenEntreConexoes)
{
    janela.Sessao.ExecutarComando(janela.Sessao.IBQ_Gen, "insert into cad_pessoa (id_pessoa) values (1)", true);
    janela.DesconectarBanco();
    janela.ConectarBanco(janela.LerCaminhoBanco());
    EXPECT_EQ(janela.Sessao.IBQ_Gen.TransacaoAtual(), &janela.Sessao.IBT_Gen);
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.TransacaoAtual(), janela.Sessao.IBT_BancoDados.get());
}

TEST_F(OperacoesConsulta, TransacoesIsoladasAteOCommit)
{
    janela.Sessao.IBQ_Pesquisa.Executar("insert into cad_pessoa (id_pessoa) values (1)");
    Consulta leitura("qryLeitura", janela.Sessao.IBD_BancoDados.get());
    janela.Sessao.AbrirConsulta(leitura, "select count(*) as qtde from cad_pessoa");
    EXPECT_EQ(leitura.Campo("qtde").Inteiro(), 0);

    janela.Sessao.IBQ_Pesquisa.Executar("commit retain");
    janela.Sessao.AbrirConsulta(leitura, "select count(*) as qtde from cad_pessoa");
    EXPECT_EQ(leitura.Campo("qtde").Inteiro(), 1);
}

TEST_F(OperacoesConsulta, NuloESemLinhaLidosComoZeroDiaZeroETextoVazio)
{
    m.banco.Executar("insert into mov_financeiro (id_financeiro) values (1)");
    for (const char* filtro : {"1", "99"}) {
        SCOPED_TRACE(filtro);
        janela.Sessao.IBQ_Pesquisa.Abrir(std::string("select id_nf_comercio, vl_documento, dt_baixa, no_documento "
                                                     "from mov_financeiro where id_financeiro = ") +
                                         filtro);
        EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("id_nf_comercio").Inteiro(), 0);
        EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("vl_documento").ComoDinheiro(), Dinheiro());
        EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("dt_baixa").Data(), DataHora());
        EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("no_documento").Texto(), "");
    }
    EXPECT_THROW(janela.Sessao.IBQ_Pesquisa.Campo("coluna_inexistente"), ErroBanco);
}

TEST_F(OperacoesConsulta, NumericoEDuploLidosComoDinheiro)
{
    janela.Sessao.IBQ_Pesquisa.Abrir(
        "select cast(12.34565 as numeric(18,5)) as meio_par, cast(1.23456789 as numeric(18,8)) as longo, "
        "cast(-7.5 as numeric(18,4)) as quatro, cast(0.1 as double precision) * 3 as duplo "
        "from rdb$database");
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("meio_par").ComoDinheiro().Unidades(), 123456);
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("longo").ComoDinheiro().Unidades(), 12346);
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("quatro").ComoDinheiro().Unidades(), -75000);
    EXPECT_EQ(janela.Sessao.IBQ_Pesquisa.Campo("duplo").ComoDinheiro().Unidades(), 3000);
}

TEST_F(OperacoesConsulta, ErroDoBancoTrazOTextoDaBiblioteca)
{
    const std::string texto = TextoDoErro<ErroBanco>(
        [&] { janela.Sessao.IBQ_Gen.Executar("update tabela_inexistente set x = 1"); });
    EXPECT_NE(texto.find("TABELA_INEXISTENTE"), std::string::npos) << texto;
}

}  // namespace
