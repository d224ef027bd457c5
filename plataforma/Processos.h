#pragma once
// Running processes: terminate by executable file name, start another
// program detached, end the own process, the program's own file name.
#include <string>
#include <vector>

// Terminates the first process, in ascending id order, whose executable file
// name (from /proc/PID/exe) equals the name case-insensitively. The own
// process ends at once with exit code 0; another is killed. Reports nothing.
void FinalizarProcesso(const std::string& nomeExecutavel);

// Starts the program with these arguments, detached, without waiting.
// Returns false when it could not be started.
bool IniciarProgramaDesacoplado(const std::string& programa, const std::vector<std::string>& argumentos);

// Ends the own process at once, running nothing further.
[[noreturn]] void EncerrarProcessoImediatamente(int codigo);

// Full file name of the running executable, or the name a test placed
// there with DefinirNomeCompletoPrograma (a program in a temporary folder).
std::string NomeCompletoPrograma();
void DefinirNomeCompletoPrograma(const std::string& caminho);
