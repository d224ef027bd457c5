#include "comum/Literais.h"

#include "comum/DataHora.h"
#include "comum/Numericos.h"

namespace {

std::string TrocarVirgula(std::string texto)
{
    for (char& c : texto)
        if (c == ',')
            c = '.';
    return texto;
}

}  // namespace

std::string LiteralInteiro(std::int64_t valor)
{
    return std::to_string(valor);
}

std::string LiteralTexto(const std::string& texto)
{
    std::string literal = "'";
    for (const char c : texto) {
        if (c == '\'')
            literal += '\'';
        literal += c;
    }
    return literal + "'";
}

std::string LiteralDuasCasas(long double valor)
{
    return TrocarVirgula(FormatarMascara(valor, "##0.00"));
}

std::string LiteralDuasCasasSemPontos(long double valor)
{
    return TrocarVirgulaPorPonto(FormatarMascara(valor, "##0.00"));
}

std::string LiteralQuatroCasas(long double valor)
{
    return TrocarVirgulaPorPonto(FormatarMascara(valor, "###,##0.0000"));
}

std::string LiteralData(const DataHora& data)
{
    return "'" + data.FormatoSql() + "'";
}

std::string LiteralDataHora(const DataHora& data)
{
    return "'" + data.FormatoSqlComHora() + "'";
}

std::string NumeroAgrupado(std::int64_t valor)
{
    return FormatarMascara(static_cast<long double>(valor), "###,##0");
}
