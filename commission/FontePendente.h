#pragma once
// What the phases that rebuild the commission rows of pending sources share
// (invoices, receivables, settlements): the walk over the selection, the
// check for rows already paid, and a statement committed at once.
#include <functional>
#include <string>

class Consulta;
class TfrmPrincipal;

// Opens the selection on pendentes and fetches it whole; when it has rows,
// starts the gauge and sets encontrou. Then, row by row, lets pending
// messages run, advances the gauge and calls tratar on the current row.
void PercorrerPendentes(TfrmPrincipal& janela, Consulta& pendentes, const std::string& sql, bool& encontrou,
                        const std::function<void()>& tratar);

// sqlContagem counts the source's rows that already belong to a commission
// payment, as "qtde".
bool ComissaoJaPaga(TfrmPrincipal& janela, const std::string& sqlContagem);

// The statement on IBQ_Gen followed by " commit".
void ExecutarEConfirmar(TfrmPrincipal& janela, const std::string& sql);
