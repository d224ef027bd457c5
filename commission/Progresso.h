#pragma once
// What the phases show the operator while they work: the phase caption, the
// gauge, the event loop between records, a message box, and the count of
// what each phase did for the run's summary; and whether the run must stop.
#include <stdexcept>
#include <string>

#include "comum/Apresentacao.h"

class Progresso {
public:
    virtual ~Progresso() = default;
    // Phase numero of 9 begins: its caption ("Fase 5/9") shown and repainted
    // at once; pending events run.
    virtual void MostrarFase(int numero) = 0;
    virtual void IniciarGauge(int maximo, int posicao) = 0;
    virtual void AvancarGauge() = 0;
    // Lets queued events (timer ticks, clicks) run once.
    virtual void ProcessarMensagens() = 0;
    virtual void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) = 0;
    // A source of the current phase was committed with this many rows written.
    virtual void ContarFonte(int linhas) = 0;
    // A source set aside as it is, and why: its commission already paid, or
    // taken out of processing by the consistency check.
    virtual void SepararFonte(const std::string& fonte, const std::string& motivo) = 0;
    // The program was asked to close: the run stops before its next source.
    virtual bool ParadaPedida() const = 0;
};

// Ends a run between two sources: every source before it has committed or
// rolled back, so the next run takes up the rest.
class RodadaInterrompida : public std::runtime_error {
public:
    RodadaInterrompida() : std::runtime_error("Rodada interrompida por um pedido de término.") {}
};

inline void InterromperSePedido(const Progresso& progresso)
{
    if (progresso.ParadaPedida())
        throw RodadaInterrompida();
}
