#pragma once
// The start-up update check: makes sure the suite's updater is in the update
// folder (downloading it when missing), runs the launcher-ini and schema
// upkeep, and hands over to the updater when the program's copy in the
// update folder differs in modification time from the running program.
// Problems are told to the operator and end in a request to end the
// application; errors of the schema upkeep and of creating the download
// file are not caught here.
#include <functional>
#include <string>

class Apresentacao;
class BancoDados;
struct CaminhosAtualizacao;

// What the check takes from the program's surroundings.
struct AmbienteAtualizacao {
    std::string programa;                       // the running program's full file name
    std::string hostSite;                       // host name of the maker's web site
    std::function<void(int)> encerrarProcesso;  // ends the own process at once with this exit code
    std::function<bool()> fimPedido;            // a request to end the program (a signal) has arrived
};

// Only mode 1 compares and hands over; other modes stop after the schema
// upkeep. Without an update folder (no server ini) only the marker file is
// looked at. Returns false when a request to end the program arrived during
// a transfer with the site: the check then stopped at once, silently, and
// the rest of the start-up should not run either.
[[nodiscard]] bool VerificarAtualizacao(Apresentacao& tela, BancoDados& banco, int modo,
                                        const CaminhosAtualizacao& caminhos, const AmbienteAtualizacao& ambiente);

// A file's modification time as "dd/mm/yyyy hh:mm:ss", at two-second resolution.
std::string DataArquivoTexto(const std::string& arquivo);
