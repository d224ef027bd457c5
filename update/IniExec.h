#pragma once
// The launcher ini "Exec-<program>.ini" beside the program: when it is there
// the program puts a "Novo" shortcut to itself on the desktop and, if it is
// the suite's main program, fills the update folder from the master folder
// the ini names. The launcher ini and the executable copy "Exec-<program>"
// are then deleted. Failing file operations are ignored.
// programa is the running program's full file name.
#include <string>

struct CaminhosAtualizacao;

void TratarIniExec(const std::string& programa, const CaminhosAtualizacao& caminhos);
// A desktop entry "Novo <short name>.desktop" pointing at the running program.
void CriarAtalhoNovo(const std::string& programa, const CaminhosAtualizacao& caminhos);
// The user's desktop folder, with a trailing separator.
std::string PastaAreaTrabalho();
// Copies each "*.exe" of the master folder that the update folder lacks;
// files already in the update folder are never replaced.
void CopiarExecutaveisPastaMestre(const std::string& programa, const CaminhosAtualizacao& caminhos);
