#pragma once
// Where the start-up update check and the launcher-ini upkeep find their
// files: worked out from the suite's ini files and the running program's
// file name alone, so the database connection plays no part.
#include <string>

struct CaminhosAtualizacao {
    std::string nomeExe;           // the running program's file name
    std::string pastaUpdate;       // the update folder beside the server ini's folder; empty without a server ini
    std::string pastaUpdateParam;  // pastaUpdate with blanks written as "§"
    std::string pastaExeParam;     // the program's folder with blanks written as "§"
    std::string arquivoCA;         // the CA file that verifies the site; empty: the system's trust store
};

// localIniServidor: the server ini the suite's local ini names. programa: the
// running program's full file name. localIni: the suite's local ini, whose
// section [Atualizacao] key ArquivoCA may name a PEM file of the authorities
// that sign the site's certificate (a relative path is taken from the
// program's folder). Without an existing server ini file there is no update
// folder.
CaminhosAtualizacao DefinirCaminhosAtualizacao(const std::string& localIniServidor, const std::string& programa,
                                               const std::string& localIni);
