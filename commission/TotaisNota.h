#pragma once
// Figures summed over the items of one invoice for phases 5 and 6: the
// commission base of a mode-6 nature and the commission reduction. Both only
// read, on a query object of their own, and cache nothing between calls.
#include <cstdint>

#include "commission/ObservadorCalculo.h"
#include "comum/Dinheiro.h"

class SessaoBanco;

// The observer is told the parts the base adds up.
Dinheiro CalcularComissaoItens(SessaoBanco& sessao, std::int64_t idNota,
                               ObservadorCalculo& observador = SemObservador());
Dinheiro CalcularReducaoComissao(SessaoBanco& sessao, std::int64_t idNota);
