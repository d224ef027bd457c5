#pragma once
// Figures summed over the items of one invoice for phases 5 and 6: the
// commission base of a mode-6 nature and the commission reduction. Both only
// read, on a query object of their own, and cache nothing between calls.
#include <cstdint>

#include "comum/Dinheiro.h"

class SessaoBanco;

Dinheiro CalcularComissaoItens(SessaoBanco& sessao, std::int64_t idNota);
Dinheiro CalcularReducaoComissao(SessaoBanco& sessao, std::int64_t idNota);
