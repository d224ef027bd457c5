#pragma once
// What every phase works with: the run's database objects, the progress
// shown to the operator and the clock.
class Progresso;
class Relogio;
class SessaoBanco;

struct ContextoFase {
    SessaoBanco& sessao;
    Progresso& progresso;
    const Relogio& relogio;
    int linhasDaFonte = 0;  // rows the source in progress has written so far
};
