#pragma once
// The lock file of a resident monitor, in the server data folder: only its
// existence counts. Its name is the program's file name without its last
// extension, followed by ".lock".
#include <string>

bool ExisteArquivoTrava(const std::string& programa, const std::string& pasta);
void CriarArquivoTrava(const std::string& programa, const std::string& pasta);   // throws when it cannot be written
void ApagarArquivoTrava(const std::string& programa, const std::string& pasta);
