#include "plataforma/AreaTrabalho.h"

#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string VariavelAmbiente(const char* nome)
{
    const char* valor = std::getenv(nome);
    return valor ? valor : "";
}

std::string PastaPessoal()
{
    const std::string home = VariavelAmbiente("HOME");
    if (!home.empty())
        return home;
    const passwd* usuario = ::getpwuid(::getuid());
    return usuario && usuario->pw_dir ? usuario->pw_dir : "";
}

std::string ArquivoPastasDoUsuario(const std::string& home)
{
    const std::string configuracao = VariavelAmbiente("XDG_CONFIG_HOME");
    const bool absoluta = !configuracao.empty() && configuracao.front() == kSeparador;
    return (absoluta ? configuracao : home + "/.config") + "/user-dirs.dirs";
}

// A value of user-dirs.dirs: "$HOME/..." or an absolute path in double
// quotes, with "\" escaping the next character. Empty when it is neither.
std::string PastaDoValor(const std::string& valor, const std::string& home)
{
    if (valor.size() < 2 || valor.front() != '"' || valor.back() != '"')
        return {};
    std::string pasta;
    for (std::size_t i = 1; i + 1 < valor.size(); ++i) {
        if (valor[i] == '\\' && i + 2 < valor.size())
            ++i;
        pasta += valor[i];
    }
    static const std::string kHome = "$HOME";
    if (pasta.compare(0, kHome.size(), kHome) == 0)
        return home + pasta.substr(kHome.size());
    return !pasta.empty() && pasta.front() == kSeparador ? pasta : std::string();
}

std::string PastaConfigurada(const std::string& home)
{
    static const std::string kChave = "XDG_DESKTOP_DIR=";
    std::ifstream arquivo(ArquivoPastasDoUsuario(home));
    std::string linha;
    while (std::getline(arquivo, linha)) {
        linha.erase(0, linha.find_first_not_of(" \t"));
        if (linha.compare(0, kChave.size(), kChave) == 0)
            return PastaDoValor(linha.substr(kChave.size(), linha.find_last_not_of(" \t\r") + 1 - kChave.size()), home);
    }
    return {};
}

// Escapes of a desktop entry's string values: backslash and control characters.
std::string ValorDeEntrada(const std::string& texto)
{
    std::string saida;
    for (const char c : texto) {
        switch (c) {
        case '\\':
            saida += "\\\\";
            break;
        case '\n':
            saida += "\\n";
            break;
        case '\r':
            saida += "\\r";
            break;
        case '\t':
            saida += "\\t";
            break;
        default:
            saida += c;
        }
    }
    return saida;
}

// One quoted argument of the Exec key: inside the quotes '"', '`', '$' and
// '\' take a backslash, and '%' is doubled so it is no field code.
std::string ArgumentoExec(const std::string& argumento)
{
    std::string saida = "\"";
    for (const char c : argumento) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            saida += '\\';
        else if (c == '%')
            saida += '%';
        saida += c;
    }
    return saida + "\"";
}

// A desktop shows the entry under its Name, as a file manager shows a link
// under its file name: the file name without its extension.
std::string NomeVisivel(const std::string& caminho)
{
    const std::string nome = NomeArquivo(caminho);
    return nome.substr(0, nome.rfind('.'));
}

}  // namespace

std::string PastaAreaTrabalhoUsuario()
{
    const std::string home = PastaPessoal();
    std::string pasta = PastaConfigurada(home);
    if (pasta.empty())
        pasta = home + "/Desktop";
    if (pasta.back() != kSeparador)
        pasta += kSeparador;
    return pasta;
}

bool CriarAtalho(const std::string& caminho, const std::string& descricao, const std::string& alvo)
{
    const std::string entrada =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=" +
        ValorDeEntrada(NomeVisivel(caminho)) +
        "\n"
        "Comment=" +
        ValorDeEntrada(descricao) +
        "\n"
        "Exec=" +
        ValorDeEntrada(ArgumentoExec(alvo)) +
        "\n"
        "Terminal=false\n";
    try {
        GravarArquivo(caminho, entrada);
    } catch (const std::runtime_error&) {
        return false;
    }
    // Desktops start only entries that are executable.
    return ::chmod(caminho.c_str(), 0755) == 0;
}
