#pragma once
// The commission engine's rounding helpers and the number masks under the
// Brazilian separators (decimal comma, thousands point), independent of the
// machine's locale.
#include <string>

// x cut to n+1 decimals on its 64-bit float, then rounded on the last one
// (5 and above away from zero); negatives round by magnitude.
double Arredondar(double valor, int casas);
// x + 1e-11 cut toward zero to n decimals.
double Truncar(double valor, int casas);
// "," becomes ".", "." is dropped, every other character kept.
std::string TrocarVirgulaPorPonto(const std::string& texto);
// Masks "##0.00", "###,##0.0000", "###,##0": Brazilian separators, halves
// away from zero on the extended value, leading "-" for negatives.
std::string FormatarMascara(long double valor, const std::string& mascara);
