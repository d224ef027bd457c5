#pragma once
// The front-end as the model uses it: every call goes through, and a request
// to end is remembered, so the start-up knows that one of its steps (or the
// update check) asked the program to stop.
#include "comum/Apresentacao.h"

class TelaObservada : public Apresentacao {
public:
    explicit TelaObservada(Apresentacao& frente) : frente_(frente) {}

    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) override
    {
        frente_.Mensagem(texto, titulo, icone);
    }
    void ProcessarPendentes() override { frente_.ProcessarPendentes(); }
    void Repintar() override { frente_.Repintar(); }
    void MostrarJanela() override { frente_.MostrarJanela(); }
    void EsconderJanela() override { frente_.EsconderJanela(); }
    void EncerrarAplicacao() override
    {
        fimPedido_ = true;
        frente_.EncerrarAplicacao();
    }
    void MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico) override
    {
        frente_.MostrarAviso(texto, concordo, fechamentoAutomatico);
    }

    void MostrarRegistro(const std::string& linha, Icone nivel) override { frente_.MostrarRegistro(linha, nivel); }
    void MostrarRelatorio(const std::string& titulo, const std::string& texto) override
    {
        frente_.MostrarRelatorio(titulo, texto);
    }

    bool FimPedido() const { return fimPedido_; }

private:
    Apresentacao& frente_;
    bool fimPedido_ = false;
};
