// The per-item sharing given a matrix that no longer matches the invoice's
// items, as when the suite changes them between the item list and the
// sharing statement.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "commission/RateioComissao.h"
#include "db/firebird/Consulta.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

namespace {

// A row of the product from seller 7's table percentage in slot 1.
LinhaRateio LinhaDoVendedor(std::int64_t produto, std::int64_t percentual)
{
    LinhaRateio linha;
    linha.idProduto = produto;
    linha.percentuais[0] = Dinheiro::DeInteiro(percentual);
    linha.vendedoresComPercentual = 1;
    return linha;
}

// What the sharing fills in: "item base | commissions of slots 1 to 5".
std::string Preenchido(const LinhaRateio& linha)
{
    std::ostringstream texto;
    texto << linha.idItem << " " << linha.base << " |";
    for (const Dinheiro comissao : linha.comissoes)
        texto << " " << comissao.Texto();
    return texto.str();
}

// Invoice 1 of seller 7: item 11 of product 1 at 100.00 and item 12 of
// product 2 at 300.00. Invoice 2 holds an item whose identifier is 0.
class RateioComissao : public ::testing::Test {
protected:
    void SetUp() override
    {
        InserirProduto(f.banco, 1, "10");
        InserirProduto(f.banco, 2, "20");
        InserirNota(f.banco, {.id = 1, .slots = {{"7", "null", "null", "null"}}});
        InserirItem(f.banco,
                    {.id = 11, .nota = 1, .numero = "1", .produto = "1", .unitario = "100", .percentual = "9"});
        InserirItem(f.banco,
                    {.id = 12, .nota = 1, .numero = "2", .produto = "2", .unitario = "300", .percentual = "7.77"});
        InserirItem(f.banco,
                    {.id = 0, .nota = 2, .numero = "1", .produto = "1", .unitario = "100", .percentual = "7.77"});
    }

    void Ratear(std::vector<LinhaRateio>& matriz)
    {
        f.Conectado([&] {
            Consulta comando("qryRateioTeste", f.sessao.Banco());
            for (const ComandoSql& sql : ComandosDoRateio(1, matriz, f.sessao.Banco()))
                f.sessao.ExecutarComando(comando, sql, false);
        });
    }

    std::string Percentual(const std::string& sql) const
    {
        const Valor valor = f.banco.Escalar(sql);
        return valor.Nulo() ? "null" : valor.ComoDinheiro().Texto();
    }

    std::string PercentualItem(int id) const
    {
        return Percentual("select po_comissao from mov_nf_comercio_item where id_nf_comercio_item = " +
                          std::to_string(id));
    }

    FaseTeste f;
};

// Item 12 finds no row of its product and adds nothing; the row of product 5
// meets no item and writes nothing, not even to item 0.
TEST_F(RateioComissao, ItemSemLinhaELinhaSemItemFicamDeFora)
{
    std::vector<LinhaRateio> matriz = {LinhaDoVendedor(1, 4), LinhaDoVendedor(5, 5)};

    Ratear(matriz);

    EXPECT_EQ(Percentual("select po_comissao from mov_nf_comercio where id_nf_comercio = 1"), "4.0000");
    EXPECT_EQ(PercentualItem(11), "4.0000");
    EXPECT_EQ(PercentualItem(12), "7.7700");
    EXPECT_EQ(PercentualItem(0), "7.7700");
    EXPECT_EQ(Preenchido(matriz[0]), "11 100 | 4.0000 0.0000 0.0000 0.0000 0.0000");
    EXPECT_EQ(Preenchido(matriz[1]), "0 0 | 0.0000 0.0000 0.0000 0.0000 0.0000");
}

}  // namespace
