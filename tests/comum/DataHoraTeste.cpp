#include "comum/DataHora.h"
#include "comum/Erros.h"
#include "tests/fixtures/ErroEsperado.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr std::int64_t kMsPorDia = 86'400'000;

TEST(DataHora, ContaMilissegundosDesdeODiaZero)
{
    EXPECT_TRUE(DataHora().DiaZero());
    EXPECT_EQ(DataHora::De(1899, 12, 30), DataHora());
    EXPECT_EQ(DataHora::De(1900, 1, 1).Milissegundos(), 2 * kMsPorDia);
    EXPECT_EQ(DataHora::De(2012, 8, 2).Milissegundos(), 41123 * kMsPorDia);
    EXPECT_EQ(DataHora::De(2000, 3, 1).Milissegundos() - DataHora::De(2000, 2, 28).Milissegundos(), 2 * kMsPorDia);
    EXPECT_EQ(DataHora::De(1899, 12, 29, 23).Milissegundos(), -kMsPorDia / 24);
    EXPECT_EQ(DataHora::De(2012, 8, 2, 0, 0, 1, 500).Milissegundos(), 41123 * kMsPorDia + 1500);
}

TEST(DataHora, PartesVoltamDosMilissegundos)
{
    const struct {
        int ano, mes, dia, hora, minuto, segundo;
    } casos[] = {{1899, 12, 29, 23, 59, 59},
                 {1, 1, 1, 0, 0, 0},
                 {2000, 2, 29, 12, 30, 1},
                 {2013, 3, 25, 14, 5, 9},
                 {9999, 12, 31, 23, 59, 59}};
    for (const auto& c : casos) {
        const DataHora d = DataHora::De(c.ano, c.mes, c.dia, c.hora, c.minuto, c.segundo);
        EXPECT_EQ(d.Ano(), c.ano);
        EXPECT_EQ(d.Mes(), c.mes);
        EXPECT_EQ(d.Dia(), c.dia);
        EXPECT_EQ(d.Hora(), c.hora);
        EXPECT_EQ(d.Minuto(), c.minuto);
        EXPECT_EQ(d.Segundo(), c.segundo);
        EXPECT_EQ(d.Data(), DataHora::De(c.ano, c.mes, c.dia));
    }
}

TEST(DataHora, FormatosComDoisDigitosEAnoComQuatro)
{
    const DataHora d = DataHora::De(2013, 3, 5, 7, 5, 9);
    EXPECT_EQ(d.FormatoSql(), "05.03.2013");
    EXPECT_EQ(d.FormatoSqlComHora(), "05.03.2013 07:05:09");
    EXPECT_EQ(d.FormatoTela(), "05/03/2013 07:05:09");
    EXPECT_EQ(d.FormatoTelaCurto(), "05/03/2013 07:05");
    EXPECT_EQ(d.FormatoHora(), "07");
    EXPECT_EQ(DataHora::De(812, 12, 25, 23).FormatoTela(), "25/12/0812 23:00:00");
    EXPECT_EQ(DataHora().FormatoSqlComHora(), "30.12.1899 00:00:00");
}

TEST(DataHora, DeRecusaDataOuHoraInvalida)
{
    const struct {
        int ano, mes, dia, hora, minuto, segundo, ms;
    } casos[] = {{2013, 2, 29, 0, 0, 0, 0},  {1900, 2, 29, 0, 0, 0, 0}, {2013, 4, 31, 0, 0, 0, 0},
                 {2013, 13, 1, 0, 0, 0, 0},  {0, 1, 1, 0, 0, 0, 0},     {2013, 1, 0, 0, 0, 0, 0},
                 {2013, 1, 1, 24, 0, 0, 0},  {2013, 1, 1, 0, 60, 0, 0}, {2013, 1, 1, 0, 0, 60, 0},
                 {2013, 1, 1, 0, 0, 0, 1000}};
    for (const auto& c : casos)
        EXPECT_THROW(DataHora::De(c.ano, c.mes, c.dia, c.hora, c.minuto, c.segundo, c.ms), ErroConversao)
            << c.ano << "-" << c.mes << "-" << c.dia << " " << c.hora << ":" << c.minuto << ":" << c.segundo;
}

TEST(DataHoraLer, LeOQueATelaEscreve)
{
    const struct {
        const char* texto;
        DataHora esperado;
    } casos[] = {
        {"25/03/2013 14:05:09", DataHora::De(2013, 3, 25, 14, 5, 9)},
        {"25/03/2013 14:05", DataHora::De(2013, 3, 25, 14, 5)},
        {"02/08/2012", DataHora::De(2012, 8, 2)},
        {"29/02/2012 23:59:59", DataHora::De(2012, 2, 29, 23, 59, 59)},
    };
    for (const auto& c : casos)
        EXPECT_EQ(DataHora::Ler(c.texto), c.esperado) << c.texto;
    const DataHora d = DataHora::De(2001, 9, 11, 8, 46, 40);
    EXPECT_EQ(DataHora::Ler(d.FormatoTela()), d);
    EXPECT_EQ(DataHora::Ler(d.FormatoTelaCurto()), DataHora::De(2001, 9, 11, 8, 46));
}

TEST(DataHoraLer, TextoInvalidoLancaErroConversao)
{
    const char* const invalidos[] = {"00/00/0000 00:00",
                                     "31/04/2013",
                                     "29/02/2013 10:00",
                                     "25/03/2013 24:00",
                                     "25/03/2013 14:60:00",
                                     "25-03-2013",
                                     "2/8/2012",
                                     "",
                                     "25/03/2013 ",
                                     "25/03/2013 14:05:09 ",
                                     " 25/03/2013",
                                     "25/03/2013 14:5",
                                     "25/03/13",
                                     "25/03/2013T14:05",
                                     "aa/bb/cccc"};
    for (const char* texto : invalidos)
        EXPECT_THROW(DataHora::Ler(texto), ErroConversao) << "'" << texto << "'";
    EXPECT_EQ(TextoDoErro<ErroConversao>([] { DataHora::Ler("00/00/0000 00:00"); }),
              "'00/00/0000 00:00' não é uma data e hora válida.");
}

// Runs with a time zone of its own and puts the previous one back.
class FusoHorario : public ::testing::Test {
protected:
    void Usar(const char* fuso)
    {
        setenv("TZ", fuso, 1);
        tzset();
    }
    void TearDown() override
    {
        if (anterior_)
            setenv("TZ", anterior_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> anterior_ = std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ"))
                                                             : std::nullopt;
};

TEST_F(FusoHorario, DeTimeTUsaAHoraLocal)
{
    Usar("UTC0");
    EXPECT_EQ(DataHora::DeTimeT(0), DataHora::De(1970, 1, 1));
    EXPECT_EQ(DataHora::DeTimeT(1364220309), DataHora::De(2013, 3, 25, 14, 5, 9));
    Usar("<-03>3");
    EXPECT_EQ(DataHora::DeTimeT(0), DataHora::De(1969, 12, 31, 21));
}

TEST_F(FusoHorario, AgoraEstaEntreDuasLeiturasDoRelogio)
{
    Usar("<-03>3");
    const DataHora antes = DataHora::DeTimeT(std::time(nullptr));
    const DataHora agora = DataHora::Agora();
    const DataHora depois = DataHora::DeMilissegundos(DataHora::DeTimeT(std::time(nullptr)).Milissegundos() + 1000);
    EXPECT_LE(antes, agora);
    EXPECT_LT(agora, depois);
}

}  // namespace
