// The console front-end: its one-line messages, the choice between it and
// the window, and the event loop it shares with the window (the model's
// timer ticks, the end request, the closing signals as an orderly close).
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/ArquivoTrava.h"
#include "app/UnPrincipal.h"
#include "frentes/console/ApresentacaoConsole.h"
#include "frentes/console/EscolhaFrente.h"
#include "plataforma/SinaisFechamento.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/Dubles.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/frentes/AplicacaoQt.h"

namespace {

std::vector<std::string> Linhas(const std::ostringstream& saida)
{
    std::vector<std::string> linhas;
    std::istringstream leitura(saida.str());
    for (std::string linha; std::getline(leitura, linha);)
        linhas.push_back(linha);
    return linhas;
}

class Console : public ComAplicacaoQt<QCoreApplication> {
protected:
    Console() { console.Observar(modelo); }

    std::ostringstream saida;
    std::vector<int> esperas;
    RelogioFixo relogio{DataHora::De(2013, 3, 25, 7, 5)};
    FinalizadorGravado finalizador;
    const InstalacaoTeste instalacao;
    ApresentacaoConsole console{saida, [this](int ms) { esperas.push_back(ms); }};
    TfrmPrincipal modelo{console, ServicosTeste(relogio, instalacao.Programa(), finalizador), {}};
};

// A message box is one line and the program goes on as if OK was pressed;
// the notice waits only when it closes by itself.
TEST_F(Console, CaixasViramUmaLinhaCadaNaSaida)
{
    struct Caso {
        std::function<void(ApresentacaoConsole&)> mostrar;
        std::string linha;
        std::vector<int> esperas;
    };
    const Caso casos[] = {
        {[](ApresentacaoConsole& c) {
             c.Mensagem("Processamento concluído com sucesso!", "Aviso do Sistema", Icone::Informacao);
         },
         "Aviso do Sistema: Processamento concluído com sucesso!",
         {}},
        {[](ApresentacaoConsole& c) {
             c.Mensagem("'x' is not a valid integer value", "telmora Monitor Comissão", Icone::Erro);
         },
         "telmora Monitor Comissão: 'x' is not a valid integer value",
         {}},
        // A carriage return breaks the line as it breaks the message box's text.
        {[](ApresentacaoConsole& c) {
             c.Mensagem("Falha na pasta /x/Update.\rO Sistema será finalizado.", "Aviso do Sistema", Icone::Aviso);
         },
         "Aviso do Sistema: Falha na pasta /x/Update.\nO Sistema será finalizado.",
         {}},
        {[](ApresentacaoConsole& c) { c.Mensagem("um\r\ndois", "Aviso do Sistema", Icone::Aviso); },
         "Aviso do Sistema: um\ndois",
         {}},
        {[](ApresentacaoConsole& c) { c.MostrarAviso("O aplicativo /x já está sendo executado.", false, true); },
         "Aviso do Sistema: O aplicativo /x já está sendo executado.",
         {5000}},
        {[](ApresentacaoConsole& c) { c.MostrarAviso("Leia com atenção.", true, false); },
         "Aviso do Sistema: Leia com atenção.",
         {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.linha);
        saida.str({});
        esperas.clear();
        caso.mostrar(console);
        EXPECT_EQ(saida.str(), caso.linha + "\n");
        EXPECT_EQ(esperas, caso.esperas);
    }
}

// A tick of the model's run timer arrives through the loop; the tick asks
// the program to end (no ini file), and the loop ends once the tick is over.
TEST_F(Console, TickDoTimerChegaAoModeloEOPedidoDeFimEncerraOLaco)
{
    modelo.Timer1.Interval = 1;
    modelo.Timer1.Enabled = true;
    console.Repintar();
    const LimiteDoLaco limite;

    EXPECT_EQ(console.Laco().Executar(), 0);
    // The tick ran to its end: its failure was told, and the timers stay on.
    EXPECT_EQ(Linhas(saida),
              (std::vector<std::string>{"Aviso do Sistema: Não foi encontrado o arquivo de inicialização",
                                        "Aviso do Sistema: '' is not a valid integer value"}));
    EXPECT_TRUE(modelo.Timer1.Enabled);
}

class Sinal : public Console, public ::testing::WithParamInterface<int> {};

// A signal whose default would end the process closes the monitor like the
// window's close box: FormClose deletes the resident monitor's lock file and
// the loop ends. Until the loop reads it, a long step can see it waiting.
TEST_P(Sinal, FechaComoOBotaoFechar)
{
    instalacao.EscreverIniServidor("[Database]\r\n");
    const std::string dados = instalacao.PastaDados() + "/";
    CriarArquivoTrava(instalacao.Programa(), dados);

    ASSERT_EQ(std::raise(GetParam()), 0);
    EXPECT_TRUE(SinalFechamentoPendente());
    EXPECT_EQ(console.Laco().Executar(), 0);
    EXPECT_FALSE(ExisteArquivoTrava(instalacao.Programa(), dados));
    EXPECT_FALSE(SinalFechamentoPendente());
    EXPECT_TRUE(Linhas(saida).empty());
}

INSTANTIATE_TEST_SUITE_P(Console, Sinal,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGRTMIN),
                         [](const auto& i) {
                             const char* nome = sigabbrev_np(i.param);
                             return nome ? std::string(nome) : "RT" + std::to_string(i.param);
                         });

// A write to a closed pipe or socket fails with EPIPE instead of ending the
// program, and the signal is not held for the loop either.
TEST_F(Console, SigpipeEhIgnorado)
{
    ASSERT_EQ(std::raise(SIGPIPE), 0);
    EXPECT_FALSE(SinalFechamentoPendente());
}

struct Ambiente {
    const char* nome;
    const char* plataforma;
    const char* display;
    const char* wayland;
    bool console;
};

void PrintTo(const Ambiente& ambiente, std::ostream* saida)
{
    *saida << ambiente.nome;
}

class EscolhaFrente : public ::testing::TestWithParam<Ambiente> {};

TEST_P(EscolhaFrente, ConsoleSoSemTelaQueMostre)
{
    const Ambiente& a = GetParam();
    EXPECT_EQ(UsarConsole(a.plataforma, a.display, a.wayland), a.console);
}

INSTANTIATE_TEST_SUITE_P(Frentes, EscolhaFrente,
                         ::testing::Values(Ambiente{"sem_nada", nullptr, nullptr, nullptr, true},
                                           Ambiente{"tudo_vazio", "", "", "", true},
                                           Ambiente{"x11", nullptr, ":0", nullptr, false},
                                           Ambiente{"wayland", nullptr, nullptr, "wayland-0", false},
                                           Ambiente{"offscreen_mesmo_com_x11", "offscreen", ":0", nullptr, true},
                                           Ambiente{"minimal_com_opcoes", "minimal:enable_fonts", ":0", nullptr, true},
                                           Ambiente{"plataforma_nomeada", "xcb", nullptr, nullptr, false}),
                         NomeDoCaso());

}  // namespace
