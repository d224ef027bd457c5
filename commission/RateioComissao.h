#pragma once
// The sharing of a mode-6 invoice's commission among its sellers, item by
// item; the invoice's discount and services reach the items in proportion to
// their value. The reads run on the connection's default transaction; the
// updates come back as statements for the caller to run on its own, in
// their order; a total base of 0 throws ErroAritmetico before any of them is
// made. Database errors propagate.
#include <array>
#include <cstdint>
#include <vector>

#include "commission/SlotVendedor.h"
#include "comum/ComandoSql.h"
#include "comum/Dinheiro.h"

class BancoDados;

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

// Completes linhas and returns the updates that write the sharing: each
// seller slot's percentage on the invoice, their total, then each item's
// percentage. Each item is paired with a row of its own product, never
// another's.
std::vector<ComandoSql> ComandosDoRateio(std::int64_t idNota, std::vector<LinhaRateio>& linhas, BancoDados* banco);
