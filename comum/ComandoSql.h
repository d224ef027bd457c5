#pragma once
// Statement text whose values travel as parameters: "?" stands where a
// literal helper would have written the digits and the value goes beside it,
// unchanged, so the database compiles the text once for every value.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An exact number: valor × 10^escala (escala 0 or negative).
struct ParametroSql {
    std::int64_t valor = 0;
    int escala = 0;
    bool operator==(const ParametroSql&) const = default;
};

class ComandoSql {
public:
    // Plain text, no parameter: every statement without one converts.
    ComandoSql(std::string texto) : texto_(std::move(texto)) {}
    ComandoSql(const char* texto) : texto_(texto) {}

    const std::string& Texto() const { return texto_; }
    const std::vector<ParametroSql>& Parametros() const { return parametros_; }

    ComandoSql& operator+=(const ComandoSql& outro)
    {
        texto_ += outro.texto_;
        parametros_.insert(parametros_.end(), outro.parametros_.begin(), outro.parametros_.end());
        return *this;
    }
    friend ComandoSql operator+(ComandoSql esquerda, const ComandoSql& direita)
    {
        esquerda += direita;
        return esquerda;
    }

private:
    friend ComandoSql Parametro(ParametroSql valor);

    std::string texto_;
    std::vector<ParametroSql> parametros_;
};

inline ComandoSql Parametro(ParametroSql valor)
{
    ComandoSql parametro("?");
    parametro.parametros_.push_back(valor);
    return parametro;
}

// The parameter that carries valor where LiteralInteiro(valor) would stand.
inline ComandoSql ParametroInteiro(std::int64_t valor)
{
    return Parametro({valor, 0});
}

// The parameter that carries exactly the number a literal helper wrote
// ("-12.34", "0.1250"): the rounding of its mask stays the literal's. A text
// that is no plain decimal number throws ErroConversao, as the statement
// with it would have failed.
ComandoSql ParametroDoLiteral(const std::string& literal);
