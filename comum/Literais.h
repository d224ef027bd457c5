#pragma once
// The only way values enter statement text: integers as plain digits,
// texts and flags quoted with inner quotes doubled, numbers with a decimal
// point and no grouping, dates as 'dd.mm.yyyy'.
#include <cstdint>
#include <string>

class DataHora;
class Dinheiro;

std::string LiteralInteiro(std::int64_t valor);            // 1234, -3
std::string LiteralTexto(const std::string& texto);        // 'S', 'D''Ávila'
std::string LiteralDuasCasas(long double valor);           // "##0.00", "," -> ".": 1234.50
std::string LiteralDuasCasasSemPontos(long double valor);  // "##0.00" + TrocarVirgulaPorPonto
std::string LiteralQuatroCasas(long double valor);         // "###,##0.0000" + TrocarVirgulaPorPonto
std::string LiteralData(const DataHora& data);             // '02.08.2012'
std::string LiteralDataHora(const DataHora& data);         // '25.12.2012 14:05:09'
std::string NumeroAgrupado(std::int64_t valor);            // "###,##0": 12.345
