#pragma once
// The advance a seller got on invoicing, and the share of it that the
// claw-back of overdue invoices took back. Both reversal mechanisms (the
// undelivered receipt's and the claw-back's) read it, so that neither takes
// money the other has already taken.
#include <cstdint>
#include <optional>

#include "comum/Dinheiro.h"

class SessaoBanco;

// The seller's type "1" rows of the invoice as written, less those whose
// undelivered-receipt reversal stands: what a claw-back can still take.
Dinheiro AdiantamentoEmPe(SessaoBanco& sessao, std::int64_t idNota, std::int64_t idVendedor);

// The invoice's reversed percentage, held to 0..100: an invoice's
// receivables can add up to more than its total, and the claw-back never
// takes more than the whole advance.
long double PercentualEstornadoLimitado(Dinheiro percentual);

// The share of the advance (0 to 1) that the claw-back took from the seller
// on the invoice; none when it took nothing from him.
std::optional<long double> ParteEstornada(SessaoBanco& sessao, std::int64_t idNota, std::int64_t idVendedor);

// What an undelivered-receipt reversal takes, or its payback returns, of a
// commission row: the row, less the claw-back's share when the row is the
// seller's advance on a clawed-back invoice.
Dinheiro ParteReversivel(SessaoBanco& sessao, const std::string& tpRegistro, std::int64_t idNota,
                         std::int64_t idVendedor, Dinheiro valor);
