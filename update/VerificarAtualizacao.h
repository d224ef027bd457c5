#pragma once
// The start-up update check: makes sure the suite's updater is in the update
// folder (downloading it when missing), runs the launcher-ini and schema
// upkeep, and hands over to the updater when the program's copy in the
// update folder differs in modification time from the running program.
// Problems are told to the operator and end in a request to end the
// application; errors of the schema upkeep and of creating the download
// file are not caught here. Reads the paths of update/CaminhosAtualizacao.h.
#include <functional>
#include <string>

#include "plataforma/Processos.h"

class Apresentacao;
class BancoDados;

// Only mode 1 compares and hands over; other modes stop after the schema
// upkeep. encerrarProcesso ends the process once the updater has started
// (with exit code 0): at once, unless a test records the request instead.
void VerificarAtualizacao(Apresentacao& tela, BancoDados& banco, int modo,
                          const std::function<void(int)>& encerrarProcesso = EncerrarProcessoImediatamente);

// A file's modification time as "dd/mm/yyyy hh:mm:ss", at two-second resolution.
std::string DataArquivoTexto(const std::string& arquivo);
