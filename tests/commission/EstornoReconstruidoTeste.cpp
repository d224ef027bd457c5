// An invoice whose signed delivery receipt has not come back, run after run:
// its rows are blocked and reversed, rebuilt while the reversal stands and
// paid back once when the receipt comes back. The sellers' net commission
// (rows, reversals and paybacks, all of them commission rows once phase 7
// has run) after every run, on a real database through the whole run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Modelo.h"

namespace {

std::string Liquido(const BancoTeste& banco, int vendedor)
{
    return Mostrar(banco.Escalar("select coalesce(sum(vl_comissao), 0) from mov_comissao where id_vendedor = " +
                                 std::to_string(vendedor)));
}

// "type amount description", sorted: phase 3 takes its rows in no set order.
std::vector<std::string> Acertos(const BancoTeste& banco, int vendedor)
{
    std::vector<std::string> acertos;
    for (const auto& linha : banco.Ler("select tp_acerto, vl_acerto, ds_acerto from mov_acerto_comissao where"
                                       " id_vendedor = " +
                                       std::to_string(vendedor)))
        acertos.push_back(Mostrar(linha.at("TP_ACERTO")) + " " + Mostrar(linha.at("VL_ACERTO")) + " " +
                          Mostrar(linha.at("DS_ACERTO")));
    std::sort(acertos.begin(), acertos.end());
    return acertos;
}

}  // namespace

// Invoice 12345 of 1000.00, issued long ago, its nature checks the receipt,
// one receivable of 1000.00. Seller 7 earns 5 % with 40 % credited on
// invoicing (20.00 + 30.00), seller 9 earns 1 % on receipt (10.00).
// Rebuilt with 6 % and 30 % credited, seller 7's rows become 18.00 and
// 42.00: 2.00 of the first reversal is paid back and 12.00 more reversed at
// once. Seller 9 leaves the invoice: his reversal of 10.00 is paid back.
TEST(EstornoReconstruido, LiquidoDoVendedorNoCicloDoCanhoto)
{
    struct Rodada {
        const char* nome;
        std::vector<const char*> antes;
        const char* vendedor7;
        const char* vendedor9;
    };
    const char* const kRecalcular[] = {"update mov_nf_comercio set st_calc_comissao = 'S'",
                                       "update mov_financeiro set st_calc_comissao = 'S'"};
    const Rodada rodadas[] = {
        {"comissoes_gravadas", {}, "50", "10"},
        {"bloqueadas_e_estornadas", {}, "0", "0"},
        {"reconstruidas_sem_mudanca", {kRecalcular[0], kRecalcular[1]}, "0", "0"},
        {"nada_muda", {}, "0", "0"},
        {"reconstruidas_com_outros_valores",
         {"update mov_nf_comercio_item set po_comissao = 6",
          "update mov_nf_comercio set PO_CREDITO_FAT = 30, id_vendedor2 = 0", kRecalcular[0], kRecalcular[1]},
         "0",
         "0"},
        {"canhoto_voltou", {"update mov_nf_comercio set id_situacao_orcamento = 1"}, "60", "0"},
        {"depois_do_pagamento", {}, "60", "0"},
    };

    ModeloTeste m;
    InserirCadastros(m.banco);
    InserirNatureza(m.banco, 1, "0");
    m.banco.Executar("update tab_nat_operacao set st_verifica_fase = 'S'");
    m.banco.Executar("insert into fix_situacao_orcamento (id_situacao_orcamento, st_pagar_comissao) values (1, 'S')");
    InserirNota(m.banco,
                {.id = 1, .financeiro = "1000.00", .slots = {{"7", "0", "'S'", "40"}, {"9", "1", "'N'", "0"}}});
    m.banco.Executar("update mov_nf_comercio set nr_nota_fiscal = '12345'");
    InserirItem(m.banco, {.id = 1, .nota = 1, .unitario = "1000.00", .total = "1000.00"});
    m.banco.Executar("update mov_nf_comercio_item set po_comissao = 5");
    InserirDuplicata(m.banco, {.id = 1, .valor = "1000.00", .baixa = "'15.04.2013'"});
    m.modelo.edtHoraAtualizacao.Text = "7";

    for (const Rodada& rodada : rodadas) {
        SCOPED_TRACE(rodada.nome);
        for (const char* sql : rodada.antes)
            m.banco.Executar(sql);
        m.modelo.Timer1.Enabled = true;

        m.modelo.BitBtn2Click();

        ASSERT_TRUE(m.modelo.Timer1.Enabled) << "the run failed";
        EXPECT_EQ(Liquido(m.banco, 7), rodada.vendedor7);
        EXPECT_EQ(Liquido(m.banco, 9), rodada.vendedor9);
    }

    EXPECT_EQ(Acertos(m.banco, 7), (std::vector<std::string>{
                                       "A 18 PAGTO REF CANHOTO NÃO RECEBIDO NF 12.345",
                                       "A 2 PAGTO REF CANHOTO NÃO RECEBIDO NF 12.345",
                                       "A 42 PAGTO REF CANHOTO NÃO RECEBIDO DUP NF1/1",
                                       "D 12 ESTORNO REF CANHOTO NÃO RECEBIDO DUP NF1/1",
                                       "D 20 ESTORNO REF CANHOTO NÃO RECEBIDO NF 12.345",
                                       "D 30 ESTORNO REF CANHOTO NÃO RECEBIDO DUP NF1/1",
                                   }));
    EXPECT_EQ(Acertos(m.banco, 9), (std::vector<std::string>{
                                       "A 10 PAGTO REF CANHOTO NÃO RECEBIDO DUP NF1/1",
                                       "D 10 ESTORNO REF CANHOTO NÃO RECEBIDO DUP NF1/1",
                                   }));
    EXPECT_EQ(m.banco
                  .Escalar("select count(*) from mov_comissao where tp_registro in ('1', '2') and"
                           " (st_bloqueio_1 <> 'N' or st_estorno_1 <> 'N')")
                  .Inteiro(),
              0);
}
