#pragma once
// The program's command line: the word "manual" (any letter case), the
// commands "simular" and "explicar TIPO NÚMERO", and the long options. What the program does with it is main's; this
// only reads it and holds the usage text the operator is shown.
#include <optional>
#include <string>
#include <vector>

// Exit codes of an end the command line decides.
constexpr int kSaidaUsoInvalido = 64;  // an unknown option or a missing value

struct LinhaComando {
    enum class Acao { Monitorar, MostrarAjuda, MostrarVersao, UsoInvalido };
    Acao acao = Acao::Monitorar;
    std::vector<std::string> argumentos;    // the words after the options, for the window model
    std::optional<std::string> instalacao;  // --instalacao PASTA
    std::string csv;                        // --csv ARQUIVO, with "simular"
    bool json = false;                      // --json, with "explicar"
    std::string erro;                       // one line on what was wrong, for UsoInvalido
};

// linha: the whole command line, the program's name first.
LinhaComando LerLinhaComando(const std::vector<std::string>& linha);
std::string TextoUso();
std::string TextoVersao();
