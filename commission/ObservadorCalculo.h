#pragma once
// What the phases tell, step by step, about the figures they compute, for a
// person who asks how an amount came to be. The run leaves the observer empty:
// every call then does nothing, and the texts are literals, so telling costs
// nothing that a statement would notice.
#include <cstdint>

#include "comum/Dinheiro.h"

struct LinhaRateio;

class ObservadorCalculo {
public:
    virtual ~ObservadorCalculo() = default;
    // A commission row of this type begins, for the seller of this slot.
    virtual void Linha(const char* /*tipoRegistro*/, int /*slot*/, std::int64_t /*idVendedor*/) {}
    // A figure: what it is, where it comes from, the exact value and the one kept
    // (they differ where the step rounds or truncates).
    virtual void Passo(const char* /*nome*/, const char* /*origem*/, long double /*exato*/, Dinheiro /*valor*/) {}
    // The seller of this slot gets no row from the source, and why.
    virtual void SemComissao(int /*slot*/, std::int64_t /*idVendedor*/, const char* /*motivo*/) {}
    // A factor, kept as the 64-bit float it was computed in.
    virtual void Fator(const char* /*nome*/, const char* /*origem*/, double /*valor*/) {}
    // An item of a mode-6 invoice as the sharing left it.
    virtual void ItemRateio(const LinhaRateio& /*linha*/) {}
};

// The observer of a run: it tells no one.
ObservadorCalculo& SemObservador();

// A figure that needs no rounding.
inline void Figura(ObservadorCalculo& observador, const char* nome, const char* origem, Dinheiro valor)
{
    observador.Passo(nome, origem, valor.Extended(), valor);
}

// The exact value rounded to four decimals, halves to even, as the run keeps
// it; the observer is told both.
Dinheiro Arredondado(ObservadorCalculo& observador, const char* nome, const char* origem, long double exato);
