// The claw-back of commission advanced on overdue invoices, over several
// runs on a real database: it takes back the reversed share of what the
// seller was advanced and no more, the undelivered-receipt reversal never
// takes the same advance a second time, and once everything is received the
// seller holds his whole commission.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/commission/CenarioNota.h"
#include "tests/commission/Sorteio.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/Modelo.h"

namespace {

// Seller 7: 5 % of the invoice, 40 % of it credited on invoicing.
const SlotTeste kAdiantado{"7", "5", "'S'", "40"};

// Plan 1 reverses the advance 30 days after a due date; nature 1 is mode 0
// and checks the delivery receipt; situation 1 is a receipt that came back.
void InserirCadastrosDoEstorno(const BancoTeste& banco)
{
    InserirCadastros(banco);
    InserirNatureza(banco, 1, "0");
    banco.Executar("update tab_nat_operacao set st_verifica_fase = 'S' where id_nat_operacao = 1");
    banco.Executar("insert into tab_plano_pagto (id_plano_pagto, qt_dias_estorna_comissao) values (1, 30)");
    banco.Executar("insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (1, 'S')");
}

// An installment of type 2, pending for phase 6; vencimento and baixa are SQL.
void InserirParcela(const BancoTeste& banco, int id, int nota, const std::string& valor, const std::string& vencimento,
                    const std::string& baixa = "null", const std::string& gerada = "null")
{
    banco.Executar(
        "insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto,"
        " dt_baixa, id_tp_mov_financ, id_comissao_gerada, st_calc_comissao) values (" +
        std::to_string(id) + ", " + std::to_string(nota) + ", 'NF" + std::to_string(nota) + "/" + std::to_string(id) +
        "', " + valor + ", " + vencimento + ", " + baixa + ", 2, " + gerada + ", 'S')");
}

// What the seller holds: his rows on invoicing and settlements, his rows of
// installments received, and the settlements that phase 7 has yet to turn
// into rows (debits negative).
std::string Liquido(const BancoTeste& banco, int vendedor)
{
    const std::string id = std::to_string(vendedor);
    return Mostrar(banco.Escalar(
        "select coalesce((select sum(vl_comissao) from mov_comissao where id_vendedor = " + id +
        " and (tp_registro <> '2' or st_recebimento = 'S')), 0) + coalesce((select sum(case tp_acerto when 'D'"
        " then -vl_acerto else vl_acerto end) from mov_acerto_comissao where st_calc_comissao = 'S' and"
        " id_vendedor = " +
        id + "), 0) from rdb$database"));
}

std::string Acerto(const BancoTeste& banco, const std::string& descricao)
{
    return Mostrar(
        banco.Escalar("select sum(vl_acerto) from mov_acerto_comissao where ds_acerto like '" + descricao + "%'"));
}

void Rodar(ModeloTeste& m)
{
    m.modelo.edtHoraAtualizacao.Text = "7";
    m.modelo.BitBtn2Click();
}

// One item of 1000.00 with a commission reduction of 3.00, a receipt that
// came back, and two installments of 500.00 due in the future.
void InserirNotaComDuasParcelas(const BancoTeste& banco, const std::string& frete)
{
    InserirNota(banco, {.id = 1, .base = "null", .comissao = "null", .orcamento = "1", .slots = {kAdiantado}});
    InserirItem(banco, {.id = 1,
                        .nota = 1,
                        .unitario = "1000",
                        .total = "1000",
                        .freteIncluso = frete.empty() ? "'N'" : "'S'",
                        .freteUnitario = frete.empty() ? "0" : frete,
                        .reducao = "3",
                        .percentual = "5"});
    InserirParcela(banco, 1, 1, "500", "current_date + 10");
    InserirParcela(banco, 2, 1, "500", "current_date + 40");
}

}  // namespace

// Advance, first installment paid, second overdue, claw-back, second paid.
// The seller ends with his whole commission, 5 % of 1000.00 less the
// reduction once (47.00), as if he had never been advanced anything.
TEST(EstornoAdiantamento, CicloCompletoTerminaNaComissaoIntegral)
{
    ModeloTeste m;
    InserirCadastrosDoEstorno(m.banco);
    InserirNotaComDuasParcelas(m.banco, "");
    struct Passo {
        const char* nome;
        const char* antes;
        const char* liquido;
    };
    const Passo passos[] = {
        {"adiantamento", "", "18.8"},
        {"primeira_paga",
         "update mov_financeiro set dt_baixa = current_date - 1, st_calc_comissao = 'S'"
         " where id_financeiro = 1",
         "32.9"},
        {"segunda_vencida", "update mov_financeiro set dt_vencto = current_date - 31 where id_financeiro = 2", "14.1"},
        {"primeira_refeita_no_percentual_integral", "", "23.5"},
        {"nota_refeita_pela_suite", "update mov_nf_comercio set st_calc_comissao = 'S'", "23.5"},
        {"segunda_paga",
         "update mov_financeiro set dt_baixa = current_date, st_calc_comissao = 'S'"
         " where id_financeiro = 2",
         "47"},
        {"nada_mais_muda", "", "47"},
    };
    for (const Passo& passo : passos) {
        SCOPED_TRACE(passo.nome);
        if (*passo.antes != '\0')
            m.banco.Executar(passo.antes);
        Rodar(m);
        EXPECT_EQ(Liquido(m.banco, 7), passo.liquido);
    }
    EXPECT_EQ(Acerto(m.banco, "Estorno da comissão antecipada"), "18.8");
}

// Freight inside the item makes the base 900.00, not products less discount,
// and the reduction takes its credited share: the advance is 16.80, and that
// is what the claw-back takes when the whole invoice is overdue.
TEST(EstornoAdiantamento, TomaOAdiantamentoComoFoiGravado)
{
    ModeloTeste m;
    InserirCadastrosDoEstorno(m.banco);
    InserirNotaComDuasParcelas(m.banco, "100");
    m.banco.Executar("update mov_financeiro set dt_vencto = current_date - 31");

    Rodar(m);

    EXPECT_EQ(Movimentos(m.banco, "where tp_registro = '1'"), std::vector<std::string>{"7 900 1.87 16.8"});
    EXPECT_EQ(Acerto(m.banco, "Estorno da comissão antecipada"), "16.8");
}

struct CasoOrdem {
    const char* nome;
    bool estornoDoCanhotoAntes;
    const char* estornoDoCanhoto;
    const char* estornoAntecipado;
};

// The advance of 20.00 is 60 % overdue (600.00 of 1000.00 outside any
// commission payment). Whichever reversal comes first, the two together
// take the advance once (20.00), and once the receipt comes back the seller
// keeps the 40 % not overdue, 8.00, as the claw-back alone leaves him.
TEST(EstornoAdiantamento, EstornoDoCanhotoEEstornoAntecipadoNaoTomamDuasVezes)
{
    const CasoOrdem casos[] = {
        {"canhoto_primeiro", true, "20", "0"},
        {"antecipado_primeiro", false, "8", "12"},
    };
    for (const CasoOrdem& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ModeloTeste m;
        InserirCadastrosDoEstorno(m.banco);
        InserirNota(
            m.banco,
            {.id = 1, .emissao = "current_date - 60", .calcular = "'N'", .orcamento = "1", .slots = {kAdiantado}});
        m.banco.Executar(
            "insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio, id_empresa, id_vendedor,"
            " no_documento, vl_comissao, dt_credito, st_bloqueio_1, st_estorno_1) values (1, '1', 1, 1, 7,"
            " 'NF1', 20.00, current_date - 60, 'N', 'N')");
        InserirParcela(m.banco, 1, 1, "400", "current_date - 50", "current_date - 45", "77");
        InserirParcela(m.banco, 2, 1, "600", "current_date + 10");
        m.banco.Executar("update mov_financeiro set st_calc_comissao = 'N'");
        const char* const canhotoNaoVoltou = "update mov_nf_comercio set id_situacao_orcamento = null";
        const char* const parcelaVenceu =
            "update mov_financeiro set dt_vencto = current_date - 31 where id_financeiro = 2";

        m.banco.Executar(caso.estornoDoCanhotoAntes ? canhotoNaoVoltou : parcelaVenceu);
        Rodar(m);
        m.banco.Executar(caso.estornoDoCanhotoAntes ? parcelaVenceu : canhotoNaoVoltou);
        Rodar(m);
        EXPECT_EQ(Acerto(m.banco, "ESTORNO REF CANHOTO NÃO RECEBIDO NF"), caso.estornoDoCanhoto);
        EXPECT_EQ(Acerto(m.banco, "Estorno da comissão antecipada"), caso.estornoAntecipado);

        m.banco.Executar("update mov_nf_comercio set id_situacao_orcamento = 1");
        Rodar(m);
        EXPECT_EQ(Acerto(m.banco, "PAGTO REF CANHOTO NÃO RECEBIDO NF"), "8");
    }
}

// Over generated invoices (bases that are not products less discount,
// reductions, standing reversals, credited shares, installments paid, in a
// commission payment or overdue), no claw-back settlement exceeds what
// stood advanced to its seller on its invoice.
TEST(EstornoAdiantamento, NuncaTomaMaisDoQueEstaAdiantado)
{
    ModeloTeste m;
    InserirCadastrosDoEstorno(m.banco);
    Sorteio sorteio(20261211);
    int parcela = 0;
    for (int nota = 1; nota <= 40; ++nota) {
        const std::int64_t produtos = sorteio.Entre(10'000, 500'000);
        InserirNota(m.banco, {.id = nota,
                              .total = Reais(produtos),
                              .produtos = Reais(produtos),
                              .base = "null",
                              .comissao = "null",
                              .orcamento = sorteio.CaraOuCoroa() ? "1" : "null",
                              .slots = {{"7", Reais(sorteio.Entre(100, 1000)), "'S'", Reais(sorteio.Entre(0, 10'000))},
                                        {"8", "3", sorteio.CaraOuCoroa() ? "'S'" : "'N'", "50"}}});
        InserirItem(m.banco, {.id = nota,
                              .nota = nota,
                              .unitario = Reais(produtos),
                              .total = Reais(produtos),
                              .freteIncluso = "'S'",
                              .freteUnitario = Reais(sorteio.Entre(0, produtos / 4)),
                              .reducao = Reais(sorteio.Entre(-500, 2000)),
                              .percentual = "5"});
        std::int64_t restante = produtos;
        for (int numero = 1; restante > 0; ++numero) {
            const std::int64_t valor = numero == 3 ? restante : sorteio.Entre(1, restante);
            restante -= valor;
            const std::int64_t destino = sorteio.Entre(0, 3);
            InserirParcela(m.banco, ++parcela, nota, Reais(valor),
                           destino == 0 ? "current_date - 31" : "current_date + 5",
                           destino == 1 ? "current_date - 1" : "null", destino == 2 ? "77" : "null");
        }
    }
    Rodar(m);
    m.banco.Executar("update mov_financeiro set dt_vencto = current_date - 40 where dt_baixa is null");
    const auto adiantado = [&] {
        return m.banco.Ler(
            "select com.id_nf_comercio, com.id_vendedor, sum(com.vl_comissao) as vl_adiantado from mov_comissao com"
            " where com.tp_registro = '1' and coalesce(com.st_estorno_1, 'N') <> 'S' group by com.id_nf_comercio, "
            "com.id_vendedor");
    };
    const auto antes = adiantado();
    Rodar(m);

    int estornos = 0;
    for (const auto& linha : antes) {
        const std::string chave = "id_comissao_estornada = " + std::to_string(linha.at("ID_NF_COMERCIO").Inteiro()) +
                                  " and id_vendedor = " + std::to_string(linha.at("ID_VENDEDOR").Inteiro());
        for (const auto& acerto : m.banco.Ler("select vl_acerto from mov_acerto_comissao where " + chave)) {
            ++estornos;
            EXPECT_LE(acerto.at("VL_ACERTO").ComoDinheiro(), linha.at("VL_ADIANTADO").ComoDinheiro()) << chave;
        }
    }
    EXPECT_GT(estornos, 10);
}
