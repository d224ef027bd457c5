#pragma once
// Statement text whose integer values travel as parameters: "?" stands where
// LiteralInteiro would have written the digits and the value goes beside it,
// unchanged, so the database compiles the text once for every value.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ComandoSql {
public:
    // Plain text, no parameter: every statement without one converts.
    ComandoSql(std::string texto) : texto_(std::move(texto)) {}
    ComandoSql(const char* texto) : texto_(texto) {}

    const std::string& Texto() const { return texto_; }
    const std::vector<std::int64_t>& Inteiros() const { return inteiros_; }

    ComandoSql& operator+=(const ComandoSql& outro)
    {
        texto_ += outro.texto_;
        inteiros_.insert(inteiros_.end(), outro.inteiros_.begin(), outro.inteiros_.end());
        return *this;
    }
    friend ComandoSql operator+(ComandoSql esquerda, const ComandoSql& direita)
    {
        esquerda += direita;
        return esquerda;
    }

private:
    friend ComandoSql ParametroInteiro(std::int64_t valor);

    std::string texto_;
    std::vector<std::int64_t> inteiros_;
};

// The parameter that carries valor where LiteralInteiro(valor) would stand.
inline ComandoSql ParametroInteiro(std::int64_t valor)
{
    ComandoSql parametro("?");
    parametro.inteiros_.push_back(valor);
    return parametro;
}
