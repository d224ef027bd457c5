#pragma once
// The console's view of a run in progress. On a terminal one status line,
// redrawn in place: the phase, sources done of total, percent and an
// estimate of the time left. Elsewhere (a service, a pipe), where the run
// log's lines already mark each phase, the same text every few seconds of a
// long phase, nothing redrawn.
#include <chrono>
#include <iosfwd>
#include <string>

class LinhaSituacao {
public:
    using Relogio = std::chrono::steady_clock;

    LinhaSituacao(std::ostream& saida, bool terminal, std::string prefixo);

    // The window's progress display as the model has it; fase empty when
    // no run shows one.
    void Atualizar(const std::string& fase, int feitas, int total, Relogio::time_point agora);
    // Any other line is about to be written: a status line on the terminal
    // is cleared first, and drawn again at the next update.
    void Limpar();

private:
    std::string Texto(int feitas, int total, Relogio::time_point agora) const;
    void Escrever(const std::string& texto, Relogio::time_point agora);

    std::ostream& saida_;
    bool terminal_;
    std::string prefixo_;  // the journal priority, if any
    std::string fase_;
    // The gauge as the phase found it: the previous phase's until the phase
    // starts its own.
    int totalHerdado_ = 0;
    int feitasHerdadas_ = 0;
    bool medidorProprio_ = false;
    Relogio::time_point inicio_;       // of the phase's gauge
    Relogio::time_point ultimaLinha_;  // when a line was last written
    bool desenhada_ = false;           // a status line stands on the terminal
};
