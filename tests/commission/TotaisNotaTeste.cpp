// The invoice's commission base from its items under the two parameter
// flags, and its commission reduction, on a real database.
#include <gtest/gtest.h>

#include <string>

#include "commission/TotaisNota.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

namespace {

Dinheiro Reais(const char* texto)
{
    return Dinheiro::DeExtended(std::stold(texto));
}

// Invoice 1: 2 × 100.00 with freight 5.00 per unit included, 1 × 50.00;
// freight 3.00 and IPI 15.00 over the items, discount 10.00. Invoice 2 adds
// other expenses 1.00, insurance 2.00 and substitute ICMS 4.00.
void InserirNotasComFrete(const BancoTeste& banco)
{
    InserirCadastros(banco);
    for (int nota = 1; nota <= 2; ++nota) {
        InserirNota(banco, {.id = nota, .desconto = "10.00"});
        const bool comDespesas = nota == 2;
        InserirItem(banco, {.id = nota * 10 + 1,
                            .nota = nota,
                            .quantidade = "2",
                            .unitario = "100.00",
                            .freteIncluso = "'S'",
                            .freteUnitario = "5.00",
                            .frete = "3.00",
                            .ipi = "15.00"});
        InserirItem(banco, {.id = nota * 10 + 2,
                            .nota = nota,
                            .unitario = "50.00",
                            .outras = comDespesas ? "1.00" : "0",
                            .seguro = comDespesas ? "2.00" : "0",
                            .icmsSubst = comDespesas ? "4.00" : "0"});
    }
}

struct CasoParametro {
    const char* nome;
    const char* freteDespesa;
    const char* ipiIcmsSt;
    int nota;
    const char* base;
};

}  // namespace

// The parameters change between calls on one connection: nothing is cached.
TEST(TotaisNota, BaseDosItensSegueOsParametros)
{
    const CasoParametro casos[] = {
        {"exemplo_frete_fora", "'N'", "'S'", 1, "245.00"},
        {"exemplo_frete_e_despesas", "'S'", "'S'", 1, "258.00"},
        {"frete_nulo_fica_no_preco", "null", "'S'", 1, "255.00"},
        {"sem_impostos", "'N'", "'N'", 1, "230.00"},
        {"todas_as_despesas", "'S'", "'S'", 2, "265.00"},
        {"despesas_sem_impostos", "'S'", "null", 2, "246.00"},
        {"so_impostos", "'X'", "'S'", 2, "249.00"},
    };
    FaseTeste f;
    InserirNotasComFrete(f.banco);
    f.Conectado([&] {
        for (const CasoParametro& caso : casos) {
            SCOPED_TRACE(caso.nome);
            f.banco.Executar(std::string("update tab_parametro set ST_COMISSAO_FRETE_DESPESA = ") + caso.freteDespesa +
                             ", ST_COMISSAO_IPI_ICMSST = " + caso.ipiIcmsSt);
            EXPECT_EQ(CalcularComissaoItens(f.sessao, caso.nota), Reais(caso.base));
        }
    });
}

// Without items, or without the parameter row, only services less discount remain.
TEST(TotaisNota, SemItensOuSemParametroFicaServicoMenosDesconto)
{
    FaseTeste f;
    InserirNotasComFrete(f.banco);
    InserirNota(f.banco, {.id = 3, .desconto = "100.00", .servico = "30.00"});
    f.banco.Executar("update tab_parametro set ST_COMISSAO_FRETE_DESPESA = 'S', ST_COMISSAO_IPI_ICMSST = 'S'");

    f.Conectado([&] {
        EXPECT_EQ(CalcularComissaoItens(f.sessao, 3), Reais("-70"));
        EXPECT_EQ(CalcularComissaoItens(f.sessao, 99), Dinheiro());
        f.banco.Executar("delete from tab_parametro");
        EXPECT_EQ(CalcularComissaoItens(f.sessao, 1), Reais("-10"));
    });
}

// Items without a product row reduce nothing; negative reductions add up like
// any other.
TEST(TotaisNota, ReducaoSomaItensComProdutoCadastrado)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirItem(f.banco, {.id = 1, .nota = 1, .quantidade = "2", .reducao = "1.50"});
    InserirItem(f.banco, {.id = 2, .nota = 1, .produto = "77", .quantidade = "1", .reducao = "10.00"});
    InserirItem(f.banco, {.id = 3, .nota = 1, .quantidade = "0.5", .reducao = "-0.01"});
    InserirItem(f.banco, {.id = 4, .nota = 2, .quantidade = "3", .reducao = "-1.00"});
    InserirItem(f.banco, {.id = 5, .nota = 3, .produto = "null", .reducao = "4.00"});
    for (int nota = 1; nota <= 3; ++nota)
        InserirNota(f.banco, {.id = nota});

    f.Conectado([&] {
        EXPECT_EQ(CalcularReducaoComissao(f.sessao, 1), Reais("2.995"));
        EXPECT_EQ(CalcularReducaoComissao(f.sessao, 2), Reais("-3"));
        EXPECT_EQ(CalcularReducaoComissao(f.sessao, 3), Dinheiro());
        EXPECT_EQ(CalcularReducaoComissao(f.sessao, 4), Dinheiro());
    });
}
