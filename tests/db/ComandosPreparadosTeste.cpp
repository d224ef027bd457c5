// What makes a run's statements cheap must not change what they read or
// write: kept statements give each text its own answer however many texts a
// connection runs, integer parameters reach their "?" in order, and a walk
// delivers every row once while holding only the current one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comum/ComandoSql.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/ErroBanco.h"
#include "db/firebird/Transacao.h"
#include "tests/fixtures/BancoTeste.h"

namespace {

class ComandosPreparados : public ::testing::Test {
protected:
    ComandosPreparados()
    {
        conexao.Parametros = {"user_name=sysdba", "password=qzvlatren"};
        conexao.NomeBanco = banco.Caminho();
        leitura.Parametros = {"read_committed", "rec_version", "nowait"};
        leitura.DefinirBanco(&conexao);
        escrita.Parametros = leitura.Parametros;
        escrita.DefinirBanco(&conexao);
        conexao.DefinirTransacaoPadrao(&leitura);
        consulta.DefinirBanco(&conexao);
        comando.DefinirBanco(&conexao);
        comando.DefinirTransacao(&escrita);
    }

    void InserirPessoas(int quantas) const
    {
        banco.Executar("execute block as declare i integer = 1; begin while (i <= " + std::to_string(quantas) +
                       ") do begin insert into cad_pessoa (id_pessoa, nm_pesquisa) values (:i, 'P' || :i);"
                       " i = i + 1; end end");
    }

    BancoTeste banco;
    BancoDados conexao{"conexao"};
    Transacao leitura{"leitura"};
    Transacao escrita{"escrita"};
    Consulta consulta{"consulta"};
    Consulta comando{"comando"};
};

// More texts than the connection keeps, run twice in an order that makes
// every kept statement leave and come back.
TEST_F(ComandosPreparados, CadaTextoComSuaRespostaAlemDoQueAConexaoGuarda)
{
    constexpr int kTextos = 300;
    for (int volta = 0; volta < 2; ++volta) {
        for (int i = 0; i < kTextos; ++i) {
            const int n = volta == 0 ? i : kTextos - 1 - i;
            consulta.Abrir("select " + std::to_string(n) + " as n from rdb$database");
            ASSERT_EQ(consulta.Campo("n").Inteiro(), n);
        }
    }
}

TEST_F(ComandosPreparados, InteirosChegamACadaInterrogacaoNaOrdem)
{
    InserirPessoas(5);
    comando.Executar(" update cad_pessoa set nm_pesquisa = 'X' where id_pessoa = " + ParametroInteiro(2) +
                     " or id_pessoa = " + ParametroInteiro(4));
    escrita.ConfirmarPorComando();
    const ComandoSql selecao = " select id_pessoa from cad_pessoa where id_pessoa between " + ParametroInteiro(2) +
                               " and " + ParametroInteiro(4) + " and nm_pesquisa = 'X' order by id_pessoa";
    EXPECT_EQ(selecao.Texto(),
              " select id_pessoa from cad_pessoa where id_pessoa between ? and ? and nm_pesquisa = 'X' order by"
              " id_pessoa");
    consulta.Abrir(selecao);
    std::vector<std::int64_t> lidos;
    for (; !consulta.Fim(); consulta.Proximo())
        lidos.push_back(consulta.Campo("id_pessoa").Inteiro());
    EXPECT_EQ(lidos, (std::vector<std::int64_t>{2, 4}));

    // The same text with other values: the kept statement, new answers.
    consulta.Abrir(" select count(*) as qtde from cad_pessoa where id_pessoa between " + ParametroInteiro(1) + " and " +
                   ParametroInteiro(5) + " and nm_pesquisa = 'X'");
    EXPECT_EQ(consulta.Campo("qtde").Inteiro(), 2);
}

// Each row is written and committed on another transaction while the walk
// goes on, as a phase commits each source.
TEST_F(ComandosPreparados, PercorrerContaAntesEEntregaCadaLinhaUmaVez)
{
    InserirPessoas(40);
    consulta.Percorrer(" select id_pessoa from cad_pessoa where nm_pesquisa starting with 'P' order by id_pessoa");
    EXPECT_EQ(consulta.QuantidadeRegistros(), 40);
    std::int64_t esperado = 1;
    for (; !consulta.Fim(); consulta.Proximo(), ++esperado) {
        ASSERT_EQ(consulta.Campo("id_pessoa").Inteiro(), esperado);
        comando.Executar(" update cad_pessoa set nm_pesquisa = 'feito' where id_pessoa = " +
                         ParametroInteiro(esperado));
        escrita.ConfirmarPorComando();
    }
    EXPECT_EQ(esperado, 41);
    EXPECT_EQ(consulta.Campo("id_pessoa").Inteiro(), 40);  // the last row stays readable
    EXPECT_EQ(banco.Escalar("select count(*) from cad_pessoa where nm_pesquisa = 'feito'").Inteiro(), 40);
    EXPECT_THROW(consulta.Primeiro(), ErroBanco);
}

// A walk whose transaction ended under it says so instead of ending early as
// if the rows were done.
TEST_F(ComandosPreparados, PercorrerSemATransacaoFalhaEmVezDeTerminar)
{
    InserirPessoas(3);
    consulta.Percorrer(" select id_pessoa from cad_pessoa order by id_pessoa");
    leitura.ConfirmarPorComando();
    EXPECT_THROW(consulta.Proximo(), ErroBanco);
}

TEST_F(ComandosPreparados, ConexaoFechadaNoMeioDoPercursoEncerraOPercurso)
{
    InserirPessoas(3);
    consulta.Percorrer(" select id_pessoa from cad_pessoa order by id_pessoa");
    conexao.Fechar();
    EXPECT_TRUE(consulta.Fim());
    consulta.Abrir(" select count(*) as qtde from cad_pessoa");  // the next statement opens it again
    EXPECT_EQ(consulta.Campo("qtde").Inteiro(), 3);
}

}  // namespace
