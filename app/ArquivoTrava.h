#pragma once
// The lock file of a resident monitor, in the server data folder: only its
// existence counts. Its name is the program's file name without its last
// extension, followed by ".lock".
#include <string>

bool ExisteArquivoTrava(const std::string& programa, const std::string& pasta);
// Throws std::runtime_error naming the file and the reason when it cannot be
// written, when a folder or a symbolic link (even one to nothing) stands in
// its place; a link's target is never created nor written.
void CriarArquivoTrava(const std::string& programa, const std::string& pasta);
void ApagarArquivoTrava(const std::string& programa, const std::string& pasta);
