#include "comum/Erros.h"
#include "comum/Numericos.h"
#include "tests/fixtures/Casos.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct CasoDouble {
    const char* nome;
    double entrada;
    int casas;
    double esperado;
};

void PrintTo(const CasoDouble& c, std::ostream* os)
{
    *os << c.nome;
}

class Arredondar2 : public ::testing::TestWithParam<CasoDouble> {};

TEST_P(Arredondar2, CortaUmaCasaAlemEArredondaNela)
{
    EXPECT_EQ(Arredondar(GetParam().entrada, GetParam().casas), GetParam().esperado);
}

// The cut works on the double: 2.675 is held just below, 2.345 just above.
INSTANTIATE_TEST_SUITE_P(
    Numericos, Arredondar2,
    ::testing::Values(
        CasoDouble{"double_abaixo_do_meio", 2.675, 2, 2.67}, CasoDouble{"double_acima_do_meio", 2.345, 2, 2.35},
        CasoDouble{"corta_antes_de_arredondar", 3.928571, 2, 3.93},
        CasoDouble{"cinco_na_terceira_casa", 0.035, 2, 0.04}, CasoDouble{"mil_e_cinco_milesimos", 1.005, 2, 1.0},
        CasoDouble{"ja_com_duas_casas", 12.5, 2, 12.5}, CasoDouble{"negativo_pela_magnitude", -2.345, 2, -2.35},
        CasoDouble{"negativo_abaixo_do_meio", -2.675, 2, -2.67}, CasoDouble{"negativo_que_vira_zero", -0.004, 2, 0.0},
        CasoDouble{"centesimos_acima_de_32_bits", 21474836.475, 2, 21474836.48},
        CasoDouble{"negativo_acima_de_32_bits", -21474836.475, 2, -21474836.48},
        CasoDouble{"trinta_milhoes", 30000000.005, 2, 30000000.0},
        CasoDouble{"quatro_casas_corta_antes", 12.34565, 4, 12.3456},
        CasoDouble{"quatro_casas_sobe", 12.34566, 4, 12.3457}, CasoDouble{"sem_casas", 2.5, 0, 3.0},
        CasoDouble{"grande_demais_para_ter_casas", 1e300, 2, 1e300},
        CasoDouble{"inteiro_acima_de_2_a_52", 4503599627370497.0, 2, 4503599627370497.0}),
    NomeDoCaso());

class Truncar2 : public ::testing::TestWithParam<CasoDouble> {};

TEST_P(Truncar2, CortaEmDirecaoAoZero)
{
    EXPECT_EQ(Truncar(GetParam().entrada, GetParam().casas), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Numericos, Truncar2,
                         ::testing::Values(CasoDouble{"corta", 2.675, 2, 2.67},
                                           CasoDouble{"folga_recupera_o_double_abaixo", 0.29, 2, 0.29},
                                           CasoDouble{"folga_passa_ao_inteiro", 1.999999999999, 2, 2.0},
                                           CasoDouble{"sem_casas", 12.3456, 0, 12.0},
                                           CasoDouble{"tres_casas", 12.3456, 3, 12.345},
                                           CasoDouble{"negativo_corta_para_o_zero", -2.675, 2, -2.67},
                                           CasoDouble{"negativo_pela_magnitude", -0.29, 2, -0.29},
                                           CasoDouble{"negativo_exato_fica", -2.0, 2, -2.0},
                                           CasoDouble{"negativo_corta_para_zero", -2.567, 2, -2.56},
                                           CasoDouble{"acima_de_32_bits", 98765432.109, 2, 98765432.1}),
                         NomeDoCaso());

TEST(Numericos, ValorNaoFinitoLancaErroAritmetico)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(Arredondar(nan, 2), ErroAritmetico);
    EXPECT_THROW(Arredondar(-inf, 2), ErroAritmetico);
    EXPECT_THROW(Truncar(inf, 2), ErroAritmetico);
    EXPECT_THROW(FormatarMascara(nan, "##0.00"), ErroAritmetico);
}

TEST(Numericos, TrocarVirgulaPorPonto)
{
    EXPECT_EQ(TrocarVirgulaPorPonto("1.234,5000"), "1234.5000");
    EXPECT_EQ(TrocarVirgulaPorPonto("12.345"), "12345");
    EXPECT_EQ(TrocarVirgulaPorPonto("-1.234.567,89"), "-1234567.89");
    EXPECT_EQ(TrocarVirgulaPorPonto(""), "");
}

struct CasoMascara {
    const char* nome;
    long double valor;
    const char* mascara;
    const char* texto;
};

void PrintTo(const CasoMascara& c, std::ostream* os)
{
    *os << c.nome;
}

class Mascara : public ::testing::TestWithParam<CasoMascara> {};

TEST_P(Mascara, SeparadoresBrasileirosMeioLongeDoZero)
{
    EXPECT_EQ(FormatarMascara(GetParam().valor, GetParam().mascara), GetParam().texto);
}

INSTANTIATE_TEST_SUITE_P(
    Numericos, Mascara,
    ::testing::Values(
        CasoMascara{"duas_casas", 1234.5L, "##0.00", "1234,50"}, CasoMascara{"menor_que_um", 0.5L, "##0.00", "0,50"},
        CasoMascara{"negativo", -3, "##0.00", "-3,00"},
        CasoMascara{"milhao_sem_agrupar", 1000000, "##0.00", "1000000,00"},
        CasoMascara{"meio_sobe", 0.125L, "##0.00", "0,13"},
        CasoMascara{"meio_negativo_desce", -0.125L, "##0.00", "-0,13"},
        CasoMascara{"double_abaixo_do_meio", 2.675, "##0.00", "2,67"},
        CasoMascara{"decimal_exato_visto_com_18_digitos", 1.225L, "##0.00", "1,23"},
        CasoMascara{"vai_um_ate_a_frente", 99.995L, "##0.00", "100,00"},
        CasoMascara{"negativo_que_vira_zero", -0.004L, "##0.00", "0,00"},
        CasoMascara{"zero_negativo", -0.0L, "##0.00", "0,00"},
        CasoMascara{"negativo_que_arredonda_para_longe", -0.005L, "##0.00", "-0,01"},
        CasoMascara{"quatro_casas_agrupado", 1234.5L, "###,##0.0000", "1.234,5000"},
        CasoMascara{"quatro_casas_pequeno", 12.5L, "###,##0.0000", "12,5000"},
        CasoMascara{"quatro_casas_milhoes", -1234567.12345L, "###,##0.0000", "-1.234.567,1235"},
        CasoMascara{"agrupado_sem_casas", 1234567, "###,##0", "1.234.567"},
        CasoMascara{"agrupado_vai_um", 999.5L, "###,##0", "1.000"},
        CasoMascara{"agrupado_tres_digitos", 999, "###,##0", "999"}, CasoMascara{"agrupado_zero", 0, "###,##0", "0"},
        CasoMascara{"agrupado_negativo", -1234, "###,##0", "-1.234"},
        CasoMascara{"minimo_de_64_bits", -9223372036854775807.0L - 1, "###,##0", "-9.223.372.036.854.775.808"},
        CasoMascara{"inteiro_de_19_digitos", 1234567890123456789, "###,##0", "1.234.567.890.123.456.789"},
        CasoMascara{"muito_pequeno", 1e-30L, "###,##0.0000", "0,0000"}),
    NomeDoCaso());

TEST(Numericos, MascaraDesconhecidaLancaInvalidArgument)
{
    EXPECT_THROW(FormatarMascara(1, "#.##"), std::invalid_argument);
    EXPECT_THROW(FormatarMascara(1, "0.00%"), std::invalid_argument);
}

}  // namespace
