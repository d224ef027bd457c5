#pragma once
// The front-end without a display, for servers and scheduled runs: every
// message box is one line "caption: text" on its stream and the program goes
// on as if OK was pressed; the notice is a line too, followed by its wait.
// The model's timers keep running in a QCoreApplication event loop, and
// the closing signals (SIGTERM, SIGINT, SIGHUP...) close the monitor the way
// the window's close box does.
#include <functional>
#include <iosfwd>
#include <string>

#include "app/laco/LacoEventos.h"
#include "app/laco/SinaisEncerramento.h"
#include "comum/Apresentacao.h"

class TfrmPrincipal;

class ApresentacaoConsole : public Apresentacao {
public:
    using Esperar = std::function<void(int milissegundos)>;

    ApresentacaoConsole(std::ostream& saida, Esperar esperar);

    void Observar(TfrmPrincipal& modelo);
    LacoEventos& Laco() { return laco_; }

    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) override;
    void ProcessarPendentes() override;
    void Repintar() override;
    void MostrarJanela() override;
    void EsconderJanela() override;
    void EncerrarAplicacao() override;
    void MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico) override;
    void MostrarResumo(const std::vector<std::string>& linhas) override;

private:
    void Escrever(const std::string& titulo, const std::string& texto);

    std::ostream& saida_;
    Esperar esperar_;
    LacoEventos laco_;
    SinaisEncerramento sinais_;
};
