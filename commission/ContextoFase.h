#pragma once
// What every phase works with: the run's database objects, the progress
// shown to the operator and the clock.
#include <chrono>

class Progresso;
class Relogio;
class SessaoBanco;

struct ContextoFase {
    SessaoBanco& sessao;
    Progresso& progresso;
    const Relogio& relogio;
    int linhasDaFonte = 0;                                // rows the source in progress has written so far
    std::chrono::steady_clock::time_point inicioGrupo{};  // when the uncommitted sources began
};
