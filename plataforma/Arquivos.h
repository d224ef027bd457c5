#pragma once
// File-system services. Failures of delete, rename and copy are reported by
// the result, never by exceptions; the caller decides whether they matter.
#include <string>
#include <vector>

class DataHora;

bool ArquivoExiste(const std::string& caminho);  // a regular file
bool PastaExiste(const std::string& caminho);
bool CriarPasta(const std::string& caminho);                           // one level
bool ApagarArquivo(const std::string& caminho);                        // a missing file is no error (true)
bool RenomearArquivo(const std::string& de, const std::string& para);  // false when para exists
// Keeps permissions and modification time; false when para exists.
bool CopiarArquivoSemSobrescrever(const std::string& de, const std::string& para);
// Names (without folder) of the regular files in the pattern's folder whose
// names match its last part ("*" and "?", case-sensitive).
std::vector<std::string> ListarArquivos(const std::string& padrao);
// Last modification in local time, cut to even seconds; day zero when missing.
DataHora DataModificacao(const std::string& caminho);
// Whole file as bytes; throws std::runtime_error when it cannot be read.
std::string LerArquivo(const std::string& caminho);
// First line without its line end; throws std::runtime_error when unreadable.
std::string LerPrimeiraLinha(const std::string& caminho);
// Creates or replaces the file with exactly these bytes. A symbolic link in
// the file's place is not followed but refused, like a folder or any other
// thing that is not a regular file: std::runtime_error whose text names the
// file and the reason. A file this call created is removed when writing fails.
void GravarArquivo(const std::string& caminho, const std::string& bytes);
