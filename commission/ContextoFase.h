#pragma once
// What every phase works with: the run's database objects, the progress
// shown to the operator, the clock, and whoever asked to be told the steps
// of the computation (no one, in a run).
#include <chrono>

#include "commission/ObservadorCalculo.h"

class Progresso;
class Relogio;
class SessaoBanco;

struct ContextoFase {
    SessaoBanco& sessao;
    Progresso& progresso;
    const Relogio& relogio;
    ObservadorCalculo& observador = SemObservador();
    int linhasDaFonte = 0;                                // rows the source in progress has written so far
    std::chrono::steady_clock::time_point inicioGrupo{};  // when the uncommitted sources began
};
