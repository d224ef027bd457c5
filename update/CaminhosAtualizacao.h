#pragma once
// The program-wide update values, fixed each time the connection opens.
#include <string>

extern std::string sNomeExe;           // the running program's file name
extern std::string sPastaUpdate;       // the update folder beside the server ini's folder; empty without a server ini
extern std::string sPastaUpdateParam;  // sPastaUpdate with blanks written as "§"
extern std::string sPastaExeParam;     // the program's folder with blanks written as "§"
extern std::string sArquivoCA;         // the CA file that verifies the site; empty: the system's trust store

// programa: the running program's full file name. localIni: the suite's
// local ini, whose section [Atualizacao] key ArquivoCA may name a PEM file
// of the authorities that sign the site's certificate (a relative path is
// taken from the program's folder). Without an existing server ini file
// there is no update folder.
void DefinirCaminhosAtualizacao(const std::string& nomeBanco, const std::string& localIniServidor,
                                const std::string& programa, const std::string& localIni);
