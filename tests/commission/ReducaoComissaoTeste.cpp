// The invoice's commission reduction is taken once per seller: his row on
// invoicing takes the credited share of it, each of his rows on receipt the
// share and installment factors of its own commission, on a real database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "tests/commission/CenarioNota.h"
#include "tests/commission/Sorteio.h"
#include "tests/fixtures/Fase.h"

namespace {

using Linhas = std::vector<std::string>;

void Fases5e6(FaseTeste& f)
{
    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);
    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);
}

Linhas LinhasDoTipo(const BancoTeste& banco, const std::string& tipo, const std::string& coluna, int id)
{
    return Movimentos(banco, "where tp_registro = '" + tipo + "' and " + coluna + " = " + std::to_string(id));
}

std::string SomaDoVendedor(const BancoTeste& banco, int nota, int vendedor)
{
    return Mostrar(banco.Escalar("select sum(vl_comissao) from mov_comissao where id_nf_comercio = " +
                                 std::to_string(nota) + " and id_vendedor = " + std::to_string(vendedor)));
}

const int kModos[] = {0, 4, 5, 6};

// What one seller's rows of one invoice must add up to.
struct Esperado {
    int nota;
    int vendedor;
    long double valor;
};

// The next item and receivable identifiers.
struct ProximosIds {
    int item = 0;
    int duplicata = 0;
};

// The products in one to three items (one outside mode 6), each with a
// reduction per unit of -1.50 to 2.50; the invoice's reduction in cents.
std::int64_t SortearItens(const BancoTeste& banco, Sorteio& sorteio, int nota, int modo, std::int64_t produtos,
                          ProximosIds& ids)
{
    const std::int64_t itens = modo == 6 ? sorteio.Entre(1, 3) : 1;
    std::int64_t restante = produtos;
    std::int64_t reducao = 0;
    for (std::int64_t item = 1; item <= itens; ++item) {
        const std::int64_t valor = item == itens ? restante : sorteio.Entre(1, restante / 2);
        restante -= valor;
        const std::int64_t reducaoUnitaria = sorteio.Entre(-150, 250);
        reducao += reducaoUnitaria;
        InserirItem(banco, {.id = ++ids.item,
                            .nota = nota,
                            .unitario = Reais(valor),
                            .total = Reais(valor),
                            .reducao = Reais(reducaoUnitaria)});
    }
    return reducao;
}

// The invoice total in one to six paid installments; with freight in the
// installments the first, marked "/A", carries it.
void SortearParcelas(const BancoTeste& banco, Sorteio& sorteio, int nota, std::int64_t total, std::int64_t frete,
                     ProximosIds& ids)
{
    const std::int64_t parcelas = sorteio.Entre(1, 6);
    std::int64_t restante = total - frete;
    for (std::int64_t parcela = 1; parcela <= parcelas; ++parcela) {
        std::int64_t valor = parcela == parcelas ? restante : sorteio.Entre(1, restante / 2);
        restante -= valor;
        if (parcela == 1)
            valor += frete;
        const std::string sufixo = parcela == 1 && frete > 0 ? "A" : std::to_string(parcela);
        InserirDuplicata(banco, {.id = ++ids.duplicata,
                                 .nota = std::to_string(nota),
                                 .documento = "'NF" + std::to_string(nota) + "/" + sufixo + "'",
                                 .valor = Reais(valor),
                                 .baixa = "'15.04.2013'"});
    }
}

// Invoice nota of a drawn mode with one to three sellers, each earning 0.50 %
// to 8 % with or without a credited share; what each seller's rows must come
// to, from the base his slot takes in that mode.
std::vector<Esperado> SortearNota(const BancoTeste& banco, Sorteio& sorteio, int nota, ProximosIds& ids)
{
    const int creditados[] = {0, 30, 40, 50, 100};
    const int modo = kModos[sorteio.Entre(0, 3)];
    const std::int64_t produtos = sorteio.Entre(20000, 200000);
    const std::int64_t desconto = sorteio.CaraOuCoroa() ? sorteio.Entre(0, produtos / 10) : 0;
    const std::int64_t servico = sorteio.CaraOuCoroa() ? sorteio.Entre(0, produtos / 20) : 0;
    const std::int64_t frete = sorteio.CaraOuCoroa() ? sorteio.Entre(1000, 5000) : 0;
    const std::int64_t total = produtos - desconto + servico + frete;
    const std::int64_t comissaoNota = sorteio.Entre(1000, 10000);
    const std::int64_t resultado = sorteio.Entre(5000, 50000);
    const bool baseOutrosNaComissao = sorteio.CaraOuCoroa();
    NotaTeste dados{.id = nota,
                    .total = Reais(total),
                    .produtos = Reais(produtos),
                    .desconto = Reais(desconto),
                    .servico = Reais(servico),
                    .financeiro = Reais(total),
                    .frete = Reais(frete),
                    .freteNasParcelas = frete > 0 ? "'S'" : "'N'",
                    .base = Reais(produtos - desconto),
                    .comissao = Reais(comissaoNota),
                    .resultado = Reais(resultado),
                    .natureza = std::to_string(modo + 1),
                    .baseOutros = baseOutrosNaComissao ? "'C'" : "'P'"};
    const std::int64_t reducao = SortearItens(banco, sorteio, nota, modo, produtos, ids);

    std::vector<Esperado> esperados;
    const std::int64_t vendedores = sorteio.Entre(1, 3);
    for (int slot = 1; slot <= vendedores; ++slot) {
        const int vendedor = 10 * nota + slot;
        const std::int64_t percentual = sorteio.Entre(50, 800);  // hundredths of a per cent
        const bool credito = sorteio.CaraOuCoroa();
        dados.slots.push_back({std::to_string(vendedor), Reais(percentual), credito ? "'S'" : "'N'",
                               std::to_string(creditados[sorteio.Entre(0, 4)])});
        const std::int64_t base = modo == 5                          ? resultado
                                  : modo == 6                        ? produtos - desconto + servico
                                  : slot > 1 && baseOutrosNaComissao ? comissaoNota
                                                                     : produtos - desconto;
        const long double comissao = static_cast<long double>(base * percentual) / 1e6L;
        esperados.push_back({nota, vendedor, std::max(0.0L, comissao - static_cast<long double>(reducao) / 100)});
    }
    InserirNota(banco, dados);
    SortearParcelas(banco, sorteio, nota, total, frete, ids);
    return esperados;
}

}  // namespace

// Invoice 1: base 1000.00, reduction 2.00, installments 4 × 250.00. Seller 7
// earns 5 % with 40 % credited: 50.00 − 2.00 = 20.00 − 0.80 on invoicing and
// 4 × (7.50 − 0.30) on receipt. Seller 9 earns 1 % on receipt alone:
// 4 × (2.50 − 0.50). Invoice 2: reduction −3.00, installments 500.00, 300.00
// and 200.00. Seller 7 has it all credited: 50.00 + 3.00; seller 9:
// 10.00 + 3.00 in the installments' proportions.
TEST(ReducaoComissao, UmaVezPorVendedorEmTodasAsLinhasDaNota)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1,
                          .financeiro = "1000.00",
                          .base = "1000.00",
                          .slots = {{"7", "5", "'S'", "40"}, {"9", "1", "'N'", "0"}}});
    InserirItem(f.banco, {.id = 1, .nota = 1, .unitario = "1000.00", .total = "1000.00", .reducao = "2.00"});
    for (int duplicata = 1; duplicata <= 4; ++duplicata)
        InserirDuplicata(f.banco, {.id = duplicata, .documento = "'NF1/" + std::to_string(duplicata) + "'"});

    InserirNota(f.banco, {.id = 2,
                          .financeiro = "1000.00",
                          .base = "1000.00",
                          .slots = {{"7", "5", "'S'", "100"}, {"9", "1", "'N'", "0"}}});
    InserirItem(f.banco,
                {.id = 2, .nota = 2, .quantidade = "2", .unitario = "500.00", .total = "1000.00", .reducao = "-1.50"});
    InserirDuplicata(f.banco, {.id = 5, .nota = "2", .documento = "'NF2/1'", .valor = "500.00"});
    InserirDuplicata(f.banco, {.id = 6, .nota = "2", .documento = "'NF2/2'", .valor = "300.00"});
    InserirDuplicata(f.banco, {.id = 7, .nota = "2", .documento = "'NF2/3'", .valor = "200.00"});

    Fases5e6(f);

    EXPECT_EQ(LinhasDoTipo(f.banco, "1", "id_nf_comercio", 1), Linhas{"7 1000 1.92 19.2"});
    for (int duplicata = 1; duplicata <= 4; ++duplicata)
        EXPECT_EQ(LinhasDoTipo(f.banco, "2", "id_financeiro", duplicata), (Linhas{"7 250 2.88 7.2", "9 250 0.8 2"}))
            << duplicata;
    EXPECT_EQ(SomaDoVendedor(f.banco, 1, 7), "48");
    EXPECT_EQ(SomaDoVendedor(f.banco, 1, 9), "8");

    EXPECT_EQ(LinhasDoTipo(f.banco, "1", "id_nf_comercio", 2), Linhas{"7 1000 5.3 53"});
    EXPECT_EQ(LinhasDoTipo(f.banco, "2", "id_financeiro", 5), Linhas{"9 500 1.3 6.5"});
    EXPECT_EQ(LinhasDoTipo(f.banco, "2", "id_financeiro", 6), Linhas{"9 300 1.3 3.9"});
    EXPECT_EQ(LinhasDoTipo(f.banco, "2", "id_financeiro", 7), Linhas{"9 200 1.3 2.6"});
    EXPECT_EQ(SomaDoVendedor(f.banco, 2, 7), "53");
    EXPECT_EQ(SomaDoVendedor(f.banco, 2, 9), "13");
}

// Invoices drawn from a fixed seed: modes 0, 4, 5 and 6, one to three
// sellers with or without credit on invoicing, one to six paid installments,
// freight carried by an "/A" installment or not, reductions of both signs,
// sometimes larger than the commission. For every seller of every invoice
// his rows add up to his commission on the whole invoice less the reduction
// once, or to 0 when the reduction is the larger, within a cent per row.
TEST(ReducaoComissao, LinhasDoVendedorSomamAComissaoMenosUmaReducao)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    for (const int modo : kModos)
        InserirNatureza(f.banco, modo + 1, std::to_string(modo));
    Sorteio sorteio(20130325);
    std::vector<Esperado> esperados;
    ProximosIds ids;
    for (int nota = 1; nota <= 30; ++nota) {
        const std::vector<Esperado> daNota = SortearNota(f.banco, sorteio, nota, ids);
        esperados.insert(esperados.end(), daNota.begin(), daNota.end());
    }

    Fases5e6(f);

    for (const Esperado& esperado : esperados) {
        SCOPED_TRACE("nota " + std::to_string(esperado.nota) + " vendedor " + std::to_string(esperado.vendedor));
        const auto soma = f.banco.Ler(
            "select count(*) as linhas, sum(vl_comissao) as total from mov_comissao where"
            " id_nf_comercio = " +
            std::to_string(esperado.nota) + " and id_vendedor = " + std::to_string(esperado.vendedor));
        const auto linhas = soma.at(0).at("LINHAS").Inteiro();
        ASSERT_GT(linhas, 0);
        EXPECT_LE(std::fabs(soma.at(0).at("TOTAL").ComoDinheiro().Extended() - esperado.valor),
                  0.01L * static_cast<long double>(linhas));
    }
}
