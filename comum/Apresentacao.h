#pragma once
// The model's only way out to a front-end (the Qt desktop or the console).
// Every call runs on the user-interface thread.
#include <string>

enum class Icone { Nenhum, Informacao, Aviso, Erro };

class Apresentacao {
public:
    virtual ~Apresentacao() = default;
    // A modal message box with an OK button; returns when it is closed.
    virtual void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) = 0;
    // Lets queued events (timers, clicks, repaints) run once.
    virtual void ProcessarPendentes() = 0;
    // Copies the model's control state into the window at once.
    virtual void Repintar() = 0;
    // Show: restore, make visible, bring to front. Hide: invisible, no taskbar button.
    virtual void MostrarJanela() = 0;
    virtual void EsconderJanela() = 0;
    // The request to end: the current sequence runs on, the program quits when
    // control returns to the event loop.
    virtual void EncerrarAplicacao() = 0;
    // The notice window: compact or with the agreement box; with the automatic
    // close it returns after the five-second wait, during which nothing runs.
    virtual void MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico) = 0;
    // A line of the run log, when it is written: the console prints it with
    // its level, the desktop leaves it to the log.
    virtual void MostrarRegistro(const std::string& linha, Icone nivel) = 0;
    // A report for a person to read (a simulation, an explanation): the
    // console prints it on the standard output, the desktop in a window.
    virtual void MostrarRelatorio(const std::string& titulo, const std::string& texto) = 0;
};
