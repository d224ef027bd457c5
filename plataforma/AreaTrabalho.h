#pragma once
// The user's desktop folder and a desktop shortcut (a freedesktop entry).
#include <string>

// XDG_DESKTOP_DIR from ~/.config/user-dirs.dirs, else ~/Desktop; with a trailing separator.
std::string PastaAreaTrabalhoUsuario();
// Writes a Type=Application desktop entry at caminho, replacing any file there:
// its Name is the file name without extension, its Comment the description.
// Returns false when it cannot be written.
bool CriarAtalho(const std::string& caminho, const std::string& descricao, const std::string& alvo);
