#include "comum/Dinheiro.h"

#include "comum/Erros.h"
#include "comum/Numericos.h"

#include <cmath>
#include <cstdlib>

namespace {

const char* const kEstouro = "Estouro em operação com valor monetário.";
const char* const kOperacaoInvalida = "Operação de ponto flutuante inválida.";

// Rounds the magnitude m / 10^casas to a whole number, halves to the even neighbour.
std::uint64_t DividirPorPotenciaDe10(std::uint64_t m, long long casas)
{
    if (casas > 19)  // 10^20 exceeds twice any 64-bit magnitude: the quotient rounds to 0
        return 0;
    std::uint64_t divisor = 1;
    for (int i = 0; i < casas; ++i)
        divisor *= 10;
    const std::uint64_t quociente = m / divisor;
    const std::uint64_t resto = m % divisor;
    const std::uint64_t falta = divisor - resto;
    const bool sobe = resto > falta || (resto == falta && quociente % 2 == 1);
    return sobe ? quociente + 1 : quociente;
}

std::int64_t MultiplicarPorPotenciaDe10(std::int64_t v, long long casas)
{
    for (long long i = 0; i < casas && v != 0; ++i)
        if (__builtin_mul_overflow(v, 10, &v))
            throw ErroAritmetico(kEstouro);
    return v;
}

}  // namespace

Dinheiro Dinheiro::DeInteiro(std::int64_t inteiro)
{
    std::int64_t unidades;
    if (__builtin_mul_overflow(inteiro, kPorUnidade, &unidades))
        throw ErroAritmetico(kEstouro);
    return Dinheiro(unidades);
}

Dinheiro Dinheiro::DeExtended(long double valor)
{
    const long double escalado = std::nearbyint(valor * kPorUnidade);
    if (std::isnan(escalado))
        throw ErroAritmetico(kOperacaoInvalida);
    // Both bounds are powers of two, exact in long double; infinity fails them too.
    if (!(escalado >= -0x1p63L && escalado < 0x1p63L))
        throw ErroAritmetico(kEstouro);
    return Dinheiro(static_cast<std::int64_t>(escalado));
}

Dinheiro Dinheiro::DeNumeric(std::int64_t bruto, int escala)
{
    const long long casasAlem = -(escala + 4LL);  // decimals beyond the fourth
    if (casasAlem <= 0)
        return Dinheiro(MultiplicarPorPotenciaDe10(bruto, -casasAlem));
    const std::uint64_t magnitude = bruto < 0 ? 0 - static_cast<std::uint64_t>(bruto)
                                              : static_cast<std::uint64_t>(bruto);
    const auto arredondado = static_cast<std::int64_t>(DividirPorPotenciaDe10(magnitude, casasAlem));
    return Dinheiro(bruto < 0 ? -arredondado : arredondado);
}

Dinheiro operator+(Dinheiro a, Dinheiro b)
{
    std::int64_t soma;
    if (__builtin_add_overflow(a.v_, b.v_, &soma))
        throw ErroAritmetico(kEstouro);
    return Dinheiro(soma);
}

Dinheiro operator-(Dinheiro a, Dinheiro b)
{
    std::int64_t diferenca;
    if (__builtin_sub_overflow(a.v_, b.v_, &diferenca))
        throw ErroAritmetico(kEstouro);
    return Dinheiro(diferenca);
}

Dinheiro Dinheiro::operator-() const
{
    return Dinheiro() - *this;
}

std::string Dinheiro::Texto() const
{
    const std::uint64_t magnitude = v_ < 0 ? 0 - static_cast<std::uint64_t>(v_) : static_cast<std::uint64_t>(v_);
    std::string decimais = std::to_string(magnitude % kPorUnidade);
    decimais.insert(0, 4 - decimais.size(), '0');
    return (v_ < 0 ? "-" : "") + std::to_string(magnitude / kPorUnidade) + "." + decimais;
}

long double Dividir(long double dividendo, long double divisor)
{
    if (divisor == 0)
        throw ErroAritmetico("Divisão por zero.");
    const long double quociente = dividendo / divisor;
    if (std::isnan(quociente))
        throw ErroAritmetico(kOperacaoInvalida);
    if (std::isinf(quociente))
        throw ErroAritmetico("Estouro de ponto flutuante.");
    return quociente;
}

std::string Quantia(Dinheiro valor)
{
    return FormatarMascara(valor.Extended(), "###,##0.00");
}
