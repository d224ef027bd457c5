#pragma once
// Schema upkeep of the parameter table: older databases lack script_rodado
// and VERSAO_ERP. Only VERSAO_ERP is probed. Nothing is caught: a failing
// statement ends the upkeep there, and what was committed before stays.
class BancoDados;

// Works on a query object of its own on the connection's default transaction.
void AtualizarEstruturaParametro(BancoDados& banco);
