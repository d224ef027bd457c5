#pragma once
// The sharing of a mode-6 invoice's commission among its sellers, item by
// item; the invoice's discount and services reach the items in proportion to
// their value. The reads run on the connection's default transaction, the
// updates on the caller's, which commits them together with the rest of the
// invoice; a total base of 0 throws ErroAritmetico before anything of the
// invoice is written. Database errors propagate.
#include <array>
#include <cstdint>
#include <vector>

#include "commission/SlotVendedor.h"
#include "comum/Dinheiro.h"

class BancoDados;
class Transacao;

// One item of the invoice: the sellers' table percentages come from its item
// list, the sharing fills in the rest. The base stays the 64-bit float it was
// cut on, since the item's percentage divides by that float.
struct LinhaRateio {
    std::int64_t idProduto = 0;                          // the product the percentages were looked up for
    std::array<Dinheiro, kSlotsVendedor> percentuais{};  // table percentage of seller slots 1 to 5
    int vendedoresComPercentual = 0;                     // slots whose percentage is above 0
    std::int64_t idItem = 0;                             // 0 while no item has filled the row
    double base = 0;                                     // the item's base cut to two decimals
    std::array<Dinheiro, kSlotsVendedor> comissoes{};    // each slot's commission on it, cut to two decimals
};

// Each item is paired with a row of its own product, never another's.
void RatearComissaoPorVendedor(std::int64_t idNota, std::vector<LinhaRateio>& linhas, BancoDados* banco,
                               Transacao& escrita);
