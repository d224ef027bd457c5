#include "frentes/laco/LacoEventos.h"

#include <chrono>
#include <thread>

#include <QCoreApplication>

#include "app/UnPrincipal.h"
#include "comum/Apresentacao.h"

LacoEventos::LacoEventos(Apresentacao& frente) : frente_(frente)
{
    QObject::connect(&timer1_.real, &QTimer::timeout, &timer1_.real,
                     [this] { Encaminhar([this] { modelo_->Timer1Timer(); }); });
    QObject::connect(&timer2_.real, &QTimer::timeout, &timer2_.real,
                     [this] { Encaminhar([this] { modelo_->Timer2Timer(); }); });
}

void LacoEventos::Observar(TfrmPrincipal& modelo)
{
    modelo_ = &modelo;
}

void LacoEventos::Encaminhar(const std::function<void()>& handler)
{
    struct Profundidade {
        int& valor;
        explicit Profundidade(int& v) : valor(v) { ++valor; }
        ~Profundidade() { --valor; }
    };
    {
        const Profundidade naPilha(profundidade_);
        modelo_->ExecutarTratado(handler);
    }
    frente_.Repintar();
    if (fimPedido_ && profundidade_ == 0)
        QCoreApplication::exit(0);
}

void LacoEventos::Acompanhar(TimerQt& timer, const Temporizador& temporizador)
{
    if (!temporizador.Enabled) {
        timer.real.stop();
        return;
    }
    // Switching a timer off and on again starts its interval anew.
    if (!timer.real.isActive() || timer.real.interval() != temporizador.Interval ||
        timer.reinicios != temporizador.Reinicios)
        timer.real.start(temporizador.Interval);
    timer.reinicios = temporizador.Reinicios;
}

void LacoEventos::SincronizarTemporizadores()
{
    Acompanhar(timer1_, modelo_->Timer1);
    Acompanhar(timer2_, modelo_->Timer2);
}

void LacoEventos::PedirFim()
{
    fimPedido_ = true;
    // Inside a handler (a run, a message box) the end waits until the
    // outermost handler has returned to the loop.
    if (profundidade_ == 0)
        QCoreApplication::exit(0);
}

void LacoEventos::Fechar()
{
    // An end already asked for by a start-up step (a duplicate monitor) skips
    // FormClose, or it would delete the other monitor's lock file.
    if (fimPedido_)
        return;
    modelo_->PedirParada();
    Encaminhar([this] { modelo_->FormClose(); });
    PedirFim();
}

int LacoEventos::Executar()
{
    if (!fimPedido_)
        QCoreApplication::exec();
    return 0;
}

void LacoEventos::EsperarParado(int milissegundos)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milissegundos));
}
