#pragma once
// One value of a fetched row or of an insert parameter, and its readings.
// NULL reads as 0, day zero or empty text; a text that is not a number read
// as a number throws ErroConversao.
#include <cstdint>
#include <string>
#include <variant>

#include "comum/DataHora.h"
#include "comum/Dinheiro.h"

struct Escalado {
    std::int64_t bruto = 0;
    int escala = 0;  // the column's scale: -2 for numeric(18,2)
};

class Valor {
public:
    Valor() = default;
    static Valor DeInteiro(std::int64_t v) { return Valor(Escalado{v, 0}); }
    static Valor DeEscalado(std::int64_t bruto, int escala) { return Valor(Escalado{bruto, escala}); }
    static Valor DeDinheiro(Dinheiro d) { return Valor(Escalado{d.Unidades(), -4}); }
    static Valor DeReal(double v) { return Valor(v); }
    static Valor DeTexto(std::string v) { return Valor(std::move(v)); }
    static Valor DeData(DataHora v) { return Valor(v); }

    bool Nulo() const { return std::holds_alternative<std::monostate>(v_); }
    std::int64_t Inteiro() const;
    Dinheiro ComoDinheiro() const;
    double Real() const;
    DataHora Data() const;
    std::string Texto() const;

    const std::variant<std::monostate, Escalado, double, std::string, DataHora>& Bruto() const { return v_; }

private:
    template <class T>
    explicit Valor(T v) : v_(std::move(v))
    {
    }
    std::variant<std::monostate, Escalado, double, std::string, DataHora> v_;
};
