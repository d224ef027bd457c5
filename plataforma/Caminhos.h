#pragma once
// The platform's path separator in one place: every rule that cuts a path
// at its last or next-to-last separator uses this.
#include <string>

inline constexpr char kSeparador = '/';
inline const std::string kSeparadorTexto(1, kSeparador);

// Text after the last separator (the whole text when there is none).
std::string NomeArquivo(const std::string& caminho);
// Text up to and including the last separator (empty when there is none).
std::string PastaComSeparador(const std::string& caminho);
// Text before the last separator (empty when there is none).
std::string PastaSemSeparador(const std::string& caminho);
