#pragma once
// Schema upkeep at start-up. Older databases lack the parameter columns
// script_rodado and VERSAO_ERP (only VERSAO_ERP is probed): the suite's
// upkeep, which the update check runs. Databases of any age may lack the
// indexes the run needs to stay as fast with years of history as with none:
// descending ones on the two identifier columns whose largest value is read
// before every commission row and settlement the run writes, ones on the
// flags by which the phases find their pending work, and one on the
// expression by which the end of the run finds the rows worth nothing. They
// are the monitor's own, ensured at every start whether or not the update
// check runs. Missing pieces are added; running either again changes nothing.
// Nothing is caught: a failing statement ends the upkeep there, what was
// committed before stays, and an index that cannot be created raises
// ErroBanco with a message saying which one and why.
class BancoDados;

// The columns on a query object of its own on the connection's default
// transaction.
void AtualizarEstruturaParametro(BancoDados& banco);
// Each index on a transaction of its own.
void GarantirIndicesDoCalculo(BancoDados& banco);

// The key of the index by which the end of the run finds the rows worth
// nothing: 0 for them, null for every other row.
inline constexpr const char* kComissaoZerada = "iif(vl_comissao = 0, 0, null)";
