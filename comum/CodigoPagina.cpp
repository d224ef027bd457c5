#include "comum/CodigoPagina.h"

#include <algorithm>
#include <iterator>

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves
// undefined keep their C1 code point, so every byte survives a round trip.
constexpr char32_t kFaixa80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kSemForma = '?';

char32_t CodigoDoByte(unsigned char b)
{
    return b >= 0x80 && b <= 0x9F ? kFaixa80[b - 0x80] : b;
}

char ByteDoCodigo(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    const auto achado = std::find(std::begin(kFaixa80), std::end(kFaixa80), c);
    return achado == std::end(kFaixa80) ? kSemForma : static_cast<char>(0x80 + (achado - std::begin(kFaixa80)));
}

void AcrescentarUtf8(std::string& saida, char32_t c)
{
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // every code point of the table lies below 0x10000
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct Inicio {
    int continuacoes;
    char32_t bitsDoPrimeiro;
    char32_t minimo;  // smaller code points in this length are overlong forms
};

bool InicioDeSequencia(unsigned char primeiro, Inicio& inicio)
{
    if (primeiro >= 0xC2 && primeiro <= 0xDF)
        inicio = {1, primeiro & 0x1Fu, 0x80};
    else if (primeiro >= 0xE0 && primeiro <= 0xEF)
        inicio = {2, primeiro & 0x0Fu, 0x800};
    else if (primeiro >= 0xF0 && primeiro <= 0xF4)
        inicio = {3, primeiro & 0x07u, 0x10000};
    else
        return false;
    return true;
}

// Decodes the sequence at pos and moves past it; an ill-formed sequence
// gives false and moves past its first byte only.
bool LerCodigo(const std::string& utf8, std::size_t& pos, char32_t& codigo)
{
    const auto primeiro = static_cast<unsigned char>(utf8[pos++]);
    if (primeiro < 0x80) {
        codigo = primeiro;
        return true;
    }
    Inicio inicio;
    if (!InicioDeSequencia(primeiro, inicio))
        return false;
    char32_t c = inicio.bitsDoPrimeiro;
    std::size_t p = pos;
    for (int i = 0; i < inicio.continuacoes; ++i, ++p) {
        if (p >= utf8.size() || (static_cast<unsigned char>(utf8[p]) & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (static_cast<unsigned char>(utf8[p]) & 0x3F);
    }
    if (c < inicio.minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    pos = p;
    codigo = c;
    return true;
}

}  // namespace

std::string Utf8ParaWin1252(const std::string& utf8)
{
    std::string saida;
    saida.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t codigo;
        saida += LerCodigo(utf8, pos, codigo) ? ByteDoCodigo(codigo) : kSemForma;
    }
    return saida;
}

std::string Win1252ParaUtf8(const std::string& win1252)
{
    std::string saida;
    saida.reserve(win1252.size() * 2);
    for (const char b : win1252)
        AcrescentarUtf8(saida, CodigoDoByte(static_cast<unsigned char>(b)));
    return saida;
}

bool Utf8Valido(const std::string& texto)
{
    char32_t codigo;
    for (std::size_t pos = 0; pos < texto.size();)
        if (!LerCodigo(texto, pos, codigo))
            return false;
    return true;
}
