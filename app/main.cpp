// Program entry: telmoraComissao2.exe [manual]. The window where a display
// exists, the console otherwise; the window model's start-up sequence runs
// to its end, the tray icon appears, and the event loop runs unless a
// start-up step asked the program to end.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>

#include "comum/Relogio.h"
#include "app/UnPrincipal.h"
#include "app/console/ApresentacaoConsole.h"
#include "app/console/EscolhaFrente.h"
#include "app/console/SinaisEncerramento.h"
#include "app/qt/JanelaPrincipal.h"
#include "plataforma/Processos.h"

namespace {

template <class Frente>
int Monitorar(Frente& frente, std::vector<std::string> argumentos)
{
    QCoreApplication::setApplicationName("telmora Monitor Comissão");
    const RelogioSistema relogio;
    TfrmPrincipal modelo(frente, relogio, std::move(argumentos), FinalizarProcesso);
    frente.Observar(modelo);
    frente.Laco().Encaminhar([&modelo] { modelo.FormCreate(); });
    modelo.TrayIcon1.Visible = true;
    frente.Repintar();
    return frente.Laco().Executar();
}

}  // namespace

int main(int argc, char* argv[])
{
    // Before Qt or the database engine start a thread, so none of them
    // receives the closing signals.
    SinaisEncerramento::Bloquear();
    std::vector<std::string> argumentos(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (EscolherConsole(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                        std::cerr)) {
        QCoreApplication aplicacao(argc, argv);
        ApresentacaoConsole frente(std::cerr);
        return Monitorar(frente, std::move(argumentos));
    }
    QApplication aplicacao(argc, argv);
    JanelaPrincipal frente;
    return Monitorar(frente, std::move(argumentos));
}
