// Program entry: telmoraComissao2.exe [--instalacao PASTA] [manual]. The
// window where a display exists, the console otherwise (the console program,
// TELMORA_GUI=0, has only the console); the window model's start-up sequence
// runs to its end, the tray icon appears, and the event loop runs unless a
// start-up step asked the program to end.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/Servicos.h"
#include "app/UnPrincipal.h"
#include "app/console/ApresentacaoConsole.h"
#include "app/laco/LacoEventos.h"
#include "app/laco/SinaisEncerramento.h"
#if TELMORA_GUI
#include <QApplication>

#include "app/console/EscolhaFrente.h"
#include "app/qt/JanelaPrincipal.h"
#endif
#include "comum/Relogio.h"
#include "plataforma/Processos.h"
#include "plataforma/SinaisFechamento.h"

namespace {

const RelogioSistema kRelogio;

// TELMORA_SITE_HOST points a test installation at a local site.
std::string HostSite()
{
    const char* host = std::getenv("TELMORA_SITE_HOST");
    return host != nullptr && *host != '\0' ? host : TELMORA_SITE_HOST_PADRAO;
}

// --instalacao PASTA (or --instalacao=PASTA), anywhere among the arguments,
// which it leaves: the packaged program, run from where the package manager
// put it, serves the installation PASTA as if its own file were
// PASTA/Bin/telmoraComissao2.exe. Gives that file name (a relative PASTA
// taken from the current folder), nullopt without the option, and empty text
// for the option without a folder.
std::optional<std::string> TirarPastaInstalacao(std::vector<std::string>& argumentos, const std::string& executavel)
{
    const std::string opcao = "--instalacao";
    for (auto argumento = argumentos.begin(); argumento != argumentos.end(); ++argumento) {
        std::string pasta;
        if (argumento->starts_with(opcao + "=")) {
            pasta = argumento->substr(opcao.size() + 1);
            argumentos.erase(argumento);
        } else if (*argumento == opcao) {
            const bool comPasta = argumento + 1 != argumentos.end();
            if (comPasta)
                pasta = argumento[1];
            argumentos.erase(argumento, argumento + (comPasta ? 2 : 1));
        } else {
            continue;
        }
        if (pasta.empty())
            return std::string();
        const std::filesystem::path nome = std::filesystem::path(executavel).filename();
        return (std::filesystem::absolute(pasta) / "Bin" / nome).lexically_normal().string();
    }
    return std::nullopt;
}

Servicos ServicosReais()
{
    return Servicos{kRelogio,   NomeCompletoPrograma(),     FinalizarProcesso,      EncerrarProcessoImediatamente,
                    HostSite(), LacoEventos::EsperarParado, SinalFechamentoPendente};
}

template <class Frente>
int Monitorar(Frente& frente, Servicos servicos, std::vector<std::string> argumentos)
{
    QCoreApplication::setApplicationName("telmora Monitor Comissão");
    QCoreApplication::setApplicationVersion(TELMORA_VERSAO);
    TfrmPrincipal modelo(frente, std::move(servicos), std::move(argumentos));
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
    std::vector<std::string> argumentos(argv + (argc > 0 ? 1 : 0), argv + argc);
    Servicos servicos = ServicosReais();
    if (const auto programa = TirarPastaInstalacao(argumentos, servicos.programa)) {
        if (programa->empty()) {
            std::cerr << "telmoraComissao2: --instalacao pede a pasta da instalação.\n";
            return 2;
        }
        servicos.executavel = std::move(servicos.programa);
        servicos.programa = *programa;
    }
#if TELMORA_GUI
    if (!EscolherConsole(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                         std::cerr)) {
        QApplication aplicacao(argc, argv);
        JanelaPrincipal frente(servicos.esperarAviso);
        return Monitorar(frente, std::move(servicos), std::move(argumentos));
    }
#endif
    QCoreApplication aplicacao(argc, argv);
    ApresentacaoConsole frente(std::cerr, servicos.esperarAviso);
    return Monitorar(frente, std::move(servicos), std::move(argumentos));
}
