// The per-item sharing of a mode-6 invoice spreads its discount and services
// over the items by their value, so a seller's percentage stays between the
// rates of his items; on a real database, through phase 1 and, where the
// rows matter, phases 5 and 6.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "tests/commission/CenarioNota.h"
#include "tests/commission/Sorteio.h"
#include "tests/fixtures/Fase.h"

namespace {

using Linhas = std::vector<std::string>;

const std::array<std::string, 5> kColunasSlot = {"PO_COMISSAO", "PO_COMISSAO2", "PO_COMISSAO3", "PO_COMISSAO4",
                                                 "PO_COMISSAO5"};

void Fases1a6(FaseTeste& f)
{
    const ResultadoFase1 fase1 = f.Rodar(ExecutarFase1, 0);
    f.Rodar(ExecutarFase5, fase1.notasDeixadas);
    f.Rodar(ExecutarFase6, fase1.notasDeixadas);
}

void InserirProduto(const BancoTeste& banco, int produto, int fabrica)
{
    banco.Executar("insert into cad_produto (id_produto, id_fabrica) values (" + std::to_string(produto) + ", " +
                   std::to_string(fabrica) + ")");
}

// fabricante "null" is the seller's general row.
void InserirTabela(const BancoTeste& banco, int vendedor, const std::string& fabricante, const std::string& percentual)
{
    banco.Executar(
        "insert into tab_comissao_por_vendedor (id_empresa, id_vendedor, id_fabricante, po_comissao)"
        " values (1, " +
        std::to_string(vendedor) + ", " + fabricante + ", " + percentual + ")");
}

Dinheiro PercentualNota(const BancoTeste& banco, int nota, const std::string& coluna)
{
    return banco.Escalar("select " + coluna + " from mov_nf_comercio where id_nf_comercio = " + std::to_string(nota))
        .ComoDinheiro();
}

std::array<std::string, 6> PercentuaisNota(const BancoTeste& banco, int nota)
{
    std::array<std::string, 6> lidos;
    for (std::size_t i = 0; i < kColunasSlot.size(); ++i)
        lidos[i] = PercentualNota(banco, nota, kColunasSlot[i]).Texto();
    lidos[5] = PercentualNota(banco, nota, "VL_PO_PRODUTO_TOTAL").Texto();
    return lidos;
}

std::string PercentualItem(const BancoTeste& banco, int item)
{
    return banco
        .Escalar("select po_comissao from mov_nf_comercio_item where id_nf_comercio_item = " + std::to_string(item))
        .ComoDinheiro()
        .Texto();
}

// A drawn seller's table rows, in hundredths of a per cent, -1 for no row:
// per manufacturer 1 to 3 (index 0 unused) and his general row.
struct VendedorSorteado {
    int id = 0;
    std::array<std::int64_t, 4> tabela = {-1, -1, -1, -1};
    std::int64_t geral = -1;
};

struct NotaSorteada {
    std::vector<VendedorSorteado> vendedores;
    std::vector<std::size_t> fabricantes;  // of each item
    std::int64_t baseTotal = 0;            // cents
};

// The manufacturer's row wins over the general one, even when it is 0.
std::int64_t PercentualTabela(const VendedorSorteado& vendedor, std::size_t fabricante)
{
    const std::int64_t porFabricante = vendedor.tabela[fabricante];
    return porFabricante >= 0 ? porFabricante : std::max(vendedor.geral, std::int64_t{0});
}

// The seller's percentage over the number of the item's sellers that have one above 0.
long double TaxaNoItem(const NotaSorteada& nota, std::size_t slot, std::size_t fabricante)
{
    const auto comPercentual = std::count_if(
        nota.vendedores.begin(), nota.vendedores.end(),
        [&](const VendedorSorteado& vendedor) { return PercentualTabela(vendedor, fabricante) > 0; });
    if (comPercentual == 0)
        return 0;
    return static_cast<long double>(PercentualTabela(nota.vendedores[slot], fabricante)) / 100 /
           static_cast<long double>(comPercentual);
}

// Invoice id of mode 6 with its sellers' table rows and its items, whose
// identifiers continue from idItem.
NotaSorteada SortearNota(const BancoTeste& banco, Sorteio& sorteio, int id, int& idItem)
{
    NotaSorteada nota;
    NotaTeste dados{.id = id};
    const std::int64_t vendedores = sorteio.Entre(1, 3);
    for (int slot = 1; slot <= vendedores; ++slot) {
        VendedorSorteado vendedor{.id = 10 * id + slot};
        if (sorteio.CaraOuCoroa()) {
            vendedor.geral = sorteio.Entre(50, 900);
            InserirTabela(banco, vendedor.id, "null", Reais(vendedor.geral));
        }
        for (std::size_t fabricante = 1; fabricante <= 3; ++fabricante) {
            if (!sorteio.CaraOuCoroa())
                continue;
            vendedor.tabela[fabricante] = sorteio.Entre(0, 900);
            InserirTabela(banco, vendedor.id, std::to_string(fabricante), Reais(vendedor.tabela[fabricante]));
        }
        nota.vendedores.push_back(vendedor);
        dados.slots.push_back({std::to_string(vendedor.id), "0", "'N'", "0"});
    }
    std::int64_t produtos = 0;
    const std::int64_t itens = sorteio.Entre(1, 6);
    for (std::int64_t item = 1; item <= itens; ++item) {
        const auto fabricante = static_cast<std::size_t>(sorteio.Entre(1, 3));
        const std::int64_t quantidade = sorteio.Entre(1, 3);
        const std::int64_t unitario = sorteio.Entre(1000, 50000);
        produtos += quantidade * unitario;
        nota.fabricantes.push_back(fabricante);
        InserirItem(banco, {.id = ++idItem,
                            .nota = id,
                            .produto = std::to_string(fabricante),
                            .quantidade = std::to_string(quantidade),
                            .unitario = Reais(unitario),
                            .total = Reais(quantidade * unitario)});
    }
    const std::int64_t desconto = sorteio.CaraOuCoroa() ? sorteio.Entre(0, produtos * 3 / 10) : 0;
    const std::int64_t servico = sorteio.CaraOuCoroa() ? sorteio.Entre(0, produtos / 5) : 0;
    nota.baseTotal = produtos - desconto + servico;
    dados.produtos = Reais(produtos);
    dados.desconto = Reais(desconto);
    dados.servico = Reais(servico);
    InserirNota(banco, dados);
    return nota;
}

}  // namespace

// Items of 100.00 at 10 % and 10.00 at 2 %, discount 20.00: the items take
// 18.1818 and 1.8182 of it, bases 81.8182 and 8.1818, commissions cut to
// 8.18 and 0.16; 8.34 over 90.00 is 9.27 %, between the two rates. The row
// on invoicing is 9.27 % of the invoice's net 90.00.
TEST(RateioDesconto, DescontoRepartidoPeloValorDosItens)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirProduto(f.banco, 2, 2);
    InserirTabela(f.banco, 7, "1", "10");
    InserirTabela(f.banco, 7, "2", "2");
    InserirNatureza(f.banco, 1, "6");
    InserirNota(
        f.banco,
        {.id = 1, .total = "90.00", .produtos = "110.00", .desconto = "20.00", .slots = {{"7", "0", "'S'", "100"}}});
    InserirItem(f.banco, {.id = 1, .nota = 1, .unitario = "100.00", .total = "100.00"});
    InserirItem(f.banco, {.id = 2, .nota = 1, .produto = "2", .unitario = "10.00", .total = "10.00"});

    Fases1a6(f);

    EXPECT_EQ(PercentuaisNota(f.banco, 1),
              (std::array<std::string, 6>{"9.2700", "0.0000", "0.0000", "0.0000", "0.0000", "9.2700"}));
    EXPECT_EQ(PercentualItem(f.banco, 1), "10.0000");
    EXPECT_EQ(PercentualItem(f.banco, 2), "1.9600");
    EXPECT_EQ(Movimentos(f.banco, "where tp_registro = '1'"), Linhas{"7 90 9.27 8.34"});
}

// Item A: 2 × 100.00 (manufacturer 1), reduction 0.20 a unit; item B:
// 100.00 (manufacturer 2), reduction 0.35. Discount 40.00 less services
// 10.00 leave bases 180.00 and 90.00, total 270.00. Seller 7 has 6 % and
// 3 %, seller 8 a general 2 %, seller 9 4 % on manufacturer 2 only, so A is
// shared by two (3 %, 1 %) and B by three (1 %, 0.6667 %, 1.3333 %):
// 5.40 + 0.90, 1.80 + 0.60 and 1.20 over 270.00 give 2.33 %, 0.89 % and
// 0.44 %. On 270.00 the sellers earn 6.291, 2.403 and 1.188, each less the
// reduction of 0.75 once: seller 7 has 40 % credited (2.5164 − 0.30 on
// invoicing, 1.8873 − 0.225 on each half), seller 8 earns on receipt
// (1.2015 − 0.375 on each half), seller 9 on invoicing (1.188 − 0.75).
TEST(RateioDesconto, TresVendedoresComDescontoEServicos)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirProduto(f.banco, 2, 2);
    InserirTabela(f.banco, 7, "1", "6");
    InserirTabela(f.banco, 7, "2", "3");
    InserirTabela(f.banco, 8, "null", "2");
    InserirTabela(f.banco, 9, "2", "4");
    InserirNatureza(f.banco, 1, "6");
    InserirNota(f.banco, {.id = 1,
                          .total = "270.00",
                          .produtos = "300.00",
                          .desconto = "40.00",
                          .servico = "10.00",
                          .financeiro = "270.00",
                          .slots = {{"7", "0", "'S'", "40"}, {"8", "0", "'N'", "0"}, {"9", "0", "'S'", "100"}}});
    InserirItem(f.banco,
                {.id = 1, .nota = 1, .quantidade = "2", .unitario = "100.00", .total = "200.00", .reducao = "0.20"});
    InserirItem(f.banco,
                {.id = 2, .nota = 1, .produto = "2", .unitario = "100.00", .total = "100.00", .reducao = "0.35"});
    InserirDuplicata(f.banco, {.id = 1, .documento = "'NF1/1'", .valor = "135.00", .baixa = "'15.04.2013'"});
    InserirDuplicata(f.banco, {.id = 2, .documento = "'NF1/2'", .valor = "135.00", .baixa = "'15.04.2013'"});

    Fases1a6(f);

    EXPECT_EQ(PercentuaisNota(f.banco, 1),
              (std::array<std::string, 6>{"2.3300", "0.8900", "0.4400", "0.0000", "0.0000", "3.6600"}));
    EXPECT_EQ(PercentualItem(f.banco, 1), "4.0000");
    EXPECT_EQ(PercentualItem(f.banco, 2), "3.0000");
    EXPECT_EQ(Movimentos(f.banco, "where tp_registro = '1'"), (Linhas{"7 270 0.82 2.22", "9 270 0.16 0.44"}));
    for (const int duplicata : {1, 2})
        EXPECT_EQ(Movimentos(f.banco, "where tp_registro = '2' and id_financeiro = " + std::to_string(duplicata)),
                  (Linhas{"7 135 1.23 1.66", "8 135 0.61 0.83"}))
            << duplicata;
}

// Mode-6 invoices drawn from a fixed seed: one to three sellers whose table
// rows (general, per manufacturer, or none) give each item's rate, one to six
// items of three manufacturers, discounts up to 30 % and services up to 20 %
// of the products. Each seller's percentage lies between the lowest and the
// highest of his rates on the invoice's items, allowing for the cut of each
// item's commission to the cent and the rounding of the percentage.
TEST(RateioDesconto, PercentualDoVendedorFicaEntreAsTaxasDosItens)
{
    Sorteio sorteio(20120802);

    FaseTeste f;
    InserirCadastros(f.banco);
    InserirProduto(f.banco, 2, 2);
    InserirProduto(f.banco, 3, 3);
    InserirNatureza(f.banco, 1, "6");

    std::vector<NotaSorteada> notas;
    int idItem = 0;
    for (int id = 1; id <= 40; ++id)
        notas.push_back(SortearNota(f.banco, sorteio, id, idItem));

    f.Rodar(ExecutarFase1, 0);

    for (std::size_t indice = 0; indice < notas.size(); ++indice) {
        const NotaSorteada& nota = notas[indice];
        // Every cent cut from an item's commission lowers the percentage.
        const long double corte = static_cast<long double>(nota.fabricantes.size()) /
                                  static_cast<long double>(nota.baseTotal) * 100;
        for (std::size_t slot = 0; slot < nota.vendedores.size(); ++slot) {
            SCOPED_TRACE("nota " + std::to_string(indice + 1) + " slot " + std::to_string(slot + 1));
            long double menor = 1e9L;
            long double maior = -1e9L;
            for (const std::size_t fabricante : nota.fabricantes) {
                menor = std::min(menor, TaxaNoItem(nota, slot, fabricante));
                maior = std::max(maior, TaxaNoItem(nota, slot, fabricante));
            }
            const long double lido =
                PercentualNota(f.banco, static_cast<int>(indice) + 1, kColunasSlot[slot]).Extended();
            EXPECT_GE(lido, menor - corte - 0.01L);
            EXPECT_LE(lido, maior + 0.01L);
        }
    }
}
