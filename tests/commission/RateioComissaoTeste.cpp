// The per-item sharing given a matrix that no longer matches the invoice's
// items, as when the suite changes them between the item list and the
// sharing statement.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "commission/RateioComissao.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Modelo.h"

namespace {

// A matrix row from seller 7's table percentage in slot 1.
std::vector<double> LinhaDoVendedor(double percentual)
{
    std::vector<double> linha(13, 0.0);
    linha[0] = percentual;
    linha[5] = 1;
    return linha;
}

// Invoice 1 of seller 7: item 11 of product 1 at 100.00 and item 12 of
// product 2 at 300.00. Invoice 2 holds an item whose identifier is 0.
class RateioComissao : public ::testing::Test {
protected:
    void SetUp() override
    {
        InserirProduto(m.banco, 1, "10");
        InserirProduto(m.banco, 2, "20");
        InserirNota(m.banco, {.id = 1, .slots = {{"7", "null", "null", "null"}}});
        InserirItem(m.banco,
                    {.id = 11, .nota = 1, .numero = "1", .produto = "1", .unitario = "100", .percentual = "9"});
        InserirItem(m.banco,
                    {.id = 12, .nota = 1, .numero = "2", .produto = "2", .unitario = "300", .percentual = "7.77"});
        InserirItem(m.banco,
                    {.id = 0, .nota = 2, .numero = "1", .produto = "1", .unitario = "100", .percentual = "7.77"});
    }

    void Ratear(TDynamicDoubleArray& matriz, const std::vector<std::int64_t>& produtoDaLinha)
    {
        m.Conectado(
            [&] { RatearComissaoPorVendedor(1, matriz, produtoDaLinha, m.modelo.Sessao.IBD_BancoDados.get()); });
    }

    std::string Percentual(const std::string& sql) const
    {
        const Valor valor = m.banco.Escalar(sql);
        return valor.Nulo() ? "null" : valor.ComoDinheiro().Texto();
    }

    std::string PercentualItem(int id) const
    {
        return Percentual("select po_comissao from mov_nf_comercio_item where id_nf_comercio_item = " +
                          std::to_string(id));
    }

    ModeloTeste m;
};

// Item 12 finds no row of its product and adds nothing; the row of product 5
// meets no item and writes nothing, not even to item 0.
TEST_F(RateioComissao, ItemSemLinhaELinhaSemItemFicamDeFora)
{
    TDynamicDoubleArray matriz = {LinhaDoVendedor(4), LinhaDoVendedor(5)};

    Ratear(matriz, {1, 5});

    EXPECT_EQ(Percentual("select po_comissao from mov_nf_comercio where id_nf_comercio = 1"), "4.0000");
    EXPECT_EQ(PercentualItem(11), "4.0000");
    EXPECT_EQ(PercentualItem(12), "7.7700");
    EXPECT_EQ(PercentualItem(0), "7.7700");
    EXPECT_EQ(matriz[0], (std::vector<double>{4, 0, 0, 0, 0, 1, 11, 100, 4, 0, 0, 0, 0}));
    EXPECT_EQ(matriz[1], LinhaDoVendedor(5));
}

TEST_F(RateioComissao, MatrizForaDoFormatoERecusadaSemGravar)
{
    struct Caso {
        const char* nome;
        TDynamicDoubleArray matriz;
        std::vector<std::int64_t> produtos;
    };
    const Caso casos[] = {
        {"linha_sem_produto", {LinhaDoVendedor(4), LinhaDoVendedor(6)}, {1}},
        {"produto_sem_linha", {LinhaDoVendedor(4)}, {1, 2}},
        {"linha_curta", {std::vector<double>(12, 0.0)}, {1}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TDynamicDoubleArray matriz = caso.matriz;
        EXPECT_THROW(Ratear(matriz, caso.produtos), std::invalid_argument);
        EXPECT_EQ(Percentual("select po_comissao from mov_nf_comercio where id_nf_comercio = 1"), "null");
        EXPECT_EQ(PercentualItem(11), "9.0000");
    }
}

}  // namespace
