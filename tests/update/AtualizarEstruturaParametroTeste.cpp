// Schema upkeep on the model's own connection: the two version columns of
// tab_parametro are added once, with their first values, and a database that
// has only one of them stops the start-up at the update check; the descending
// indexes of the two identifier columns are created once, make max() read an
// index entry instead of the table, and a creation that fails says so.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "db/firebird/Consulta.h"
#include "db/firebird/ErroBanco.h"
#include "db/firebird/Transacao.h"
#include "tests/fixtures/Modelo.h"
#include "update/AtualizarEstruturaParametro.h"

namespace {

std::int64_t ColunasVersao(const BancoTeste& banco)
{
    return banco
        .Escalar(
            "select count(*) from rdb$relation_fields where rdb$relation_name = 'TAB_PARAMETRO'"
            " and rdb$field_name in ('SCRIPT_RODADO', 'VERSAO_ERP')")
        .Inteiro();
}

TEST(AtualizarEstruturaParametro, ColunasDeVersao)
{
    const struct {
        const char* nome;
        std::vector<std::string> preparar;
        std::optional<std::int64_t> scriptRodado;  // empty: NULL
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
// generic error display, nothing after the update check runs, and the start
// that could not complete asks the program to end.
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
    EXPECT_EQ(m.tela.pedidosEncerrar, 1);
    EXPECT_EQ(m.modelo.CodigoSaida(), 2);
    EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, "");
    EXPECT_FALSE(m.modelo.Timer1.Enabled);
    EXPECT_FALSE(m.modelo.Timer2.Enabled);
    EXPECT_EQ(ColunasVersao(m.banco), 1);
}

std::vector<std::string> IndicesDescendentes(const BancoTeste& banco, const std::string& tabela)
{
    std::vector<std::string> nomes;
    for (const auto& linha : banco.Ler("select trim(rdb$index_name) as nome from rdb$indices where rdb$index_type = 1"
                                       " and rdb$relation_name = '" +
                                       tabela + "' order by 1"))
        nomes.push_back(linha.at("NOME").Texto());
    return nomes;
}

// Every index on the column alone, in either direction.
std::vector<std::string> IndicesDaColuna(const BancoTeste& banco, const std::string& tabela, const std::string& coluna)
{
    std::vector<std::string> nomes;
    for (const auto& linha : banco.Ler("select trim(i.rdb$index_name) as nome from rdb$indices i inner join"
                                       " rdb$index_segments s on (s.rdb$index_name = i.rdb$index_name)"
                                       " where i.rdb$segment_count = 1 and i.rdb$relation_name = '" +
                                       tabela + "' and s.rdb$field_name = '" + coluna + "' order by 1"))
        nomes.push_back(linha.at("NOME").Texto());
    return nomes;
}

std::vector<std::string> IndicesDeExpressao(const BancoTeste& banco)
{
    std::vector<std::string> nomes;
    for (const auto& linha : banco.Ler("select trim(rdb$index_name) as nome from rdb$indices where"
                                       " rdb$relation_name = 'MOV_COMISSAO' and rdb$expression_source is not null"
                                       " order by 1"))
        nomes.push_back(linha.at("NOME").Texto());
    return nomes;
}

void Partida(ModeloTeste& m)
{
    m.modelo.ConectarBanco(m.modelo.LerCaminhoBanco());
    GarantirIndicesDoCalculo(*m.modelo.Sessao.IBD_BancoDados);
    m.modelo.DesconectarBanco();
}

TEST(AtualizarEstruturaParametro, IndicesDoCalculoCriadosUmaVez)
{
    ModeloTeste m;
    m.banco.Executar("insert into mov_comissao (id_comissao) values (41)");
    m.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa) values (5, '2013-03-25', 1, 10, 'A', 'N', 'A', 1)");

    Partida(m);
    Partida(m);

    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_COMISSAO"), std::vector<std::string>{"IX_MOV_COMISSAO_ID_DESC"});
    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_ACERTO_COMISSAO"),
              std::vector<std::string>{"IX_MOV_ACERTO_COMISSAO_ID_DESC"});
    const struct {
        const char* tabela;
        const char* coluna;
        const char* indice;
    } sinalizadores[] = {
        {"MOV_COMISSAO", "ST_BLOQUEIO_1", "IX_MOV_COMISSAO_ST_BLOQUEIO_1"},
        {"MOV_COMISSAO", "ST_ESTORNO_1", "IX_MOV_COMISSAO_ST_ESTORNO_1"},
        {"MOV_NF_COMERCIO", "ST_CALC_COMISSAO", "IX_NF_COMERCIO_ST_CALC_COMISSAO"},
        {"MOV_FINANCEIRO", "ST_CALC_COMISSAO", "IX_FINANCEIRO_ST_CALC_COMISSAO"},
        {"MOV_ACERTO_COMISSAO", "ST_CALC_COMISSAO", "IX_ACERTO_ST_CALC_COMISSAO"},
        {"MOV_NF_COMERCIO", "ST_CALC_ESTORNO", "IX_NF_COMERCIO_ST_CALC_ESTORNO"},
        {"MOV_FINANCEIRO", "DT_BAIXA", "IX_FINANCEIRO_DT_BAIXA"},
    };
    for (const auto& s : sinalizadores)
        EXPECT_EQ(IndicesDaColuna(m.banco, s.tabela, s.coluna), std::vector<std::string>{s.indice}) << s.coluna;
    EXPECT_EQ(IndicesDeExpressao(m.banco), std::vector<std::string>{"IX_MOV_COMISSAO_VL_ZERO"});
    // The statements that read the largest identifiers are unchanged and still agree.
    m.modelo.ConectarBanco(m.modelo.LerCaminhoBanco());
    EXPECT_EQ(m.modelo.Sessao.ProximoId("MOV_COMISSAO", "ID_COMISSAO"), 42);
    EXPECT_EQ(m.modelo.Sessao.ProximoId("mov_acerto_comissao", "id_acerto_comissao"), 6);
    m.modelo.DesconectarBanco();
    EXPECT_EQ(m.banco.Escalar("select Coalesce(max(id_acerto_comissao), 0) + 1 from mov_acerto_comissao").Inteiro(), 6);
}

// An index the suite made itself, under any name, is enough when it has the
// direction the run needs; an ascending one on an identifier is not.
TEST(AtualizarEstruturaParametro, IndiceDaSuiteServe)
{
    ModeloTeste m;
    m.banco.Executar("create descending index ix_suite_comissao on mov_comissao (id_comissao)");
    m.banco.Executar("alter index ix_suite_comissao inactive");
    m.banco.Executar("create index ix_suite_bloqueio on mov_comissao (st_bloqueio_1)");
    m.banco.Executar("create index ix_suite_acerto on mov_acerto_comissao (id_acerto_comissao)");
    m.banco.Executar("create index ix_suite_zerada on mov_comissao computed by ( IIF(VL_COMISSAO = 0,0,NULL) )");

    Partida(m);

    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_COMISSAO"), std::vector<std::string>{"IX_SUITE_COMISSAO"});
    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_ACERTO_COMISSAO"),
              std::vector<std::string>{"IX_MOV_ACERTO_COMISSAO_ID_DESC"});
    EXPECT_EQ(IndicesDaColuna(m.banco, "MOV_COMISSAO", "ST_BLOQUEIO_1"), std::vector<std::string>{"IX_SUITE_BLOQUEIO"});
    EXPECT_EQ(IndicesDeExpressao(m.banco), std::vector<std::string>{"IX_SUITE_ZERADA"});
}

// Rows the connection has read sequentially so far, from the monitoring
// tables, which keep one snapshot per transaction: each reading gets its own.
std::int64_t LeiturasSequenciais(BancoDados& banco)
{
    Transacao transacao("trnMonitoramento");
    transacao.Parametros = {"read_committed", "rec_version", "nowait"};
    transacao.DefinirBanco(&banco);
    Consulta consulta("qryMonitoramento", &banco);
    consulta.DefinirTransacao(&transacao);
    consulta.SQL =
        "select r.mon$record_seq_reads as lidas from mon$attachments a inner join mon$record_stats r"
        " on (r.mon$stat_id = a.mon$stat_id) where a.mon$attachment_id = current_connection";
    consulta.Abrir();
    const std::int64_t lidas = consulta.Campo("lidas").Inteiro();
    transacao.Confirmar();
    return lidas;
}

TEST(AtualizarEstruturaParametro, MaiorIdentificadorSemLerATabela)
{
    constexpr std::int64_t kLinhas = 2000;
    ModeloTeste m;
    m.banco.Executar("execute block as declare i integer = 1; begin while (i <= " + std::to_string(kLinhas) +
                     ") do begin insert into mov_comissao (id_comissao) values (:i); i = i + 1; end end");
    m.modelo.ConectarBanco(m.modelo.LerCaminhoBanco());
    BancoDados& banco = *m.modelo.Sessao.IBD_BancoDados;
    const auto lidasPeloProximoId = [&] {
        const std::int64_t antes = LeiturasSequenciais(banco);
        EXPECT_EQ(m.modelo.Sessao.ProximoId("MOV_COMISSAO", "ID_COMISSAO"), kLinhas + 1);
        return LeiturasSequenciais(banco) - antes;
    };

    EXPECT_GE(lidasPeloProximoId(), kLinhas);
    GarantirIndicesDoCalculo(banco);
    EXPECT_LT(lidasPeloProximoId(), kLinhas / 10);
    m.modelo.DesconectarBanco();
}

// Another program of the suite holds uncommitted rows of mov_comissao: the
// index cannot be built, the start-up stops after the update check with a
// message that names it, nothing of it stays behind, and the next start
// creates it.
TEST(AtualizarEstruturaParametro, IndiceQueNaoPodeSerCriadoParaAInicializacao)
{
    ModeloTeste m;
    m.instalacao.Gravar("Update/telmoraAtualizador.exe", "atualizador");
    BancoDados outroPrograma("outroPrograma");
    outroPrograma.Parametros = {"user_name=sysdba", "password=qzvlatren"};
    outroPrograma.NomeBanco = m.banco.Caminho();
    Transacao escrita("escrita");
    escrita.Parametros = {"read_committed", "rec_version", "nowait"};
    escrita.DefinirBanco(&outroPrograma);
    Consulta insercao("insercao", &outroPrograma);
    insercao.DefinirTransacao(&escrita);
    insercao.SQL = "insert into mov_comissao (id_comissao) values (5)";
    insercao.Executar();

    m.modelo.FormCreate();

    // The update check runs first and reports what the installation lacks.
    ASSERT_FALSE(m.tela.mensagens.empty());
    EXPECT_EQ(m.tela.mensagens.back().icone, Icone::Erro);
    const std::string& texto = m.tela.mensagens.back().texto;
    EXPECT_EQ(texto.rfind("Não foi possível criar o índice IX_MOV_COMISSAO_ID_DESC da tabela MOV_COMISSAO, que o "
                          "cálculo de comissões usa para numerar os registros.",
                          0),
              0u)
        << texto;
    EXPECT_NE(texto.find("object TABLE \"MOV_COMISSAO\" is in use"), std::string::npos) << texto;
    EXPECT_FALSE(m.modelo.Timer1.Enabled);

    escrita.Confirmar();
    m.modelo.DesconectarBanco();
    EXPECT_TRUE(IndicesDescendentes(m.banco, "MOV_COMISSAO").empty());
    EXPECT_TRUE(IndicesDescendentes(m.banco, "MOV_ACERTO_COMISSAO").empty());
    Partida(m);
    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_COMISSAO"), std::vector<std::string>{"IX_MOV_COMISSAO_ID_DESC"});
    EXPECT_EQ(m.banco.Escalar("select count(*) from mov_comissao").Inteiro(), 1);
}

// The marker file turns the update check off, and the suite's upkeep with
// it, but not the run's own indexes.
TEST(AtualizarEstruturaParametro, IndicesDoCalculoTambemSemAVerificacao)
{
    ModeloTeste m;
    m.instalacao.Gravar("Bin/DebugarZorvel.tmp", "");

    m.modelo.FormCreate();
    m.modelo.DesconectarBanco();

    EXPECT_EQ(IndicesDescendentes(m.banco, "MOV_COMISSAO"), std::vector<std::string>{"IX_MOV_COMISSAO_ID_DESC"});
    EXPECT_EQ(IndicesDaColuna(m.banco, "MOV_NF_COMERCIO", "ST_CALC_COMISSAO"),
              std::vector<std::string>{"IX_NF_COMERCIO_ST_CALC_COMISSAO"});
}

}  // namespace
