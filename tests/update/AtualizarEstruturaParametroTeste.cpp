// Schema upkeep of tab_parametro on the model's own connection: the two
// version columns are added once, with their first values, and a database
// that has only one of them stops the start-up at the update check.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/fixtures/Modelo.h"
#include "update/AtualizarEstruturaParametro.h"

namespace {

std::int64_t ColunasVersao(const BancoTeste& banco)
{
    return banco
        .Escalar("select count(*) from rdb$relation_fields where rdb$relation_name = 'TAB_PARAMETRO'"
                 " and rdb$field_name in ('SCRIPT_RODADO', 'VERSAO_ERP')")
        .Inteiro();
}

TEST(AtualizarEstruturaParametro, ColunasDeVersao)
{
    const struct {
        const char* nome;
        std::vector<std::string> preparar;
        std::optional<std::int64_t> scriptRodado;   // empty: NULL
        std::string versao;
    } casos[] = {
        {"sem_colunas",
         {"insert into mov_log_atualizacao values (3)", "insert into mov_log_atualizacao values (7)",
          "insert into mov_log_atualizacao values (5)"},
         7,
         "Versao Inicial"},
        {"sem_colunas_log_vazio", {}, std::nullopt, "Versao Inicial"},
        {"com_colunas",
         {"alter table tab_parametro add script_rodado integer", "alter table tab_parametro add VERSAO_ERP varchar(30)",
          "update tab_parametro set script_rodado = 2, VERSAO_ERP = 'Versao 9'",
          "insert into mov_log_atualizacao values (7)"},
         2,
         "Versao 9"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ModeloTeste m;
        for (const std::string& sql : caso.preparar)
            m.banco.Executar(sql);

        m.Conectado([&] { AtualizarEstruturaParametro(*m.modelo.Sessao.IBD_BancoDados); });

        const auto linha = m.banco.Ler("select script_rodado, VERSAO_ERP from tab_parametro").at(0);
        EXPECT_EQ(linha.at("SCRIPT_RODADO").Nulo(), !caso.scriptRodado.has_value());
        EXPECT_EQ(linha.at("SCRIPT_RODADO").Inteiro(), caso.scriptRodado.value_or(0));
        EXPECT_EQ(linha.at("VERSAO_ERP").Texto(), caso.versao);
    }
}

// The first ALTER fails on the column that is there; the error reaches the
// generic error display and nothing after the update check runs.
TEST(AtualizarEstruturaParametro, SoScriptRodadoParaAInicializacaoNaVerificacao)
{
    ModeloTeste m;
    m.banco.Executar("alter table tab_parametro add script_rodado integer");
    m.instalacao.Gravar("Update/telmoraAtualizador.exe", "atualizador");

    m.modelo.FormCreate();

    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0].titulo, "telmora Monitor Comissão");
    EXPECT_EQ(m.tela.mensagens[0].icone, Icone::Erro);
    EXPECT_NE(m.tela.mensagens[0].texto.find("SCRIPT_RODADO"), std::string::npos) << m.tela.mensagens[0].texto;
    EXPECT_EQ(m.tela.pedidosEncerrar, 0);
    EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, "");
    EXPECT_FALSE(m.modelo.Timer1.Enabled);
    EXPECT_FALSE(m.modelo.Timer2.Enabled);
    EXPECT_EQ(ColunasVersao(m.banco), 1);
}

}  // namespace
