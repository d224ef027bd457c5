// The front-end chosen for a display that Qt's xcb platform can or cannot
// open: a real X server (Xvfb) and display names that lead nowhere.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "frentes/console/EscolhaFrente.h"
#include "tests/fixtures/TelaVirtual.h"

namespace {

struct Caso {
    const char* nome;
    const char* plataforma;
    std::string display;
    const char* wayland;
    bool console;
    bool linha;  // the line that names the display
};

void PrintTo(const Caso& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class EscolherConsoleComTela : public ::testing::TestWithParam<Caso> {};

// Started by the first case that needs it, ended with the test program.
const std::string kTelaReal = "<tela real>";
const std::string& DisplayReal()
{
    static const TelaVirtual tela;
    return tela.Display();
}

}  // namespace

TEST_P(EscolherConsoleComTela, ConsoleQuandoATelaNaoAbre)
{
    const Caso& caso = GetParam();
    const std::string display = caso.display == kTelaReal ? DisplayReal() : caso.display;
    std::ostringstream erro;
    EXPECT_EQ(EscolherConsole(caso.plataforma, display.c_str(), caso.wayland, erro), caso.console);
    EXPECT_EQ(erro.str(),
              caso.linha ? "Não foi possível abrir a tela \"" + display + "\"; o monitor segue no console.\n" : "");
}

INSTANTIATE_TEST_SUITE_P(EscolhaFrente, EscolherConsoleComTela,
                         ::testing::Values(Caso{"tela_real", nullptr, kTelaReal, nullptr, false, false},
                                           Caso{"tela_real_com_xcb", "xcb", kTelaReal, nullptr, false, false},
                                           Caso{"numero_sem_servidor", nullptr, ":4711", nullptr, true, true},
                                           Caso{"porta_fechada", nullptr, "127.0.0.1:4711", nullptr, true, true},
                                           Caso{"nome_invalido", nullptr, "sem-tela", nullptr, true, true},
                                           Caso{"xcb_sem_servidor", "xcb:nograb", ":4711", nullptr, true, true},
                                           Caso{"xcb_sem_display", "xcb", "", nullptr, true, true},
                                           Caso{"offscreen_nem_tenta", "offscreen", ":4711", nullptr, true, false},
                                           Caso{"sem_display_nem_tenta", nullptr, "", nullptr, true, false},
                                           Caso{"wayland_fica_com_o_qt", nullptr, ":4711", "wayland-0", false, false}),
                         [](const auto& i) { return std::string(i.param.nome); });
