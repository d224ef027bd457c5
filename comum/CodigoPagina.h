#pragma once
// Texts are UTF-8 inside the program and Windows-1252 in the suite's data
// (database and lock file). Both directions are lossless for every byte the
// suite can store; a character without a Windows-1252 form becomes "?".
#include <string>

std::string Utf8ParaWin1252(const std::string& utf8);
std::string Win1252ParaUtf8(const std::string& win1252);
// Whether the bytes are well-formed UTF-8 (no overlong forms or surrogates).
bool Utf8Valido(const std::string& texto);
