#pragma once
// The program-wide update paths, fixed each time the connection opens.
#include <string>

extern std::string sNomeExe;            // the running program's file name
extern std::string sPastaUpdate;        // the update folder beside the server ini's folder
extern std::string sPastaUpdateParam;   // sPastaUpdate with blanks written as "§"
extern std::string sPastaExeParam;      // the program's folder with blanks written as "§"

void DefinirCaminhosAtualizacao(const std::string& nomeBanco, const std::string& localIniServidor);
