#pragma once
// What a run's phases found, added up as each one ends: whether any had
// pending sources, which kinds kept a source whose commission is already
// paid, and the sources left, each named once. The warnings at the run's
// end come from it.
#include <cstdint>
#include <set>
#include <vector>

#include "commission/Fases.h"
#include "commission/ResumoRodada.h"

// The kinds of pending source whose already paid commission has its own warning.
enum class TipoFonte { NotaVenda, Duplicata, Acerto };

class ResultadoRodada {
public:
    // Each adds one phase's result and returns the sources it left that no
    // earlier phase of the run had left, in the order the phase left them.
    std::vector<FonteDeixada> Somar(const ResultadoFase1& fase1);
    std::vector<FonteDeixada> Somar(TipoFonte tipo, const ResultadoFontes& fontes);
    std::vector<FonteDeixada> Somar(const std::vector<FonteDeixada>& deixadas);

    bool Encontrou() const { return encontrou_; }
    bool ComissaoJaPaga(TipoFonte tipo) const { return jaPagas_.count(tipo) > 0; }
    const std::vector<FonteDeixada>& Deixadas() const { return deixadas_; }
    // Phases 5 and 6 leave these invoices, and their receivables, alone.
    const std::set<std::int64_t>& NotasDeixadasFase1() const { return notasDeixadasFase1_; }

private:
    bool encontrou_ = false;
    std::set<TipoFonte> jaPagas_;
    std::vector<FonteDeixada> deixadas_;
    std::set<std::int64_t> notasDeixadasFase1_;
};
