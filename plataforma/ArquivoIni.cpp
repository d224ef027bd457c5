#include "plataforma/ArquivoIni.h"

#include "comum/CodigoPagina.h"
#include "comum/Texto.h"
#include "plataforma/Arquivos.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

#include <ini.h>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// The profile functions drop one pair of matching quotes around a value.
std::string SemAspas(const std::string& valor)
{
    const bool entreAspas = valor.size() >= 2 && (valor.front() == '"' || valor.front() == '\'') &&
                            valor.back() == valor.front();
    return entreAspas ? valor.substr(1, valor.size() - 2) : valor;
}

std::string TextoUtf8(const std::string& bytes)
{
    if (bytes.compare(0, kBom.size(), kBom) == 0)
        return bytes.substr(kBom.size());
    return Utf8Valido(bytes) ? bytes : Win1252ParaUtf8(bytes);
}

bool Comentario(const std::string& linha)
{
    return !linha.empty() && (linha.front() == ';' || linha.front() == '#');
}

bool CabecalhoDeSecao(const std::string& linha)
{
    return !linha.empty() && linha.front() == '[' && linha.find(']') != std::string::npos;
}

std::string NomeDeSecao(const std::string& nome)
{
    return Minusculas(Aparado(nome));
}

// The parser also splits at ":"; the profile functions split at "=" only, so
// a line whose ":" comes first holds no key that can be asked for.
bool SeparaEmDoisPontos(const std::string& linha)
{
    const std::size_t doisPontos = linha.find(':');
    return doisPontos != std::string::npos && doisPontos < linha.find('=');
}

// Lines are handed to the parser one by one with their leading blanks
// removed: the profile functions ignore them, while the parser would take
// an indented line as the continuation of the key above it.
std::vector<std::string> Linhas(const std::string& texto)
{
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos)
            fim = texto.size();
        std::string linha = texto.substr(inicio, fim - inicio);
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        linha.erase(0, linha.find_first_not_of(" \t"));
        if (Comentario(linha) || CabecalhoDeSecao(linha) || !SeparaEmDoisPontos(linha))
            linhas.push_back(std::move(linha));
        inicio = fim + 1;
    }
    return linhas;
}

// The parser's line buffer is a run-time setting of the library as Debian
// builds it: on the heap, as long as the longest line plus line end and
// terminator, so that a line of any length is read whole. False when a line
// is beyond what the library can count.
bool AjustarBufferDoParser(const std::vector<std::string>& linhas)
{
    std::size_t maior = 0;
    for (const std::string& linha : linhas)
        maior = std::max(maior, linha.size());
    if (maior > static_cast<std::size_t>(std::numeric_limits<int>::max()) - 3)
        return false;
    ini_use_stack = false;
    ini_allow_realloc = false;
    ini_initial_alloc = ini_max_line = static_cast<int>(maior) + 3;
    return true;
}

struct Leitura {
    std::vector<std::string> linhas;
    std::size_t proxima = 0;
    int secoesLidas = 0;                       // section headers read so far
    std::map<std::string, int> primeiraSecao;  // section -> the header that opened it first
    std::string secaoAtual = {};               // the parser cuts long names; this one is whole
    std::map<std::string, std::string>& valores;
    bool naoCoube = false;
};

char* LerLinha(char* destino, int tamanho, void* dados)
{
    auto& leitura = *static_cast<Leitura*>(dados);
    if (leitura.proxima == leitura.linhas.size())
        return nullptr;
    std::string linha = leitura.linhas[leitura.proxima++] + '\n';
    // Only a library that ignores the buffer setting gets here.
    if (linha.size() >= static_cast<std::size_t>(tamanho)) {
        leitura.naoCoube = true;
        return nullptr;
    }
    if (CabecalhoDeSecao(linha)) {
        leitura.secaoAtual = NomeDeSecao(linha.substr(1, linha.find(']') - 1));
        leitura.primeiraSecao.emplace(leitura.secaoAtual, ++leitura.secoesLidas);
    }
    std::memcpy(destino, linha.c_str(), linha.size() + 1);
    return destino;
}

int GuardarValor(void* dados, const char*, const char* chave, const char* valor)
{
    auto& leitura = *static_cast<Leitura*>(dados);
    const std::string& nomeSecao = leitura.secaoAtual;
    // Only the first section of a name counts, and in it the first occurrence of a key.
    const auto primeira = leitura.primeiraSecao.find(nomeSecao);
    if (primeira != leitura.primeiraSecao.end() && primeira->second == leitura.secoesLidas)
        leitura.valores.emplace(nomeSecao + "\n" + Minusculas(chave), SemAspas(valor));
    return 1;
}

}  // namespace

ArquivoIni::ArquivoIni(const std::string& caminho)
{
    if (!ArquivoExiste(caminho))
        return;
    // Keys above the first header belong to the section without name.
    Leitura leitura{.linhas = Linhas(TextoUtf8(LerArquivo(caminho))), .primeiraSecao = {{"", 0}}, .valores = valores_};
    const bool coube = AjustarBufferDoParser(leitura.linhas) &&
                       ini_parse_stream(LerLinha, &leitura, GuardarValor, &leitura) != -2 && !leitura.naoCoube;
    if (!coube)
        throw std::runtime_error("O arquivo " + caminho + " tem uma linha longa demais para ser lida.");
}

std::string ArquivoIni::LerTexto(const std::string& secao, const std::string& chave, const std::string& padrao) const
{
    const auto achado = valores_.find(Minusculas(secao) + "\n" + Minusculas(chave));
    return achado == valores_.end() ? padrao : achado->second;
}
