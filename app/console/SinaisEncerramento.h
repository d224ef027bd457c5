#pragma once
// SIGTERM and SIGINT as an orderly close. The signal handler only writes a
// byte into a pipe; the event loop reads it and calls aoReceber on the
// user-interface thread, where the model may safely run. One object at a
// time; it restores the previous handlers when it goes. Throws
// std::system_error when the pipe or the handlers cannot be set up.
#include <csignal>
#include <functional>

#include <QSocketNotifier>

class SinaisEncerramento {
public:
    explicit SinaisEncerramento(std::function<void()> aoReceber);
    SinaisEncerramento(const SinaisEncerramento&) = delete;
    SinaisEncerramento& operator=(const SinaisEncerramento&) = delete;

private:
    // The pipe whose write end the handler knows.
    struct Tubo {
        Tubo();
        ~Tubo();
        Tubo(const Tubo&) = delete;
        Tubo& operator=(const Tubo&) = delete;
        int leitura = -1;
        int escrita = -1;
    };
    // Our handler for one signal while the object lives.
    struct Tratador {
        explicit Tratador(int sinal);
        ~Tratador();
        Tratador(const Tratador&) = delete;
        Tratador& operator=(const Tratador&) = delete;
        int sinal;
        struct sigaction anterior {};
    };

    void Receber();

    std::function<void()> aoReceber_;
    Tubo tubo_;                // before the handlers: it must outlive them
    QSocketNotifier aviso_;
    Tratador term_{SIGTERM};
    Tratador int_{SIGINT};
};
