#include "comum/ComandoSql.h"

#include <cctype>
#include <limits>

#include "comum/Erros.h"

ComandoSql ParametroDoLiteral(const std::string& literal)
{
    const bool negativo = !literal.empty() && literal.front() == '-';
    std::int64_t valor = 0;
    int escala = 0;
    bool ponto = false;
    bool digito = false;
    for (std::size_t i = negativo ? 1 : 0; i < literal.size(); ++i) {
        const char c = literal[i];
        if (c == '.' && !ponto) {
            ponto = true;
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) == 0 || valor > std::numeric_limits<std::int64_t>::max() / 10)
            throw ErroConversao("'" + literal + "' is not a valid decimal number");
        valor = valor * 10 + (c - '0');
        digito = true;
        if (ponto)
            --escala;
    }
    if (!digito)
        throw ErroConversao("'" + literal + "' is not a valid decimal number");
    return Parametro({negativo ? -valor : valor, escala});
}
