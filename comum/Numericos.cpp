#include "comum/Numericos.h"

#include "comum/Erros.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace {

// Beyond this magnitude of the scaled value a double's spacing is wider than
// 10^-n, so cutting or rounding to n decimals cannot reach another double.
constexpr long double kLimiteEscalado = 0x1p62L;

long double PotenciaDe10(int n)
{
    long double potencia = 1;
    for (int i = 0; i < n; ++i)
        potencia *= 10;
    for (int i = 0; i > n; --i)
        potencia /= 10;
    return potencia;
}

void ExigirFinito(long double valor)
{
    if (!std::isfinite(valor))
        throw ErroAritmetico("Operação de ponto flutuante inválida.");
}

struct Mascara {
    int decimais = 0;
    std::size_t minimoInteiros = 0;
    bool agrupar = false;
};

Mascara LerMascara(const std::string& texto)
{
    Mascara m;
    bool naFracao = false;
    for (const char c : texto) {
        if (c == '.' && !naFracao)
            naFracao = true;
        else if (c == ',' && !naFracao)
            m.agrupar = true;
        else if (c == '0' && naFracao)
            ++m.decimais;
        else if (c == '0')
            ++m.minimoInteiros;
        else if (c != '#' || naFracao)
            throw std::invalid_argument("Máscara numérica não suportada: " + texto);
    }
    return m;
}

// The value's digits split at the decimal point. Whole numbers of up to 64
// bits are exact; any other value is seen with the 18 significant digits the
// extended type's formatting uses, so decimal money such as 1.225 keeps its half.
struct Decimal {
    std::string inteiros;
    std::string fracao;
};

Decimal DigitosDecimais(long double magnitude)
{
    char texto[64];
    if (magnitude < 0x1p64L && magnitude == std::trunc(magnitude)) {
        const auto fim = std::to_chars(texto, texto + sizeof texto, static_cast<unsigned long long>(magnitude)).ptr;
        return {std::string(texto, fim), ""};
    }
    const auto fim = std::to_chars(texto, texto + sizeof texto, magnitude, std::chars_format::scientific, 17).ptr;
    const std::string mantissa = std::string(texto, 1) + std::string(texto + 2, texto + 19);
    const int expoente = std::stoi(std::string(texto + 20, fim));
    const long long ponto = expoente + 1LL;  // digits before the decimal point
    if (ponto <= 0)
        return {"0", std::string(static_cast<std::size_t>(-ponto), '0') + mantissa};
    if (ponto >= static_cast<long long>(mantissa.size()))
        return {mantissa + std::string(static_cast<std::size_t>(ponto) - mantissa.size(), '0'), ""};
    return {mantissa.substr(0, static_cast<std::size_t>(ponto)), mantissa.substr(static_cast<std::size_t>(ponto))};
}

// Rounds the digits to the given decimals, halves away from zero.
std::string Arredondados(Decimal d, int decimais)
{
    const auto casas = static_cast<std::size_t>(decimais);
    if (d.fracao.size() <= casas)
        d.fracao.append(casas + 1 - d.fracao.size(), '0');
    std::string digitos = d.inteiros + d.fracao.substr(0, casas);
    if (d.fracao[casas] >= '5') {
        std::size_t i = digitos.size();
        while (i > 0 && digitos[i - 1] == '9')
            digitos[--i] = '0';
        if (i == 0)
            digitos.insert(0, 1, '1');
        else
            ++digitos[i - 1];
    }
    return digitos;
}

std::string Agrupados(const std::string& inteiros)
{
    std::string saida;
    for (std::size_t i = 0; i < inteiros.size(); ++i) {
        if (i > 0 && (inteiros.size() - i) % 3 == 0)
            saida += '.';
        saida += inteiros[i];
    }
    return saida;
}

}  // namespace

double Arredondar(double valor, int casas)
{
    ExigirFinito(valor);
    const long double escalado = std::fabs(static_cast<long double>(valor)) * PotenciaDe10(casas + 1);
    if (escalado >= kLimiteEscalado)
        return valor;
    const auto cortado = static_cast<std::int64_t>(escalado);  // toward zero: n + 1 decimals
    const std::int64_t arredondado = (cortado + 5) / 10;       // 5 and above on the last one go up
    const std::int64_t comSinal = std::signbit(valor) ? -arredondado : arredondado;
    return static_cast<double>(comSinal) / static_cast<double>(PotenciaDe10(casas));
}

double Truncar(double valor, int casas)
{
    ExigirFinito(valor);
    // The small lift brings a double held just below a decimal (0.29 is
    // 0.28999...) back onto it before the cut. It works on the magnitude: on
    // a negative value it would take a whole unit off (-2.00 gives -1.99).
    const long double escalado = (std::fabs(static_cast<long double>(valor)) + 0.00000000001L) * PotenciaDe10(casas);
    if (escalado >= kLimiteEscalado)
        return valor;
    const auto cortado = static_cast<std::int64_t>(escalado);
    const std::int64_t comSinal = std::signbit(valor) ? -cortado : cortado;
    return static_cast<double>(comSinal) / static_cast<double>(PotenciaDe10(casas));
}

std::string TrocarVirgulaPorPonto(const std::string& texto)
{
    std::string saida;
    for (const char c : texto) {
        if (c == ',')
            saida += '.';
        else if (c != '.')
            saida += c;
    }
    return saida;
}

std::string FormatarMascara(long double valor, const std::string& mascara)
{
    ExigirFinito(valor);
    const Mascara m = LerMascara(mascara);
    const std::string digitos = Arredondados(DigitosDecimais(std::fabs(valor)), m.decimais);
    const std::size_t ponto = digitos.size() - static_cast<std::size_t>(m.decimais);

    std::string inteiros = digitos.substr(0, ponto);
    while (inteiros.size() > m.minimoInteiros && inteiros.front() == '0')
        inteiros.erase(0, 1);

    std::string texto = m.agrupar ? Agrupados(inteiros) : inteiros;
    if (m.decimais > 0)
        texto += ',' + digitos.substr(ponto);
    const bool zero = digitos.find_first_not_of('0') == std::string::npos;
    return (valor < 0 && !zero ? "-" : "") + texto;
}
