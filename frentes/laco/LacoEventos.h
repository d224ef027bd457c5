#pragma once
// The Qt event loop as the window model meets it, shared by the desktop and
// the console front-ends (Qt Core only): every click, tick and close reaches
// the model behind its generic error display, the model's Timer1 and Timer2
// drive real QTimers, and a request to end takes effect once control is back
// in the event loop. Observar must come before any other call.
#include <functional>

#include <QTimer>

class Apresentacao;
class TfrmPrincipal;
struct Temporizador;

class LacoEventos {
public:
    // frente: repainted after every handler, so the window and the timers
    // show what the handler left in the model.
    explicit LacoEventos(Apresentacao& frente);
    LacoEventos(const LacoEventos&) = delete;
    LacoEventos& operator=(const LacoEventos&) = delete;

    void Observar(TfrmPrincipal& modelo);

    // Runs a handler of the model behind its generic error display.
    void Encaminhar(const std::function<void()>& handler);
    // Makes the QTimers follow the model's timers: on, off, interval, restart.
    void SincronizarTemporizadores();
    // The request to end: the event loop quits once the handler that asked
    // has returned; asked before the loop starts, the loop never starts.
    void PedirFim();
    // The window's close box, the tray's exit and SIGTERM: a run in progress
    // stops before its next source, FormClose, then the end.
    void Fechar();
    // Runs the event loop unless the end was already requested; the exit
    // code is 0 for every end the program describes.
    int Executar();

    // The notice's five-second wait: the whole program stands still.
    static void EsperarParado(int milissegundos);

private:
    struct TimerQt {
        QTimer real;
        int reinicios = 0;  // the model's restarts already applied
    };
    static void Acompanhar(TimerQt& timer, const Temporizador& temporizador);

    Apresentacao& frente_;
    TfrmPrincipal* modelo_ = nullptr;
    TimerQt timer1_;
    TimerQt timer2_;
    int profundidade_ = 0;  // handlers of the model on the stack
    bool fimPedido_ = false;
};
