// Program entry: telmoraComissao2.exe [options] [manual]. The options that
// only answer (usage, version) or a command line that cannot be read end
// here; otherwise the window where a display exists, the console otherwise
// (the console program, TELMORA_GUI=0, has only the console); the window
// model's start-up sequence runs to its end, the tray icon appears, and the
// event loop runs unless a start-up step asked the program to end.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/Servicos.h"
#include "app/UnPrincipal.h"
#include "frentes/console/ApresentacaoConsole.h"
#include "frentes/entrada/LinhaComando.h"
#include "frentes/laco/LacoEventos.h"
#include "frentes/laco/SinaisEncerramento.h"
#if TELMORA_GUI
#include <QApplication>

#include "frentes/console/EscolhaFrente.h"
#include "frentes/qt/JanelaPrincipal.h"
#endif
#include "comum/Relogio.h"
#include "plataforma/Processos.h"
#include "plataforma/SaidaErro.h"
#include "plataforma/SinaisFechamento.h"

namespace {

const RelogioSistema kRelogio;

// TELMORA_SITE_HOST points a test installation at a local site.
std::string HostSite()
{
    const char* host = std::getenv("TELMORA_SITE_HOST");
    return host != nullptr && *host != '\0' ? host : TELMORA_SITE_HOST_PADRAO;
}

// --instalacao PASTA: the packaged program, run from where the package
// manager put it, serves the installation as if its own file were
// PASTA/Bin/telmoraComissao2.exe (a relative PASTA taken from the current
// folder); the file that really runs is kept apart.
Servicos ServicosReais(const std::optional<std::string>& instalacao)
{
    Servicos servicos{kRelogio,   NomeCompletoPrograma(),     FinalizarProcesso,      EncerrarProcessoImediatamente,
                      HostSite(), LacoEventos::EsperarParado, SinalFechamentoPendente};
    if (instalacao) {
        const std::filesystem::path nome = std::filesystem::path(servicos.programa).filename();
        servicos.executavel = std::move(servicos.programa);
        servicos.programa = (std::filesystem::absolute(*instalacao) / "Bin" / nome).lexically_normal().string();
    }
    return servicos;
}

template <class Frente>
int Monitorar(Frente& frente, Servicos servicos, const LinhaComando& linha)
{
    QCoreApplication::setApplicationName("telmora Monitor Comissão");
    TfrmPrincipal modelo(frente, std::move(servicos), linha.argumentos);
    modelo.ArquivoCsvSimulacao = linha.csv;
    modelo.ExplicacaoEmJson = linha.json;
    frente.Observar(modelo);
    frente.Laco().Encaminhar([&modelo] { modelo.FormCreate(); });
    modelo.TrayIcon1.Visible = true;
    frente.Repintar();
    frente.Laco().Executar();
    return modelo.CodigoSaida();
}

}  // namespace

int main(int argc, char* argv[])
{
    // Before Qt or the database engine start a thread, so none of them
    // receives the closing signals.
    SinaisEncerramento::Bloquear();
    const LinhaComando linha = LerLinhaComando(std::vector<std::string>(argv, argv + argc));
    switch (linha.acao) {
    case LinhaComando::Acao::MostrarAjuda:
        std::cout << TextoUso();
        return 0;
    case LinhaComando::Acao::MostrarVersao:
        std::cout << TextoVersao();
        return 0;
    case LinhaComando::Acao::UsoInvalido:
        std::cerr << linha.erro << "\n\n" << TextoUso();
        return kSaidaUsoInvalido;
    case LinhaComando::Acao::Monitorar:
        break;
    }
    Servicos servicos = ServicosReais(linha.instalacao);
#if TELMORA_GUI
    if (!EscolherConsole(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                         std::cerr)) {
        QApplication aplicacao(argc, argv);
        JanelaPrincipal frente(servicos.esperarAviso);
        return Monitorar(frente, std::move(servicos), linha);
    }
#endif
    QCoreApplication aplicacao(argc, argv);
    ApresentacaoConsole frente(std::cerr, servicos.esperarAviso, {SaidaErroNoTerminal(), SaidaErroNoDiario()});
    return Monitorar(frente, std::move(servicos), linha);
}
