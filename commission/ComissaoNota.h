#pragma once
// What the commissions on invoicing (type "1") and on receipt (type "2")
// share: the skip rules of a seller slot, the base and its percentages, and the columns both row
// types fill alike. Database errors and zero divisors throw.
#include <cstdint>
#include <optional>
#include <string>

#include "comum/Dinheiro.h"

class Consulta;
class DatasetInsercao;
class SessaoBanco;
struct SlotVendedor;

// The slot earns nothing from this source: invoice not in state 3 or 5,
// returned, no seller, creditoEmOutraFase (the phase's own rule on credit on
// invoicing), or a nature whose commission is not payable.
bool SlotSemComissao(const Consulta& nota, const SlotVendedor& slot, bool creditoEmOutraFase);

// Base B by the nature's id_sugerir_comissao; empty when the nature gives none.
std::optional<Dinheiro> BaseComissao(SessaoBanco& sessao, const Consulta& nota, int slot);

// Stores B in the row's VL_BASE_COMISSAO (left NULL when empty) and returns
// what the row holds, NULL reading 0.
Dinheiro ArmazenarBase(DatasetInsercao& linha, const std::optional<Dinheiro>& base);

// valor × percentual / 100, rounded.
Dinheiro AplicarPercentual(Dinheiro valor, Dinheiro percentual);

// The row's commission less the row's share of the invoice's reduction,
// never below 0.
Dinheiro DescontarReducao(Dinheiro comissao, Dinheiro parteDaReducao);

// VL_COMISSAO / VL_BASE_COMISSAO × 100 of the row being inserted, rounded;
// 0 on a zero base.
Dinheiro PercentualEfetivo(const DatasetInsercao& linha);

// Identifier, type, invoice, company, seller, issue date, client and its
// name, and the flags both row types write alike (ST_PAGAR from a fresh read
// of the nature).
void PreencherColunasNota(SessaoBanco& sessao, DatasetInsercao& linha, const std::string& tipo, const Consulta& nota,
                          std::int64_t idVendedor);
