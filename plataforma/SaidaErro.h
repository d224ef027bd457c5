#pragma once
// Where standard error goes: a terminal, where a line can be redrawn in
// place, or the systemd journal (JOURNAL_STREAM names the stream it gave the
// service), where a line may open with its priority, "<4>" for a warning.
bool SaidaErroNoTerminal();
bool SaidaErroNoDiario();
