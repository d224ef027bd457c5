#pragma once
// The front-end without a display, for servers and scheduled runs: every
// message box is one line "caption: text" on its stream and the program goes
// on as if OK was pressed; the notice is a line too, followed by its wait.
// The model's timers keep running in a QCoreApplication event loop, and
// the closing signals (SIGTERM, SIGINT, SIGHUP...) close the monitor the way
// the window's close box does. A run in progress shows its status line, and
// the run log's lines appear as they are written; in the systemd journal
// every line opens with its priority.
#include <functional>
#include <iosfwd>
#include <string>

#include "comum/Apresentacao.h"
#include "frentes/console/LinhaSituacao.h"
#include "frentes/laco/LacoEventos.h"
#include "frentes/laco/SinaisEncerramento.h"

class TfrmPrincipal;

struct DestinoConsole {
    bool terminal = false;  // the status line is redrawn in place
    bool diario = false;    // lines open with their journal priority
};

class ApresentacaoConsole : public Apresentacao {
public:
    using Esperar = std::function<void(int milissegundos)>;

    ApresentacaoConsole(std::ostream& saida, Esperar esperar, DestinoConsole destino = {});

    void Observar(TfrmPrincipal& modelo);
    LacoEventos& Laco() { return laco_; }

    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) override;
    void ProcessarPendentes() override;
    void Repintar() override;
    void MostrarJanela() override;
    void EsconderJanela() override;
    void EncerrarAplicacao() override;
    void MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico) override;
    void MostrarRegistro(const std::string& linha, Icone nivel) override;
    void MostrarRelatorio(const std::string& titulo, const std::string& texto) override;

private:
    void Escrever(const std::string& texto, Icone nivel);

    std::ostream& saida_;
    Esperar esperar_;
    bool diario_;
    LinhaSituacao situacao_;
    const TfrmPrincipal* modelo_ = nullptr;
    LacoEventos laco_;
    SinaisEncerramento sinais_;
};
