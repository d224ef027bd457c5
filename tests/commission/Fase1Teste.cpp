// Phase 1 on a real database: which invoices it takes, the base, value and
// percentage of modes 0 to 5, and the sellers' shares per item of mode 6.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "commission/Fases.h"
#include "commission/TabelaComissao.h"
#include "comum/Erros.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/Fase.h"

namespace {

// Each nature's identifier is its commission mode; nature 100 has none.
void InserirNaturezas(const BancoTeste& banco)
{
    for (const int modo : {0, 5, 6, 7, -1})
        InserirNatureza(banco, modo, std::to_string(modo));
    InserirNatureza(banco, 100, "null");
}

// A pending invoice of company 1 in state 3 with products and total 100.00,
// which phase 1 selects, still without base, value and percentage; ajuste
// is a set clause that changes it.
NotaTeste NotaPendente(int id, int natureza, std::string ajuste = "")
{
    return {.id = id,
            .total = "100",
            .produtos = "100",
            .base = "null",
            .comissao = "null",
            .natureza = std::to_string(natureza),
            .baseOutros = "null",
            .ajuste = std::move(ajuste)};
}

// fabricante "null" is the seller's general row.
void InserirTabela(const BancoTeste& banco, int empresa, int vendedor, const std::string& fabricante,
                   const std::string& percentual)
{
    banco.Executar(
        "insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao)"
        " values (" +
        std::to_string(empresa) + ", " + std::to_string(vendedor) + ", " + fabricante + ", " + percentual + ")");
}

// Four decimals, or "null".
std::string Lido(const Valor& valor)
{
    return valor.Nulo() ? "null" : valor.ComoDinheiro().Texto();
}

std::string LerNota(const BancoTeste& banco, int id, const std::string& coluna)
{
    return Lido(
        banco.Escalar("select " + coluna + " from mov_nf_comercio where id_nf_comercio = " + std::to_string(id)));
}

std::string LerItem(const BancoTeste& banco, int id)
{
    return Lido(banco.Escalar("select po_comissao from mov_nf_comercio_item where id_nf_comercio_item = " +
                              std::to_string(id)));
}

const std::array<std::string, 5> kColunasSlot = {"PO_COMISSAO", "PO_COMISSAO2", "PO_COMISSAO3", "PO_COMISSAO4",
                                                 "PO_COMISSAO5"};

std::array<std::string, 5> LerPercentuaisNota(const BancoTeste& banco, int id)
{
    std::array<std::string, 5> lidos;
    for (std::size_t i = 0; i < lidos.size(); ++i)
        lidos[i] = LerNota(banco, id, kColunasSlot[i]);
    return lidos;
}

struct CasoSelecao {
    const char* nome;
    const char* ajuste;
    bool selecionada;
    bool calculada;
};

// Each invoice has one item of 100.00 at 5 percent; an invoice phase 1 does
// not calculate keeps its NULL base, value and percentage.
TEST(Fase1, SelecionaPendentesECalculaModos0a5)
{
    const CasoSelecao casos[] = {
        {"estado_3", "id_st_nf = 3", true, true},
        {"estado_5", "id_st_nf = 5", true, true},
        {"estado_1", "id_st_nf = 1", false, false},
        {"estado_4", "id_st_nf = 4", false, false},
        {"produtos_zero", "vl_produtos = 0", false, false},
        {"total_zero", "vl_total_nf = 0", false, false},
        {"pendencia_N", "st_calc_comissao = 'N'", false, false},
        {"pendencia_nula", "st_calc_comissao = null", false, false},
        {"base_outros_R", "tp_base_comissao_outros = 'R'", false, false},
        {"base_outros_P", "tp_base_comissao_outros = 'P'", true, true},
        {"base_outros_nula", "tp_base_comissao_outros = null", true, true},
        {"modo_5", "id_nat_operacao = 5", true, true},
        {"modo_nulo_como_0", "id_nat_operacao = 100", true, true},
        {"modo_7", "id_nat_operacao = 7", true, false},
        {"modo_menos_1", "id_nat_operacao = -1", true, false},
        {"sem_natureza", "id_nat_operacao = 99", false, false},
    };
    FaseTeste f;
    InserirNaturezas(f.banco);
    int id = 0;
    int selecionadas = 0;
    for (const CasoSelecao& caso : casos) {
        ++id;
        InserirNota(f.banco, NotaPendente(id, 0, caso.ajuste));
        InserirItem(f.banco, {.id = id, .nota = id, .total = "100", .percentual = "5"});
        selecionadas += caso.selecionada ? 1 : 0;
    }

    f.Rodar(ExecutarFase1, 0);

    id = 0;
    for (const CasoSelecao& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        EXPECT_EQ(LerNota(f.banco, id, "VL_BASE_COMISSAO"), caso.calculada ? "100.0000" : "null");
        EXPECT_EQ(LerNota(f.banco, id, "VL_COMISSAO"), caso.calculada ? "5.0000" : "null");
        EXPECT_EQ(LerNota(f.banco, id, "PO_COMISSAO"), caso.calculada ? "5.0000" : "null");
    }
    EXPECT_EQ(f.progresso.fases, std::vector<int>{1});
    EXPECT_EQ(f.progresso.maximoGauge, selecionadas);
    EXPECT_EQ(f.progresso.posicaoGauge, selecionadas);
}

// More invoices than the first block holds, three of which fail: 10 and 36
// divide by zero in the value statement, after their base was written, and
// 45, of mode 6, has no item to share. Each block with a failure goes again
// one invoice at a time: every other invoice is written, the three keep
// nothing and are named. The last block, 49 of mode 0 and 50 of mode 6 (seller
// 7 at 4 percent), goes through in steps.
TEST(Fase1, BlocoComNotaQueFalhaGravaAsOutras)
{
    const std::set<int> falham = {10, 36, 45};
    const int rateada = 50;
    FaseTeste f;
    InserirNaturezas(f.banco);
    InserirProduto(f.banco, 1, "10");
    InserirTabela(f.banco, 1, 7, "null", "4");
    for (int id = 1; id <= 50; ++id) {
        const bool modo6 = id == 45 || id == rateada;
        InserirNota(f.banco, NotaPendente(id, modo6 ? 6 : 0, id == rateada ? "id_vendedor = 7" : ""));
        if (id == rateada)
            InserirItem(f.banco, {.id = id, .nota = id, .unitario = "100"});
        else if (!modo6)
            InserirItem(f.banco, {.id = id, .nota = id, .total = falham.contains(id) ? "0" : "100", .percentual = "5"});
    }

    const ResultadoFase1 resultado = f.Rodar(ExecutarFase1, 0);

    for (int id = 1; id < rateada; ++id) {
        SCOPED_TRACE(id);
        const bool falhou = falham.contains(id);
        EXPECT_EQ(LerNota(f.banco, id, "VL_BASE_COMISSAO"), falhou ? "null" : "100.0000");
        EXPECT_EQ(LerNota(f.banco, id, "VL_COMISSAO"), falhou ? "null" : "5.0000");
        EXPECT_EQ(LerNota(f.banco, id, "PO_COMISSAO"), falhou ? "null" : "5.0000");
    }
    EXPECT_EQ(LerPercentuaisNota(f.banco, rateada),
              (std::array<std::string, 5>{"4.0000", "0.0000", "0.0000", "0.0000", "0.0000"}));
    EXPECT_EQ(LerNota(f.banco, rateada, "VL_PO_PRODUTO_TOTAL"), "4.0000");
    EXPECT_EQ(LerItem(f.banco, rateada), "4.0000");
    EXPECT_EQ(resultado.notasDeixadas, (std::set<std::int64_t>{10, 36, 45}));
    std::set<std::string> nomes;
    for (const FonteDeixada& deixada : resultado.deixadas)
        nomes.insert(deixada.fonte);
    EXPECT_EQ(nomes, (std::set<std::string>{"NF NF10", "NF NF36", "NF NF45"}));
    EXPECT_EQ(f.progresso.linhasPorFonte.size(), 47u);
    EXPECT_EQ(f.progresso.posicaoGauge, 50);
}

struct ItemCaso {
    const char* total;
    const char* freteIncluso;
    const char* quantidade;
    const char* freteUnitario;
    const char* percentual;
};

struct CasoModo0a5 {
    const char* nome;
    const char* ajuste;
    std::vector<ItemCaso> itens;
    const char* base;
    const char* comissao;
    const char* percentual;
};

// Every invoice starts with 99 in the three columns, so each one shows that
// it was written.
TEST(Fase1, BaseValorEPercentualDosModos0a5)
{
    const CasoModo0a5 casos[] = {
        {"exemplo_desconto_frete_e_vendedor_nao_adicional",
         "vl_desconto = 20, id_vendedor2 = 9, po_comissao2 = 1.50, st_comissao_ad2 = 'N'",
         {{"110", "'S'", "2", "5", "5"}, {"100", "'N'", "1", "0", "3"}},
         "180.0000",
         "7.2000",
         "2.5000"},
        {"sem_itens", "", {}, "0.0000", "0.0000", "0.0000"},
        {"frete_incluso_sai", "", {{"110", "'S'", "2", "5", "5"}}, "100.0000", "5.0000", "5.0000"},
        {"frete_nao_incluso_fica", "", {{"110", "'N'", "2", "5", "5"}}, "110.0000", "5.5000", "5.0000"},
        {"frete_incluso_nulo_fica", "", {{"110", "null", "2", "5", "5"}}, "110.0000", "5.5000", "5.0000"},
        {"adicionais_S_e_nulo_nao_descontam",
         "po_comissao2 = 1, st_comissao_ad2 = 'S', po_comissao3 = 1",
         {{"100", "'N'", "1", "0", "5"}},
         "100.0000",
         "5.0000",
         "5.0000"},
        {"nao_adicionais_dos_slots_2_a_5",
         "po_comissao2 = 1, po_comissao3 = 0.5, po_comissao4 = 0.25, po_comissao5 = 0.25, st_comissao_ad2 = 'N',"
         " st_comissao_ad3 = 'N', st_comissao_ad4 = 'N', st_comissao_ad5 = 'N'",
         {{"100", "'N'", "1", "0", "5"}},
         "100.0000",
         "5.0000",
         "3.0000"},
        {"nao_adicional_sem_percentual",
         "po_comissao2 = null, st_comissao_ad2 = 'N'",
         {{"100", "'N'", "1", "0", "5"}},
         "100.0000",
         "5.0000",
         "5.0000"},
        {"resultado_negativo",
         "po_comissao2 = 7.25, st_comissao_ad2 = 'N'",
         {{"100", "'N'", "1", "0", "5"}},
         "100.0000",
         "5.0000",
         "-2.2500"},
        {"base_zero", "vl_desconto = 100", {{"100", "'N'", "1", "0", "5"}}, "0.0000", "0.0000", "0.0000"},
        {"base_negativa", "vl_desconto = 150", {{"100", "'N'", "1", "0", "5"}}, "-50.0000", "-2.5000", "0.0000"},
        {"valor_arredondado_a_centavos", "", {{"33.33", "'N'", "1", "0", "3"}}, "33.3300", "1.0000", "3.0000"},
    };
    FaseTeste f;
    InserirNaturezas(f.banco);
    int id = 0;
    int idItem = 0;
    for (const CasoModo0a5& caso : casos) {
        ++id;
        InserirNota(f.banco, NotaPendente(id, 0,
                                          std::string("vl_base_comissao = 99, vl_comissao = 99, po_comissao = 99") +
                                              (*caso.ajuste ? ", " : "") + caso.ajuste));
        for (const ItemCaso& i : caso.itens)
            InserirItem(f.banco, {.id = ++idItem,
                                  .nota = id,
                                  .quantidade = i.quantidade,
                                  .total = i.total,
                                  .freteIncluso = i.freteIncluso,
                                  .freteUnitario = i.freteUnitario,
                                  .percentual = i.percentual});
    }

    f.Rodar(ExecutarFase1, 0);

    id = 0;
    for (const CasoModo0a5& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        EXPECT_EQ(LerNota(f.banco, id, "VL_BASE_COMISSAO"), caso.base);
        EXPECT_EQ(LerNota(f.banco, id, "VL_COMISSAO"), caso.comissao);
        EXPECT_EQ(LerNota(f.banco, id, "PO_COMISSAO"), caso.percentual);
    }
}

// Seller 7 has a row for manufacturer 10, one at 0 for 20, one with a NULL
// percentage for 30 and a general row; seller 8 only a row for 10; seller 9
// only a general row of company 2.
TEST(Fase1, TabelaDoVendedorPrefereLinhaDoFabricante)
{
    struct Caso {
        const char* nome;
        int vendedor;
        int fabricante;
        const char* percentual;
    };
    const Caso casos[] = {
        {"linha_do_fabricante", 7, 10, "3.5000"},
        {"linha_do_fabricante_em_zero", 7, 20, "0.0000"},
        {"linha_do_fabricante_nula", 7, 30, "0.0000"},
        {"sem_linha_do_fabricante_vale_a_geral", 7, 40, "2.0000"},
        {"produto_sem_fabricante_vale_a_geral", 7, 0, "2.0000"},
        {"sem_linha_alguma", 8, 20, "0.0000"},
        {"geral_de_outra_empresa", 9, 10, "0.0000"},
    };
    FaseTeste f;
    InserirTabela(f.banco, 1, 7, "10", "3.5");
    InserirTabela(f.banco, 1, 7, "20", "0");
    InserirTabela(f.banco, 1, 7, "30", "null");
    InserirTabela(f.banco, 1, 7, "null", "2");
    InserirTabela(f.banco, 1, 8, "10", "1.25");
    InserirTabela(f.banco, 2, 9, "null", "4");
    InserirProduto(f.banco, 1, "10");
    InserirProduto(f.banco, 2, "null");

    f.Conectado([&] {
        for (const Caso& caso : casos) {
            SCOPED_TRACE(caso.nome);
            EXPECT_EQ(LerComissaoVendedor(f.sessao, 1, caso.vendedor, caso.fabricante).Texto(), caso.percentual);
        }
        EXPECT_EQ(LerFabricaProduto(f.sessao, 1), 10);
        EXPECT_EQ(LerFabricaProduto(f.sessao, 2), 0);
        EXPECT_EQ(LerFabricaProduto(f.sessao, 3), 0);
    });
}

// Seller 7 has 4.00 for manufacturer 10 and 6.00 for 20; seller 9 a general
// row of 2.00 and a row of 0.00 for 20, which wins over the general one.
TEST(Fase1Rateio, ExemploDoisVendedoresDoisFabricantes)
{
    FaseTeste f;
    InserirNaturezas(f.banco);
    InserirProduto(f.banco, 1, "10");
    InserirProduto(f.banco, 2, "20");
    InserirTabela(f.banco, 1, 7, "10", "4");
    InserirTabela(f.banco, 1, 9, "null", "2");
    InserirTabela(f.banco, 1, 7, "20", "6");
    InserirTabela(f.banco, 1, 9, "20", "0");
    InserirNota(
        f.banco,
        NotaPendente(1, 6, "id_vendedor = 7, id_vendedor2 = 9, po_comissao3 = 9, po_comissao4 = 9, po_comissao5 = 9"));
    InserirItem(f.banco, {.id = 11, .nota = 1, .numero = "1", .produto = "1", .unitario = "100", .percentual = "9"});
    InserirItem(f.banco, {.id = 12, .nota = 1, .numero = "2", .produto = "2", .unitario = "300", .percentual = "9"});

    f.Rodar(ExecutarFase1, 0);

    EXPECT_EQ(LerPercentuaisNota(f.banco, 1),
              (std::array<std::string, 5>{"5.0000", "0.2500", "0.0000", "0.0000", "0.0000"}));
    EXPECT_EQ(LerNota(f.banco, 1, "VL_PO_PRODUTO_TOTAL"), "5.2500");
    EXPECT_EQ(LerItem(f.banco, 11), "3.0000");
    EXPECT_EQ(LerItem(f.banco, 12), "6.0000");
    EXPECT_EQ(LerNota(f.banco, 1, "VL_BASE_COMISSAO"), "null");
    EXPECT_EQ(LerNota(f.banco, 1, "VL_COMISSAO"), "null");
}

struct CasoPartes {
    const char* nome;
    // Per slot: nullptr no seller, "-" a seller without a table row, else his general percentage.
    std::array<const char*, 5> tabela;
    std::array<std::string, 5> nota;
    const char* total;
    const char* item;
};

// One item of base 100.00 per invoice; shares are rounded to four decimals
// and each commission is cut to two.
TEST(Fase1Rateio, PartesDosVendedoresNoItem)
{
    const CasoPartes casos[] = {
        {"dois_vendedores_dividem",
         {"4", "2", nullptr, nullptr, nullptr},
         {"2.0000", "1.0000", "0.0000", "0.0000", "0.0000"},
         "3.0000",
         "3.0000"},
        {"um_vendedor_leva_tudo",
         {"4", nullptr, nullptr, nullptr, nullptr},
         {"4.0000", "0.0000", "0.0000", "0.0000", "0.0000"},
         "4.0000",
         "4.0000"},
        {"dizima_arredonda_a_parte_e_corta_a_comissao",
         {"4", "2", "1", nullptr, nullptr},
         {"1.3300", "0.6600", "0.3300", "0.0000", "0.0000"},
         "2.3200",
         "2.3200"},
        {"negativo_nao_divide_mas_reduz",
         {"6", "-2", nullptr, nullptr, nullptr},
         {"6.0000", "-2.0000", "0.0000", "0.0000", "0.0000"},
         "4.0000",
         "4.0000"},
        {"sem_percentual_nao_divide",
         {"5", "-", "0", nullptr, nullptr},
         {"5.0000", "0.0000", "0.0000", "0.0000", "0.0000"},
         "5.0000",
         "5.0000"},
        {"so_o_slot_5",
         {nullptr, nullptr, nullptr, nullptr, "3"},
         {"0.0000", "0.0000", "0.0000", "0.0000", "3.0000"},
         "3.0000",
         "3.0000"},
    };
    FaseTeste f;
    InserirNaturezas(f.banco);
    InserirProduto(f.banco, 1, "10");
    int id = 0;
    for (const CasoPartes& caso : casos) {
        ++id;
        std::string vendedores;
        for (int slot = 1; slot <= 5; ++slot) {
            const char* percentual = caso.tabela[static_cast<std::size_t>(slot - 1)];
            if (!percentual)
                continue;
            const int vendedor = id * 10 + slot;
            vendedores += (vendedores.empty() ? "id_vendedor" : ", id_vendedor") +
                          (slot == 1 ? std::string() : std::to_string(slot)) + " = " + std::to_string(vendedor);
            if (std::string(percentual) != "-")
                InserirTabela(f.banco, 1, vendedor, "null", percentual);
        }
        InserirNota(f.banco, NotaPendente(id, 6, vendedores));
        InserirItem(f.banco, {.id = id, .nota = id, .unitario = "100"});
    }

    f.Rodar(ExecutarFase1, 0);

    id = 0;
    for (const CasoPartes& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        EXPECT_EQ(LerPercentuaisNota(f.banco, id), caso.nota);
        EXPECT_EQ(LerNota(f.banco, id, "VL_PO_PRODUTO_TOTAL"), caso.total);
        EXPECT_EQ(LerItem(f.banco, id), caso.item);
    }
}

struct CasoParametros {
    const char* nome;
    const char* freteDespesa;
    const char* ipiIcmsSt;
    const char* ajusteNota;
    const char* percentual;  // seller 7's, and the invoice total
    const char* item1;
};

void PrintTo(const CasoParametros& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class Fase1Parametros : public ::testing::TestWithParam<CasoParametros> {};

// Item 1: 2 x 60.00 with 5.00 of included freight per unit, other expenses
// 3.00, freight 4.00, insurance 1.00, IPI 6.00, ICMS-ST 2.00; seller 7 has
// 10 percent on it. Item 2: 100.00 on which he has 0. His invoice percentage
// is 10 x B1 / (B1 + B2), so it shows the item bases.
TEST_P(Fase1Parametros, BaseDoItemSegueOsParametros)
{
    const CasoParametros& caso = GetParam();
    FaseTeste f;
    InserirNaturezas(f.banco);
    f.banco.Executar(std::string("update tab_parametro set ST_COMISSAO_FRETE_DESPESA = ") + caso.freteDespesa +
                     ", ST_COMISSAO_IPI_ICMSST = " + caso.ipiIcmsSt);
    InserirProduto(f.banco, 1, "10");
    InserirProduto(f.banco, 2, "20");
    InserirTabela(f.banco, 1, 7, "10", "10");
    InserirTabela(f.banco, 1, 7, "20", "0");
    InserirNota(f.banco, NotaPendente(1, 6, std::string("id_vendedor = 7, ") + caso.ajusteNota));
    InserirItem(f.banco, {.id = 11,
                          .nota = 1,
                          .numero = "1",
                          .produto = "1",
                          .quantidade = "2",
                          .unitario = "60",
                          .freteIncluso = "'S'",
                          .freteUnitario = "5"});
    f.banco.Executar(
        "update mov_nf_comercio_item set vl_outras_ajustado = 3, vl_frete_ajustado = 4,"
        " vl_seguro_ajustado = 1, vl_ipi = 6, vl_icms_subst = 2 where id_nf_comercio_item = 11");
    InserirItem(f.banco, {.id = 12, .nota = 1, .numero = "2", .produto = "2", .unitario = "100", .percentual = "9"});

    f.Rodar(ExecutarFase1, 0);

    EXPECT_EQ(LerNota(f.banco, 1, "PO_COMISSAO"), caso.percentual);
    EXPECT_EQ(LerNota(f.banco, 1, "VL_PO_PRODUTO_TOTAL"), caso.percentual);
    EXPECT_EQ(LerItem(f.banco, 11), caso.item1);
    EXPECT_EQ(LerItem(f.banco, 12), "0.0000");
}

// B1 per case: "S" keeps the included freight (120.00) and adds 8.00;
// "N" takes it out (110.00); NULL keeps it and adds nothing; IPI and ICMS-ST
// add 8.00 only with "S". Discount less service value, 6.00, is shared by the
// items' values: B1 106.8571 of a total base of 204.00.
INSTANTIATE_TEST_SUITE_P(
    Fase1Rateio, Fase1Parametros,
    ::testing::Values(CasoParametros{"frete_S", "'S'", "'N'", "vl_desconto = 0", "5.6100", "10.0000"},
                      CasoParametros{"frete_N", "'N'", "'N'", "vl_desconto = 0", "5.2400", "10.0000"},
                      CasoParametros{"frete_nulo", "null", "'N'", "vl_desconto = 0", "5.4500", "10.0000"},
                      CasoParametros{"ipi_S", "'N'", "'S'", "vl_desconto = 0", "5.4100", "10.0000"},
                      CasoParametros{"ipi_nulo", "'N'", "null", "vl_desconto = 0", "5.2400", "10.0000"},
                      CasoParametros{"frete_S_e_ipi_S", "'S'", "'S'", "vl_desconto = 0", "5.7600", "10.0000"},
                      CasoParametros{"desconto_e_servico_em_cada_item", "'N'", "'N'",
                                     "vl_desconto = 10, vl_servico = 4", "5.2400", "10.0000"}),
    NomeDoCaso());

// Everything of the invoice starts at 9: nothing may change, and the phase
// goes on past the invoice to the next one in its list.
TEST(Fase1Rateio, BaseTotalZeroParaAntesDeGravarANota)
{
    struct Caso {
        const char* nome;
        const char* desconto;
        std::vector<int> produtos;  // one item of 100.00 each
    };
    const Caso casos[] = {
        {"sem_itens", "0", {}},
        {"itens_sem_produto", "0", {99}},
        {"bases_somam_zero", "200", {1, 1}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        FaseTeste f;
        InserirNaturezas(f.banco);
        InserirProduto(f.banco, 1, "10");
        InserirTabela(f.banco, 1, 7, "null", "5");
        InserirNota(f.banco,
                    NotaPendente(1, 6,
                                 std::string("id_vendedor = 7, po_comissao = 9, po_comissao2 = 9, po_comissao3 = 9,"
                                             " po_comissao4 = 9, po_comissao5 = 9, vl_po_produto_total = 9,"
                                             " vl_desconto = ") +
                                     caso.desconto));
        int numero = 0;
        for (const int produto : caso.produtos) {
            ++numero;
            InserirItem(f.banco, {.id = numero,
                                  .nota = 1,
                                  .numero = std::to_string(numero),
                                  .produto = std::to_string(produto),
                                  .unitario = "100",
                                  .percentual = "9"});
        }
        InserirNota(f.banco, NotaPendente(2, 6, "id_vendedor = 7"));
        InserirItem(f.banco, {.id = 20, .nota = 2, .numero = "1", .produto = "1", .unitario = "100"});

        EXPECT_NO_THROW(f.Rodar(ExecutarFase1, 0));

        EXPECT_EQ(LerPercentuaisNota(f.banco, 1),
                  (std::array<std::string, 5>{"9.0000", "9.0000", "9.0000", "9.0000", "9.0000"}));
        EXPECT_EQ(LerNota(f.banco, 1, "VL_PO_PRODUTO_TOTAL"), "9.0000");
        EXPECT_EQ(
            f.banco.Escalar("select count(*) from mov_nf_comercio_item where id_nf_comercio = 1 and po_comissao <> 9")
                .Inteiro(),
            0);
        EXPECT_EQ(LerNota(f.banco, 2, "PO_COMISSAO"), "5.0000");
        EXPECT_EQ(LerItem(f.banco, 20), "5.0000");
    }
}

struct ItemDoRateio {
    int id;
    const char* numero;
    const char* produto;
    const char* unitario;
    const char* antes;   // its percentage before the phase
    const char* depois;  // and after it
};

struct CasoItensDoRateio {
    const char* nome;
    std::vector<std::pair<const char*, const char*>> tabela;  // seller 7's rows: manufacturer, percentage
    std::vector<ItemDoRateio> itens;
    const char* percentualNota;
};

// Each item gets the percentage of its own product: products 1, 2 and 3 are
// of manufacturers 10, 20 and 30, product 99 has no register row.
TEST(Fase1Rateio, CadaItemComOPercentualDoSeuProduto)
{
    const CasoItensDoRateio casos[] = {
        // Left out of the sharing: it adds nothing to the total base and keeps its percentage.
        {"item_sem_produto_fica_fora",
         {{"null", "10"}},
         {{11, "2", "1", "100", "0", "10.0000"}, {12, "1", "99", "50", "7.77", "7.7700"}},
         "10.0000"},
        // A line of -5.00: its base is negative, it gets 0 while its negative
        // commission (-0.50) still counts: (10.00 - 0.50) / 95.00 x 100.
        {"base_negativa_fica_com_zero_mas_conta",
         {{"null", "10"}},
         {{11, "1", "1", "100", "0", "10.0000"}, {12, "2", "1", "-5", "9", "0.0000"}},
         "10.0000"},
        // Item numbers repeated, out of range and out of step with the item
        // list: (4 + 12 + 24 + 16) / 1000 x 100.
        {"numeros_fora_de_ordem_pareiam_pelo_produto",
         {{"10", "4"}, {"20", "6"}, {"30", "8"}},
         {{101, "3", "1", "100", "0", "4.0000"},
          {102, "3", "2", "200", "0", "6.0000"},
          {103, "9", "3", "300", "0", "8.0000"},
          {104, "0", "1", "400", "0", "4.0000"}},
         "5.6000"},
    };
    for (const CasoItensDoRateio& caso : casos) {
        SCOPED_TRACE(caso.nome);
        FaseTeste f;
        InserirNaturezas(f.banco);
        InserirProduto(f.banco, 1, "10");
        InserirProduto(f.banco, 2, "20");
        InserirProduto(f.banco, 3, "30");
        for (const auto& [fabricante, percentual] : caso.tabela)
            InserirTabela(f.banco, 1, 7, fabricante, percentual);
        InserirNota(f.banco, NotaPendente(1, 6, "id_vendedor = 7"));
        for (const ItemDoRateio& item : caso.itens)
            InserirItem(f.banco, {.id = item.id,
                                  .nota = 1,
                                  .numero = item.numero,
                                  .produto = item.produto,
                                  .unitario = item.unitario,
                                  .percentual = item.antes});

        f.Rodar(ExecutarFase1, 0);

        EXPECT_EQ(LerNota(f.banco, 1, "PO_COMISSAO"), caso.percentualNota);
        for (const ItemDoRateio& item : caso.itens)
            EXPECT_EQ(LerItem(f.banco, item.id), item.depois) << item.id;
    }
}

}  // namespace
