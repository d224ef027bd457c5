#pragma once
// The sharing of a mode-6 invoice's commission among its sellers, item by
// item; the invoice's discount and services reach the items in proportion to
// their value. The updates run on the connection's default transaction and
// are commit-retained together at the end; a total base of 0 throws ErroAritmetico before anything of the
// invoice is written; a matrix whose rows do not have 13 columns and a
// product each throws std::invalid_argument. Database errors propagate.
#include <cstddef>
#include <cstdint>
#include <vector>

class BancoDados;

// One row per item of the invoice, 13 columns: 0-4 the table percentage of
// seller slots 1 to 5, 5 how many of them are above 0, 6 the item's
// identifier, 7 its base cut to two decimals, 8-12 the slots' commission on it.
using TDynamicDoubleArray = std::vector<std::vector<double>>;
constexpr std::size_t kColunasMatrizComissao = 13;
constexpr std::size_t kColunaVendedoresComPercentual = 5;

// produtoDaLinha: the product each row of the matrix was built from, so an
// item is never paired with a row of another product.
void RatearComissaoPorVendedor(std::int64_t idNota, TDynamicDoubleArray& matriz,
                               const std::vector<std::int64_t>& produtoDaLinha, BancoDados* banco);
