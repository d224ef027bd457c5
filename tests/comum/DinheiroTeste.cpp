#include "comum/Dinheiro.h"
#include "comum/Erros.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/ErroEsperado.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace {

constexpr std::int64_t kMaximo = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinimo = std::numeric_limits<std::int64_t>::min();

struct CasoExtended {
    const char* nome;
    long double entrada;
    std::int64_t unidades;
};

void PrintTo(const CasoExtended& c, std::ostream* os)
{
    *os << c.nome;
}

class DeExtended : public ::testing::TestWithParam<CasoExtended> {};

TEST_P(DeExtended, ArredondaQuatroCasasMeioParaPar)
{
    EXPECT_EQ(Dinheiro::DeExtended(GetParam().entrada).Unidades(), GetParam().unidades);
}

// Multiples of 1/32 are exact in binary, so these are true halves.
INSTANTIATE_TEST_SUITE_P(Dinheiro, DeExtended,
                         ::testing::Values(CasoExtended{"meio_fica_no_par", 1.03125L, 10312},
                                           CasoExtended{"meio_sobe_ao_par", 1.09375L, 10938},
                                           CasoExtended{"meio_negativo_fica_no_par", -1.03125L, -10312},
                                           CasoExtended{"meio_negativo_desce_ao_par", -1.09375L, -10938},
                                           CasoExtended{"logo_acima_do_meio", 1.0312500001L, 10313},
                                           CasoExtended{"logo_abaixo_do_meio", 1.0937499999L, 10937},
                                           CasoExtended{"decimal_de_quatro_casas", 1234.5678L, 12345678}),
                         NomeDoCaso());

TEST(DeExtended, ValorForaDoIntervaloLancaErroAritmetico)
{
    const long double invalidos[] = {std::numeric_limits<long double>::quiet_NaN(),
                                     std::numeric_limits<long double>::infinity(),
                                     -std::numeric_limits<long double>::infinity(), 1e15L, -1e15L};
    for (const long double v : invalidos)
        EXPECT_THROW(Dinheiro::DeExtended(v), ErroAritmetico) << static_cast<double>(v);
    EXPECT_EQ(TextoDoErro<ErroAritmetico>([] { Dinheiro::DeExtended(1e15L); }),
              "Estouro em operação com valor monetário.");
}

struct CasoNumeric {
    const char* nome;
    std::int64_t bruto;
    int escala;
    std::int64_t unidades;
};

void PrintTo(const CasoNumeric& c, std::ostream* os)
{
    *os << c.nome;
}

class DeNumeric : public ::testing::TestWithParam<CasoNumeric> {};

TEST_P(DeNumeric, AmpliaExatoEArredondaAlemDaQuartaCasa)
{
    EXPECT_EQ(Dinheiro::DeNumeric(GetParam().bruto, GetParam().escala).Unidades(), GetParam().unidades);
}

INSTANTIATE_TEST_SUITE_P(
    Dinheiro, DeNumeric,
    ::testing::Values(CasoNumeric{"duas_casas", 12345, -2, 1234500}, CasoNumeric{"inteiro", 12345, 0, 123450000},
                      CasoNumeric{"escala_positiva", 5, 2, 5000000}, CasoNumeric{"quatro_casas", -123456, -4, -123456},
                      CasoNumeric{"cinco_casas_meio_fica_no_par", 1234565, -5, 123456},
                      CasoNumeric{"cinco_casas_meio_sobe_ao_par", 1234575, -5, 123458},
                      CasoNumeric{"cinco_casas_acima_do_meio", 1234566, -5, 123457},
                      CasoNumeric{"negativo_meio_fica_no_par", -1234565, -5, -123456},
                      CasoNumeric{"negativo_meio_desce_ao_par", -1234575, -5, -123458},
                      CasoNumeric{"dezoito_casas_meio_fica_no_par", 1'000'050'000'000'000'000, -18, 10000},
                      CasoNumeric{"dezoito_casas_meio_sobe_ao_par", 1'000'150'000'000'000'000, -18, 10002},
                      CasoNumeric{"divisor_maior_que_64_bits", kMaximo, -23, 1},
                      CasoNumeric{"minimo_com_divisor_enorme", kMinimo, -23, -1},
                      CasoNumeric{"escala_muito_pequena", kMaximo, -40, 0},
                      CasoNumeric{"zero_em_escala_enorme", 0, 400, 0}),
    NomeDoCaso());

TEST(DeNumeric, EstouroLancaErroAritmetico)
{
    EXPECT_THROW(Dinheiro::DeNumeric(kMaximo, -2), ErroAritmetico);
    EXPECT_THROW(Dinheiro::DeNumeric(1, 20), ErroAritmetico);
    EXPECT_THROW(Dinheiro::DeNumeric(-1, 2'000'000'000), ErroAritmetico);
}

TEST(Dinheiro, SomaESubtracaoSaoExatas)
{
    const Dinheiro a = Dinheiro::DeUnidades(1);
    const Dinheiro b = Dinheiro::DeUnidades(2);
    EXPECT_EQ((a + b).Unidades(), 3);
    EXPECT_EQ((a - b).Unidades(), -1);
    EXPECT_EQ((-b).Unidades(), -2);
    Dinheiro c = a;
    c += b;
    c -= Dinheiro::DeInteiro(1);
    EXPECT_EQ(c.Unidades(), 3 - 10000);
    EXPECT_LT(a, b);
}

TEST(Dinheiro, EstouroLancaErroAritmeticoComTexto)
{
    const Dinheiro maximo = Dinheiro::DeUnidades(kMaximo);
    const Dinheiro minimo = Dinheiro::DeUnidades(kMinimo);
    const Dinheiro um = Dinheiro::DeUnidades(1);
    const std::function<void()> operacoes[] = {
        [&] { (void)(maximo + um); },
        [&] { (void)(minimo - um); },
        [&] { (void)(-minimo); },
        [&] { (void)Dinheiro::DeInteiro(kMaximo / 1000); },
    };
    for (const auto& operacao : operacoes)
        EXPECT_EQ(TextoDoErro<ErroAritmetico>(operacao), "Estouro em operação com valor monetário.");
}

TEST(Dinheiro, TextoComQuatroCasasEPonto)
{
    EXPECT_EQ(Dinheiro::DeUnidades(-123400).Texto(), "-12.3400");
    EXPECT_EQ(Dinheiro::DeUnidades(5).Texto(), "0.0005");
    EXPECT_EQ(Dinheiro().Texto(), "0.0000");
    EXPECT_EQ(Dinheiro::DeUnidades(kMinimo).Texto(), "-922337203685477.5808");
}

TEST(Dividir, QuocienteEmPrecisaoEstendida)
{
    EXPECT_EQ(Dividir(1, 4), 0.25L);
    EXPECT_EQ(Dividir(-9, 3), -3);
}

TEST(Dividir, FalhasLancamErroAritmeticoComTexto)
{
    const long double maximo = std::numeric_limits<long double>::max();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const struct {
        long double dividendo, divisor;
        const char* texto;
    } casos[] = {
        {1, 0, "Divisão por zero."},
        {0, 0, "Divisão por zero."},
        {-5, -0.0L, "Divisão por zero."},
        {maximo, 0.5L, "Estouro de ponto flutuante."},
        {nan, 2, "Operação de ponto flutuante inválida."},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoDoErro<ErroAritmetico>([&] { Dividir(c.dividendo, c.divisor); }), c.texto);
}

}  // namespace
