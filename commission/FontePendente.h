#pragma once
// What the phases that rebuild the commission rows of pending sources share
// (invoices, receivables, settlements): the walk over the selection, the
// check for rows already paid, and a statement committed at once.
#include <functional>
#include <string>

#include "commission/ContextoFase.h"

class Consulta;

// Opens the selection on pendentes and fetches it whole; when it has rows,
// starts the gauge. Then, row by row, lets pending messages run, advances the
// gauge and calls tratar on the current row. True when there were rows.
bool PercorrerPendentes(ContextoFase& contexto, Consulta& pendentes, const std::string& sql,
                        const std::function<void()>& tratar);

// sqlContagem counts the source's rows that already belong to a commission
// payment, as "qtde".
bool ComissaoJaPaga(SessaoBanco& sessao, const std::string& sqlContagem);

// The statement on IBQ_Gen followed by " commit".
void ExecutarEConfirmar(SessaoBanco& sessao, const std::string& sql);
