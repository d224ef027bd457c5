#include "comum/ComandoSql.h"
#include "comum/DataHora.h"
#include "comum/Dinheiro.h"
#include "comum/Erros.h"
#include "comum/Literais.h"

#include <gtest/gtest.h>

namespace {

TEST(Literais, NumerosComPontoDecimalSemAgrupamento)
{
    const struct {
        long double valor;
        const char* duasCasas;
    } casos[] = {
        {1234.5L, "1234.50"},    {0.5L, "0.50"},    {-3, "-3.00"},
        {1000000, "1000000.00"}, {-0.001L, "0.00"}, {Dinheiro::DeUnidades(12250).Extended(), "1.23"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LiteralDuasCasas(c.valor), c.duasCasas);
        EXPECT_EQ(LiteralDuasCasasSemPontos(c.valor), c.duasCasas);
    }
    EXPECT_EQ(LiteralQuatroCasas(1234.5L), "1234.5000");
    EXPECT_EQ(LiteralQuatroCasas(-1234567.25L), "-1234567.2500");
    EXPECT_EQ(LiteralQuatroCasas(12.5L), "12.5000");
}

TEST(Literais, InteirosEAgrupados)
{
    EXPECT_EQ(LiteralInteiro(1234), "1234");
    EXPECT_EQ(LiteralInteiro(-3), "-3");
    EXPECT_EQ(NumeroAgrupado(12345), "12.345");
    EXPECT_EQ(NumeroAgrupado(999), "999");
    EXPECT_EQ(NumeroAgrupado(1234567), "1.234.567");
    EXPECT_EQ(NumeroAgrupado(-1234), "-1.234");
    EXPECT_EQ(NumeroAgrupado(0), "0");
}

TEST(Literais, TextoEntreAspasComAspasDobradas)
{
    EXPECT_EQ(LiteralTexto("S"), "'S'");
    EXPECT_EQ(LiteralTexto("D'Ávila"), "'D''Ávila'");
    EXPECT_EQ(LiteralTexto("''"), "''''''");
    EXPECT_EQ(LiteralTexto(""), "''");
    EXPECT_EQ(LiteralTexto("x' or '1'='1"), "'x'' or ''1''=''1'");
}

TEST(Literais, DatasEntreAspas)
{
    EXPECT_EQ(LiteralData(DataHora::De(2012, 8, 2, 14, 5, 9)), "'02.08.2012'");
    EXPECT_EQ(LiteralDataHora(DataHora::De(2013, 3, 25, 14, 5, 9)), "'25.03.2013 14:05:09'");
}

// A parameter carries the very number its literal spells, with the mask's
// rounding already in the digits.
TEST(Literais, ParametroComOValorDoLiteral)
{
    const std::pair<std::string, ParametroSql> casos[] = {
        {LiteralDuasCasasSemPontos(12.345L), {1235, -2}},
        {LiteralDuasCasas(-0.05L), {-5, -2}},
        {LiteralQuatroCasas(5.5L), {55000, -4}},
        {"7", {7, 0}},
    };
    for (const auto& [literal, esperado] : casos) {
        SCOPED_TRACE(literal);
        const ComandoSql comando = ParametroDoLiteral(literal);
        EXPECT_EQ(comando.Texto(), "?");
        EXPECT_EQ(comando.Parametros(), std::vector<ParametroSql>{esperado});
    }
    for (const char* invalido : {"", "-", "1.234.56", "1,5", "12a", "99999999999999999999"})
        EXPECT_THROW(ParametroDoLiteral(invalido), ErroConversao) << invalido;
}

}  // namespace
