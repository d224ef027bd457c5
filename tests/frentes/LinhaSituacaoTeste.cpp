// The console's status of a run: redrawn in place on a terminal, with the
// time left estimated from the phase's own gauge; elsewhere a plain line
// every few seconds, with its journal priority.
#include <gtest/gtest.h>

#include <sstream>

#include "frentes/console/LinhaSituacao.h"

using namespace std::chrono_literals;

namespace {

const char* const kApagar = "\r\033[K";
const LinhaSituacao::Relogio::time_point kInicio{};

}  // namespace

// The gauge the previous phase left (9 of 9) is not this phase's: only the
// caption shows until the phase starts its own.
TEST(LinhaSituacao, TerminalRedesenhaComEstimativaDoMedidorDaFase)
{
    std::ostringstream saida;
    LinhaSituacao linha(saida, true, "");

    linha.Atualizar("Fase 6/9", 9, 9, kInicio);
    linha.Atualizar("Fase 6/9", 0, 200, kInicio + 1s);
    linha.Atualizar("Fase 6/9", 50, 200, kInicio + 11s);
    linha.Atualizar("Fase 6/9", 51, 200, kInicio + 11s + 100ms);  // too soon to redraw
    linha.Limpar();

    EXPECT_EQ(saida.str(), std::string(kApagar) + "Fase 6/9" + kApagar + "Fase 6/9: 0 de 200 (0%)" + kApagar +
                               "Fase 6/9: 50 de 200 (25%), faltam cerca de 30 s" + kApagar);
}

TEST(LinhaSituacao, ForaDoTerminalUmaLinhaACadaPoucosSegundos)
{
    std::ostringstream saida;
    LinhaSituacao linha(saida, false, "<6>");

    linha.Atualizar("Fase 5/9", 11, 11, kInicio);
    linha.Atualizar("Fase 5/9", 0, 600, kInicio + 2s);
    linha.Atualizar("Fase 5/9", 1, 600, kInicio + 4s);
    linha.Atualizar("Fase 5/9", 120, 600, kInicio + 3min + 2s);
    linha.Limpar();

    EXPECT_EQ(saida.str(), "<6>Fase 5/9: 120 de 600 (20%), faltam cerca de 12 min 0 s\n");
}
