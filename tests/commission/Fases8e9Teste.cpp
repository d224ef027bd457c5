// Reversal of the commission advanced on invoicing when receivables stay
// overdue beyond the payment plan's days, on a real database whose due
// dates follow the server's clock. Plan 1 allows 30 days, plan 2 has none.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

namespace {

// The defaults make a receivable of type 2, unpaid, a day past the plan.
struct Financeiro {
    int id = 0;
    int nota = 0;
    std::string valor = "1000";
    std::string vencimento = "current_date - 31";
    std::string baixa = "null";
    int tipo = 2;
    std::string gerada = "null";
};

void InserirPlanos(const BancoTeste& banco)
{
    banco.Executar("insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (1, 30)");
    banco.Executar("insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (2, null)");
}

// The seller's type "1" row: what he was advanced on the invoice.
void InserirAdiantamento(const BancoTeste& banco, int id, int nota, int vendedor, const std::string& valor)
{
    banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio, id_vendedor, vl_comissao)"
        " values (" +
        std::to_string(id) + ", '1', " + std::to_string(nota) + ", " + std::to_string(vendedor) + ", " + valor + ")");
}

void InserirFinanceiro(const BancoTeste& banco, const Financeiro& f)
{
    banco.Executar(
        "insert into mov_financeiro (id_financeiro, id_nf_comercio, vl_documento, dt_vencto, dt_baixa,"
        " id_tp_mov_financ, id_comissao_gerada) values (" +
        std::to_string(f.id) + ", " + std::to_string(f.nota) + ", " + f.valor + ", " + f.vencimento + ", " + f.baixa +
        ", " + std::to_string(f.tipo) + ", " + f.gerada + ")");
}

std::map<std::string, Valor> LinhaNota(const BancoTeste& banco, int id)
{
    return banco.Ler("select * from mov_nf_comercio where id_nf_comercio = " + std::to_string(id)).at(0);
}

std::string MarcaFinanceiro(const BancoTeste& banco, int id)
{
    return banco.Escalar("select st_estornar_comissao from mov_financeiro where id_financeiro = " + std::to_string(id))
        .Texto();
}

std::vector<std::map<std::string, Valor>> Acertos(const BancoTeste& banco)
{
    return banco.Ler("select * from mov_acerto_comissao order by id_vendedor");
}

struct CasoMarcacao {
    const char* nome;
    NotaTeste nota;
    Financeiro financeiro;
    bool marcada;
};

// A marked invoice is reversed in the same run: it ends with its own
// identifier in id_comissao_estornada; its receivable is marked too.
TEST(Fases8e9, MarcaSoNotasElegiveisComRecebivelVencidoAlemDoPlano)
{
    const CasoMarcacao casos[] = {
        {"tipo_2_vencido", {}, {}, true},
        {"tipo_8_vencido", {}, {.tipo = 8}, true},
        {"tipo_3_vencido", {}, {.tipo = 3}, false},
        {"vencido_ha_30_dias", {}, {.vencimento = "current_date - 30"}, false},
        {"recebivel_pago", {}, {.baixa = "current_date - 1"}, false},
        {"sem_plano", {.plano = "null"}, {}, false},
        {"plano_sem_dias", {.plano = "2"}, {}, false},
        {"nao_elegivel", {.estornar = "'N'"}, {}, false},
        {"elegibilidade_nula", {.estornar = "null"}, {}, false},
        {"estornada_antes", {.estornada = "999"}, {}, false},
        {"estado_4", {.situacao = "4"}, {}, false},
        {"estado_5", {.situacao = "5"}, {}, true},
        {"total_zero", {.total = "0", .produtos = "0"}, {}, false},
    };
    FaseTeste f;
    InserirPlanos(f.banco);
    int id = 0;
    for (CasoMarcacao caso : casos) {
        caso.nota.id = caso.financeiro.id = caso.financeiro.nota = ++id;
        InserirNota(f.banco, caso.nota);
        InserirFinanceiro(f.banco, caso.financeiro);
    }

    f.Rodar(ExecutarFases8e9);

    id = 0;
    for (const CasoMarcacao& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        const auto nota = LinhaNota(f.banco, id);
        if (caso.marcada) {
            EXPECT_EQ(nota.at("ID_COMISSAO_ESTORNADA").Inteiro(), id);
            EXPECT_EQ(nota.at("ST_CALC_ESTORNO").Texto(), "N");
            EXPECT_EQ(nota.at("PO_COMISSAO_ESTORNADA").ComoDinheiro().Texto(), "100.0000");
            EXPECT_EQ(MarcaFinanceiro(f.banco, id), "S");
        } else {
            EXPECT_EQ(nota.at("ID_COMISSAO_ESTORNADA").Inteiro(), caso.nota.estornada == "null" ? 0 : 999);
            EXPECT_TRUE(nota.at("ST_CALC_ESTORNO").Nulo());
            EXPECT_TRUE(nota.at("PO_COMISSAO_ESTORNADA").Nulo());
            EXPECT_TRUE(MarcaFinanceiro(f.banco, id).empty());
        }
    }
    EXPECT_TRUE(Acertos(f.banco).empty());
}

// Slot 1 has an advance; slot 2 none ("N"), slot 3 none (NULL), slots 4 and
// 5 an advance flag but no seller. Phase 7 runs before 8 and 9, as in a full
// run after phase 5 has bound IBQ_Gen to IBT_Gen, so the settlement becomes
// a commission row only in the next run.
TEST(Fases8e9, ExemploEstornaAParteAntecipadaDoVendedor)
{
    FaseTeste f;
    InserirPlanos(f.banco);
    InserirNota(f.banco, {.id = 1});
    f.banco.Executar(
        "update mov_nf_comercio set nr_nota_fiscal = '4321',"
        " id_vendedor = 7, po_comissao = 5, st_credito_fat = 'S', po_credito_fat = 40,"
        " id_vendedor2 = 9, po_comissao2 = 5, st_credito_fat2 = 'N', po_credito_fat2 = 40,"
        " id_vendedor3 = 11, po_comissao3 = 5, st_credito_fat3 = null, po_credito_fat3 = 40,"
        " id_vendedor4 = null, po_comissao4 = 5, st_credito_fat4 = 'S', po_credito_fat4 = 40,"
        " id_vendedor5 = 0, po_comissao5 = 5, st_credito_fat5 = 'S', po_credito_fat5 = 40");
    InserirFinanceiro(f.banco, {.id = 1, .nota = 1, .valor = "400", .baixa = "current_date - 40", .gerada = "77"});
    InserirFinanceiro(f.banco, {.id = 2, .nota = 1, .valor = "600"});
    InserirAdiantamento(f.banco, 1, 1, 7, "20.00");
    InserirAdiantamento(f.banco, 2, 1, 9, "20.00");

    const auto rodadaCompleta = [&] {
        f.Conectado([&] {
            f.sessao.ExecutarComando(f.sessao.IBQ_Gen, " update tab_parametro set hr_atualizar_comissao = 7", true);
            ContextoFase fase7 = f.Contexto();
            ExecutarFase7(fase7);
            ContextoFase fases8e9 = f.Contexto();
            ExecutarFases8e9(fases8e9);
        });
    };
    rodadaCompleta();

    const auto acertos = Acertos(f.banco);
    ASSERT_EQ(acertos.size(), 1u);
    const auto& a = acertos[0];
    EXPECT_EQ(a.at("ID_ACERTO_COMISSAO").Inteiro(), 1);
    EXPECT_EQ(a.at("ID_VENDEDOR").Inteiro(), 7);
    EXPECT_EQ(a.at("VL_ACERTO").ComoDinheiro().Texto(), "12.0000");
    EXPECT_EQ(a.at("TP_ACERTO").Texto(), "D");
    EXPECT_EQ(a.at("ST_IRRF").Texto(), "S");
    EXPECT_EQ(a.at("DS_ACERTO").Texto(), "Estorno da comissão antecipada da NF 4321");
    EXPECT_EQ(a.at("DT_PAGAMENTO").Data(), DataHora::De(2013, 3, 25));
    EXPECT_EQ(a.at("ID_EMPRESA").Inteiro(), 1);
    EXPECT_TRUE(a.at("ID_COMISSAO_GERADA").Nulo());
    EXPECT_EQ(a.at("ST_CALC_COMISSAO").Texto(), "S");
    EXPECT_EQ(a.at("ID_COMISSAO_ESTORNADA").Inteiro(), 1);

    const auto nota = LinhaNota(f.banco, 1);
    EXPECT_EQ(nota.at("PO_COMISSAO_ESTORNADA").ComoDinheiro().Texto(), "60.0000");
    EXPECT_EQ(nota.at("ST_CALC_ESTORNO").Texto(), "N");
    EXPECT_EQ(nota.at("ID_COMISSAO_ESTORNADA").Inteiro(), 1);
    const std::string flags = nota.at("ST_CREDITO_FAT").Texto() + nota.at("ST_CREDITO_FAT2").Texto() + "|" +
                              nota.at("ST_CREDITO_FAT3").Texto() + "|" + nota.at("ST_CREDITO_FAT4").Texto() +
                              nota.at("ST_CREDITO_FAT5").Texto();
    EXPECT_EQ(flags, "NN||SS");
    EXPECT_TRUE(MarcaFinanceiro(f.banco, 1).empty());
    EXPECT_EQ(MarcaFinanceiro(f.banco, 2), "S");
    EXPECT_EQ(f.banco.Escalar("select count(*) from mov_comissao where tp_registro = '3'").Inteiro(), 0);
    EXPECT_EQ(f.progresso.fases, (std::vector<int>{7, 8, 9}));
    // The receivable whose advance was taken back goes to phase 6 again; the
    // one already in a commission payment stays as it was.
    EXPECT_EQ(f.banco.Escalar("select st_calc_comissao from mov_financeiro where id_financeiro = 2").Texto(), "S");
    EXPECT_TRUE(f.banco.Escalar("select st_calc_comissao from mov_financeiro where id_financeiro = 1").Nulo());

    rodadaCompleta();

    EXPECT_EQ(Acertos(f.banco).size(), 1u);
    const auto movimentos = f.banco.Ler("select * from mov_comissao where tp_registro = '3'");
    ASSERT_EQ(movimentos.size(), 1u);
    EXPECT_EQ(movimentos[0].at("VL_COMISSAO").ComoDinheiro().Texto(), "-12.0000");
    EXPECT_EQ(movimentos[0].at("NM_CLIENTE").Texto(), "Estorno da comissão antecipada da NF 4321");
}

// The only overdue receivable already belongs to a commission payment: it
// still marks the invoice but leaves nothing to reverse.
TEST(Fases8e9, SemRecebivelForaDePagamentoOAcertoEZero)
{
    FaseTeste f;
    InserirPlanos(f.banco);
    InserirNota(f.banco, {.id = 1});
    f.banco.Executar(
        "update mov_nf_comercio set id_vendedor = 7, po_comissao = 5, st_credito_fat = 'S',"
        " po_credito_fat = 40");
    InserirFinanceiro(f.banco, {.id = 1, .nota = 1, .gerada = "55"});

    f.Rodar(ExecutarFases8e9);

    const auto nota = LinhaNota(f.banco, 1);
    EXPECT_TRUE(nota.at("PO_COMISSAO_ESTORNADA").Nulo());
    EXPECT_EQ(nota.at("ID_COMISSAO_ESTORNADA").Inteiro(), 1);
    EXPECT_EQ(nota.at("ST_CREDITO_FAT").Texto(), "N");
    EXPECT_TRUE(MarcaFinanceiro(f.banco, 1).empty());
    const auto acertos = Acertos(f.banco);
    ASSERT_EQ(acertos.size(), 1u);
    EXPECT_TRUE(acertos[0].at("VL_ACERTO").ComoDinheiro().Zero());
}

// Each slot's settlement takes the next identifier after the existing ones.
TEST(Fases8e9, CincoVendedoresAntecipadosCincoAcertos)
{
    FaseTeste f;
    InserirPlanos(f.banco);
    f.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao) values (10, '01.01.2013', 1, 1,"
        " 'A', 'N', 'Anterior', 1, 'N')");
    InserirNota(f.banco, {.id = 1, .desconto = "100"});
    f.banco.Executar(
        "update mov_nf_comercio set"
        " id_vendedor = 21, po_comissao = 1, st_credito_fat = 'S', po_credito_fat = 50,"
        " id_vendedor2 = 22, po_comissao2 = 2, st_credito_fat2 = 'S', po_credito_fat2 = 50,"
        " id_vendedor3 = 23, po_comissao3 = 3, st_credito_fat3 = 'S', po_credito_fat3 = 50,"
        " id_vendedor4 = 24, po_comissao4 = 4, st_credito_fat4 = 'S', po_credito_fat4 = 50,"
        " id_vendedor5 = 25, po_comissao5 = 5, st_credito_fat5 = 'S', po_credito_fat5 = 50");
    InserirFinanceiro(f.banco, {.id = 1, .nota = 1});
    const char* const valores[] = {"4.5000", "9.0000", "13.5000", "18.0000", "22.5000"};
    for (int slot = 1; slot <= 5; ++slot)
        InserirAdiantamento(f.banco, slot, 1, 20 + slot, valores[slot - 1]);

    f.Rodar(ExecutarFases8e9);

    const auto acertos = f.banco.Ler(
        "select * from mov_acerto_comissao where id_acerto_comissao > 10"
        " order by id_vendedor");
    ASSERT_EQ(acertos.size(), std::size(valores));
    std::set<std::int64_t> identificadores;
    for (std::size_t i = 0; i < acertos.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(acertos[i].at("ID_VENDEDOR").Inteiro(), static_cast<std::int64_t>(21 + i));
        EXPECT_EQ(acertos[i].at("VL_ACERTO").ComoDinheiro().Texto(), valores[i]);
        identificadores.insert(acertos[i].at("ID_ACERTO_COMISSAO").Inteiro());
    }
    EXPECT_EQ(identificadores, (std::set<std::int64_t>{11, 12, 13, 14, 15}));
    const auto nota = LinhaNota(f.banco, 1);
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(nota.at(slot == 1 ? "ST_CREDITO_FAT" : "ST_CREDITO_FAT" + std::to_string(slot)).Texto(), "N");
}

}  // namespace
