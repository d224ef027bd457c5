#pragma once
// The look-ups and writes of phase 1 that tests reach on their own: the
// sellers' table percentages per item and one column of an invoice.
#include <cstdint>
#include <string>
#include <vector>

#include "commission/RateioComissao.h"
#include "comum/Dinheiro.h"

class Consulta;
class SessaoBanco;

// Writes one money column of the invoice, rounded to two decimals, on
// IBT_Gen; the invoice's unit commits it with its other columns.
void AtualizarCampoNota(SessaoBanco& sessao, std::int64_t idNota, const std::string& coluna, Dinheiro valor);

// One row per item of the invoice's item list, opened on itens, with the
// sellers' table percentages for its product.
std::vector<LinhaRateio> MontarMatrizComissao(SessaoBanco& sessao, std::int64_t idNota, Consulta& itens);

std::int64_t LerFabricaProduto(SessaoBanco& sessao, std::int64_t idProduto);
Dinheiro LerComissaoVendedor(SessaoBanco& sessao, std::int64_t empresa, std::int64_t vendedor, std::int64_t fabricante);
