#pragma once
// Money: a signed 64-bit count of ten-thousandths.
// Exact: +, -, unary -, comparisons (overflow throws ErroAritmetico).
// Rounded (four decimals, halves to even): DeExtended and DeNumeric beyond
// four decimals. Products and quotients leave the integers through
// Extended() and come back only where a caller rounds with DeExtended.
#include <compare>
#include <cstdint>
#include <string>

class Dinheiro {
public:
    static constexpr std::int64_t kPorUnidade = 10'000;

    constexpr Dinheiro() = default;
    static constexpr Dinheiro DeUnidades(std::int64_t dezMilesimos) { return Dinheiro(dezMilesimos); }
    static Dinheiro DeInteiro(std::int64_t inteiro);            // throws on overflow
    static Dinheiro DeExtended(long double valor);              // half to even; NaN, inf, out of range throw
    static Dinheiro DeNumeric(std::int64_t bruto, int escala);  // column value and its (negative) scale

    constexpr std::int64_t Unidades() const { return v_; }
    long double Extended() const { return static_cast<long double>(v_) / kPorUnidade; }
    double Real() const { return static_cast<double>(Extended()); }
    bool Zero() const { return v_ == 0; }

    friend Dinheiro operator+(Dinheiro a, Dinheiro b);
    friend Dinheiro operator-(Dinheiro a, Dinheiro b);
    Dinheiro operator-() const;
    Dinheiro& operator+=(Dinheiro b) { return *this = *this + b; }
    Dinheiro& operator-=(Dinheiro b) { return *this = *this - b; }
    auto operator<=>(const Dinheiro&) const = default;

    // Plain decimal text with four decimals and a point: "-12.3400".
    std::string Texto() const;

private:
    constexpr explicit Dinheiro(std::int64_t v) : v_(v) {}
    std::int64_t v_ = 0;
};

// Quotient in extended precision; a zero divisor throws ErroAritmetico.
long double Dividir(long double dividendo, long double divisor);

// For a person to read: "1.234,50", grouped, decimal comma, two decimals.
std::string Quantia(Dinheiro valor);
