#pragma once
// The monitor flag of the parameter table; the program only ever writes "N".
class BancoDados;

// Throws when the connection is missing or the statement fails.
void MarcarMonitorAtivo(BancoDados* conexao);
