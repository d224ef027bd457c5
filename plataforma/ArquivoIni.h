#pragma once
// Ini files read like the Windows profile functions: section and key are
// case-insensitive, values trimmed, a missing file or key gives the default.
// Files may be Windows-1252 or UTF-8 (with or without BOM), CR-LF or LF.
// The whole file is read when the object is built; nothing is cached beyond it.
#include <map>
#include <string>

class ArquivoIni {
public:
    explicit ArquivoIni(const std::string& caminho);
    std::string LerTexto(const std::string& secao, const std::string& chave, const std::string& padrao = {}) const;

private:
    std::map<std::string, std::string> valores_;  // "secao\nchave" in lower case -> UTF-8 value
};
