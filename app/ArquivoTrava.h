#pragma once
// The lock file of a resident monitor, in the server data folder: for the
// suite only its existence counts. Its name is the program's file name
// without its last extension, followed by ".lock". The monitor that wrote it
// also holds an advisory lock on it for its whole life, so a file without a
// live holder is known to be left over from a monitor that died.
#include <optional>
#include <string>

#include "plataforma/TravaConsultiva.h"

bool ExisteArquivoTrava(const std::string& programa, const std::string& pasta);
// Throws std::runtime_error naming the file and the reason when it cannot be
// written, when a folder or a symbolic link (even one to nothing) stands in
// its place; a link's target is never created nor written.
void CriarArquivoTrava(const std::string& programa, const std::string& pasta);
void ApagarArquivoTrava(const std::string& programa, const std::string& pasta);
// The advisory lock on the existing lock file; nothing when a live monitor
// holds it.
std::optional<TravaConsultiva> TomarArquivoTrava(const std::string& programa, const std::string& pasta);
