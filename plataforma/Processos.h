#pragma once
// Running processes: terminate by executable file name, start another
// program detached, end the own process, the program's own file name.
#include <string>
#include <vector>

// With the program's own executable file name (case-insensitive), ends the
// own process at once with exit code 0 and touches no other process of that
// name. Any other name: kills the first process, in ascending id order, whose
// executable file name (from /proc/PID/exe) equals it case-insensitively.
// Reports nothing.
void FinalizarProcesso(const std::string& nomeExecutavel);

// Starts the program with these arguments, detached, without waiting.
// Returns false when it could not be started.
bool IniciarProgramaDesacoplado(const std::string& programa, const std::vector<std::string>& argumentos);

// Ends the own process at once, running nothing further.
[[noreturn]] void EncerrarProcessoImediatamente(int codigo);

// Full file name of the running executable.
std::string NomeCompletoPrograma();
