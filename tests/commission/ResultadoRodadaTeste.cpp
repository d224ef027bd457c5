// The run's result as the phases add it up: a source left by two phases is
// named once, in the order first left; each kind keeps its own "already
// paid" mark; one phase with pending sources is enough for the end message.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "commission/ResultadoRodada.h"

namespace {

const FonteDeixada kNota1{"NF 1", "base de comissão zero", kGrupoNotasVenda};
const FonteDeixada kNota2{"NF 2", "divisão por zero", kGrupoNotasVenda};
const FonteDeixada kDuplicata{"Duplicata 9/1", "divisão por zero", kGrupoDuplicatas};

TEST(ResultadoRodada, SomaAsFasesNomeandoCadaFonteUmaVez)
{
    ResultadoRodada rodada;

    EXPECT_EQ(rodada.Somar(ResultadoFase1{{kNota1, kNota2}, {1, 2}}), (std::vector<FonteDeixada>{kNota1, kNota2}));
    EXPECT_EQ(rodada.Somar(TipoFonte::NotaVenda, ResultadoFontes{false, false, {kNota2}}), std::vector<FonteDeixada>{});
    EXPECT_EQ(rodada.Somar(TipoFonte::Duplicata, ResultadoFontes{true, true, {kDuplicata, kDuplicata}}),
              std::vector<FonteDeixada>{kDuplicata});
    EXPECT_EQ(rodada.Somar(TipoFonte::Acerto, ResultadoFontes{false, false, {}}), std::vector<FonteDeixada>{});
    EXPECT_EQ(rodada.Somar(std::vector<FonteDeixada>{kNota1}), std::vector<FonteDeixada>{});

    EXPECT_EQ(rodada.Deixadas(), (std::vector<FonteDeixada>{kNota1, kNota2, kDuplicata}));
    EXPECT_EQ(rodada.NotasDeixadasFase1(), (std::set<std::int64_t>{1, 2}));
    EXPECT_TRUE(rodada.Encontrou());
    EXPECT_FALSE(rodada.ComissaoJaPaga(TipoFonte::NotaVenda));
    EXPECT_TRUE(rodada.ComissaoJaPaga(TipoFonte::Duplicata));
    EXPECT_FALSE(rodada.ComissaoJaPaga(TipoFonte::Acerto));
}

}  // namespace
