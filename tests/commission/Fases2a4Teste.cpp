// Blocking of undelivered invoices' commission and the reversal and payback
// settlements, on a real database whose dates follow the server's clock.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "comum/Erros.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

namespace {

// Natures 1 to 4 require the delivery check "S", "N", NULL and "S" again;
// situations 1 to 4 allow commission "S", another letter, NULL and "N".
void InserirNaturezasESituacoes(const BancoTeste& banco)
{
    for (const char* valores : {"(1, 'S')", "(2, 'N')", "(3, null)", "(4, 'S')"})
        banco.Executar(std::string("insert into tab_nat_operacao (id_nat_operacao, st_verifica_fase) values ") +
                       valores);
    for (const char* valores : {"(1, 'S')", "(2, 'X')", "(3, null)", "(4, 'N')"})
        banco.Executar(
            std::string("insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values ") +
            valores);
}

// Values as SQL text; the seller identifies the movement's settlement.
struct Movimento {
    int id;
    std::string tipo = "'1'";
    std::string nota = "1";
    std::string documento = "'12345'";
    int vendedor = 7;
    std::string comissao = "16.00";
    std::string credito = "'10.03.2013'";
    std::string bloqueio = "'N'";
    std::string estorno = "'N'";
};

void InserirMovimento(const BancoTeste& banco, const Movimento& m)
{
    banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio, id_empresa, id_vendedor,"
        " no_documento, vl_comissao, dt_credito, st_bloqueio_1, st_estorno_1) values (" +
        std::to_string(m.id) + ", " + m.tipo + ", " + m.nota + ", 1, " + std::to_string(m.vendedor) + ", " +
        m.documento + ", " + m.comissao + ", " + m.credito + ", " + m.bloqueio + ", " + m.estorno + ")");
}

std::string Flags(const BancoTeste& banco, int idMovimento)
{
    const auto linha = banco.Ler("select st_bloqueio_1, st_estorno_1 from mov_comissao where id_comissao = " +
                                 std::to_string(idMovimento));
    return linha.at(0).at("ST_BLOQUEIO_1").Texto() + linha.at(0).at("ST_ESTORNO_1").Texto();
}

std::vector<std::map<std::string, Valor>> AcertosDoVendedor(const BancoTeste& banco, int vendedor)
{
    return banco.Ler("select * from mov_acerto_comissao where id_vendedor = " + std::to_string(vendedor) +
                     " order by id_acerto_comissao");
}

struct CasoBloqueio {
    const char* nome;
    const char* emissao;
    int natureza;
    const char* situacao;
    bool bloqueia;
};

// Every movement starts with NULL flags: a blocked one ends reversed
// ("S", "S") with a debit settlement, any other one normal ("N", "N").
TEST(Fases2a4, BloqueiaSoNotasSemCanhotoApos45DiasDoServidor)
{
    const CasoBloqueio casos[] = {
        {"sem_situacao_46_dias", "current_date - 46", 1, "null", true},
        {"sem_situacao_45_dias", "current_date - 45", 1, "null", false},
        {"situacao_outra_letra", "current_date - 46", 1, "2", true},
        {"situacao_paga", "current_date - 46", 1, "1", false},
        {"situacao_nula", "current_date - 46", 1, "3", false},
        {"situacao_inexistente", "current_date - 46", 1, "99", false},
        {"natureza_sem_verificacao", "current_date - 46", 2, "null", false},
        {"natureza_verificacao_nula", "current_date - 46", 3, "null", false},
        {"outra_natureza_com_verificacao", "current_date - 46", 4, "null", true},
        {"outra_situacao_sem_comissao", "current_date - 46", 1, "4", true},
        {"outra_natureza_e_outra_situacao", "current_date - 46", 4, "2", true},
        {"outra_natureza_situacao_paga", "current_date - 46", 4, "1", false},
        {"no_dia_do_corte", "'02.08.2012'", 1, "null", true},
        {"antes_do_corte", "'01.08.2012'", 1, "null", false},
    };
    FaseTeste f;
    InserirNaturezasESituacoes(f.banco);
    int id = 0;
    for (const CasoBloqueio& caso : casos) {
        ++id;
        InserirNota(
            f.banco,
            {.id = id, .emissao = caso.emissao, .natureza = std::to_string(caso.natureza), .orcamento = caso.situacao});
        InserirMovimento(f.banco,
                         {.id = id, .nota = std::to_string(id), .vendedor = id, .bloqueio = "null", .estorno = "null"});
    }
    InserirMovimento(f.banco, {.id = 100,
                               .tipo = "'3'",
                               .nota = "null",
                               .documento = "null",
                               .vendedor = 100,
                               .bloqueio = "null",
                               .estorno = "null"});

    f.Rodar(ExecutarFases2a4);

    id = 0;
    for (const CasoBloqueio& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        EXPECT_EQ(Flags(f.banco, id), caso.bloqueia ? "SS" : "NN");
        EXPECT_EQ(AcertosDoVendedor(f.banco, id).size(), caso.bloqueia ? 1u : 0u);
    }
    EXPECT_EQ(Flags(f.banco, 100), "NN");
    EXPECT_EQ(f.progresso.fases, (std::vector<int>{2, 3}));
}

struct CasoAcerto {
    const char* nome;
    const char* tipo;
    const char* documento;
    const char* credito;
    const char* comissao;
    DataHora data;
    const char* descricao;
    const char* valor;
};

// The clock stands at 25 March 2013, 07:05.
TEST(Fases2a4, AcertoDeEstornoTemDataDescricaoEValorDoMovimento)
{
    const DataHora hoje = DataHora::De(2013, 3, 25);
    const CasoAcerto casos[] = {
        {"exemplo_credito_passado", "'1'", "'12345'", "'10.03.2013'", "16.00", hoje,
         "ESTORNO REF CANHOTO NÃO RECEBIDO NF 12.345", "16.0000"},
        {"credito_futuro", "'1'", "'999'", "'10.04.2013'", "16.00", DataHora::De(2013, 4, 10),
         "ESTORNO REF CANHOTO NÃO RECEBIDO NF 999", "16.0000"},
        {"credito_hoje", "'1'", "'1'", "'25.03.2013'", "16.00", hoje, "ESTORNO REF CANHOTO NÃO RECEBIDO NF 1",
         "16.0000"},
        {"credito_nulo", "'1'", "'1'", "null", "16.00", hoje, "ESTORNO REF CANHOTO NÃO RECEBIDO NF 1", "16.0000"},
        {"nota_com_milhoes", "'1'", "'1234567'", "null", "16.00", hoje, "ESTORNO REF CANHOTO NÃO RECEBIDO NF 1.234.567",
         "16.0000"},
        {"duplicata", "'2'", "'123/A'", "null", "1234.50", hoje, "ESTORNO REF CANHOTO NÃO RECEBIDO DUP 123/A",
         "1234.5000"},
        {"duplicata_com_aspa", "'2'", "'12''B'", "null", "0.50", hoje, "ESTORNO REF CANHOTO NÃO RECEBIDO DUP 12'B",
         "0.5000"},
    };
    FaseTeste f;
    InserirNaturezasESituacoes(f.banco);
    InserirNota(f.banco, {.id = 1, .emissao = "current_date - 46"});
    int id = 0;
    for (const CasoAcerto& caso : casos) {
        ++id;
        InserirMovimento(f.banco, {.id = id,
                                   .tipo = caso.tipo,
                                   .documento = caso.documento,
                                   .vendedor = id,
                                   .comissao = caso.comissao,
                                   .credito = caso.credito,
                                   .bloqueio = "'S'"});
    }

    f.Rodar(ExecutarFases2a4);

    id = 0;
    for (const CasoAcerto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        const auto acertos = AcertosDoVendedor(f.banco, id);
        ASSERT_EQ(acertos.size(), 1u);
        const auto& a = acertos[0];
        EXPECT_EQ(a.at("DT_PAGAMENTO").Data(), caso.data);
        EXPECT_EQ(a.at("DS_ACERTO").Texto(), caso.descricao);
        EXPECT_EQ(a.at("VL_ACERTO").ComoDinheiro().Texto(), caso.valor);
        EXPECT_EQ(a.at("TP_ACERTO").Texto(), "D");
        EXPECT_EQ(a.at("ST_IRRF").Texto(), "N");
        EXPECT_EQ(a.at("ID_EMPRESA").Inteiro(), 1);
        EXPECT_TRUE(a.at("ID_COMISSAO_GERADA").Nulo());
        EXPECT_EQ(a.at("ST_CALC_COMISSAO").Texto(), "S");
        EXPECT_TRUE(a.at("ID_COMISSAO_ESTORNADA").Nulo());
        EXPECT_EQ(Flags(f.banco, id), "SS");
    }
    const auto quantidade = static_cast<std::int64_t>(std::size(casos));
    EXPECT_EQ(f.banco.Escalar("select count(distinct id_acerto_comissao) from mov_acerto_comissao").Inteiro(),
              quantidade);
    EXPECT_EQ(f.banco.Escalar("select max(id_acerto_comissao) from mov_acerto_comissao").Inteiro(), quantidade);
}

// One invoice with a movement of each kind goes through blocking, reversal,
// unblocking and payback; phase 7 turns each settlement into a type "3" row
// in the run that wrote it.
TEST(Fases2a4, CicloDoMovimentoEntreRodadas)
{
    FaseTeste f;
    InserirNaturezasESituacoes(f.banco);
    InserirNota(f.banco, {.id = 1, .emissao = "current_date - 46", .orcamento = "2"});
    InserirMovimento(f.banco, {.id = 1});
    InserirMovimento(f.banco, {.id = 2, .tipo = "'2'", .documento = "'123/A'", .vendedor = 8, .comissao = "4.00"});

    const auto valoresTipo3 = [&](int vendedor) {
        std::vector<std::string> valores;
        for (const auto& linha : f.banco.Ler("select vl_comissao from mov_comissao where tp_registro = '3' and"
                                             " id_vendedor = " +
                                             std::to_string(vendedor) + " order by id_comissao"))
            valores.push_back(linha.at("VL_COMISSAO").ComoDinheiro().Texto());
        return valores;
    };

    f.Rodar(ExecutarFases2a4);
    f.Rodar(ExecutarFase7);
    EXPECT_EQ(Flags(f.banco, 1), "SS");
    EXPECT_EQ(Flags(f.banco, 2), "SS");
    EXPECT_EQ(AcertosDoVendedor(f.banco, 8).at(0).at("DS_ACERTO").Texto(),
              "ESTORNO REF CANHOTO NÃO RECEBIDO DUP 123/A");
    EXPECT_EQ(valoresTipo3(7), std::vector<std::string>{"-16.0000"});
    EXPECT_EQ(valoresTipo3(8), std::vector<std::string>{"-4.0000"});

    // Still blocked: neither reversed again nor paid back.
    f.Rodar(ExecutarFases2a4);
    EXPECT_EQ(Flags(f.banco, 1), "SS");
    EXPECT_EQ(f.banco.Escalar("select count(*) from mov_acerto_comissao").Inteiro(), 2);
    EXPECT_EQ(f.progresso.fases, (std::vector<int>{2, 3, 7, 2, 3}));

    f.banco.Executar("update fix_situacao_orcamento set st_pagar_comissao = 'S' where id_situacao_orcamento = 2");
    f.Rodar(ExecutarFases2a4);
    EXPECT_EQ(f.progresso.fases.back(), 4);
    f.Rodar(ExecutarFase7);

    EXPECT_EQ(Flags(f.banco, 1), "NN");
    EXPECT_EQ(Flags(f.banco, 2), "NN");
    const auto acertos = AcertosDoVendedor(f.banco, 7);
    ASSERT_EQ(acertos.size(), 2u);
    EXPECT_EQ(acertos[1].at("TP_ACERTO").Texto(), "A");
    EXPECT_EQ(acertos[1].at("DS_ACERTO").Texto(), "PAGTO REF CANHOTO NÃO RECEBIDO NF 12.345");
    EXPECT_EQ(acertos[1].at("VL_ACERTO").ComoDinheiro().Texto(), "16.0000");
    EXPECT_EQ(AcertosDoVendedor(f.banco, 8).at(1).at("DS_ACERTO").Texto(), "PAGTO REF CANHOTO NÃO RECEBIDO DUP 123/A");
    EXPECT_EQ(valoresTipo3(7), (std::vector<std::string>{"-16.0000", "16.0000"}));
    EXPECT_EQ(valoresTipo3(8), (std::vector<std::string>{"-4.0000", "4.0000"}));
    EXPECT_EQ(f.banco.Escalar("select count(*) from mov_acerto_comissao where st_calc_comissao = 'S'").Inteiro(), 0);
}

// The suite allows invoice numbers with letters: such a number goes into the
// description as it stands, a whole number grouped, and both are reversed.
TEST(Fases2a4, NumeroDeNotaComLetrasVaiComoEstaNaDescricao)
{
    FaseTeste f;
    InserirNaturezasESituacoes(f.banco);
    InserirNota(f.banco, {.id = 1, .emissao = "current_date - 46"});
    InserirMovimento(f.banco, {.id = 1, .documento = "'12345-A'", .bloqueio = "null", .estorno = "null"});
    InserirMovimento(f.banco, {.id = 2, .documento = "'12345'", .vendedor = 8, .bloqueio = "null", .estorno = "null"});

    f.Rodar(ExecutarFases2a4);

    EXPECT_EQ(Flags(f.banco, 1), "SS");
    EXPECT_EQ(AcertosDoVendedor(f.banco, 7).at(0).at("DS_ACERTO").Texto(),
              "ESTORNO REF CANHOTO NÃO RECEBIDO NF 12345-A");
    EXPECT_EQ(AcertosDoVendedor(f.banco, 8).at(0).at("DS_ACERTO").Texto(),
              "ESTORNO REF CANHOTO NÃO RECEBIDO NF 12.345");
}

}  // namespace
