#pragma once
// Small text rules shared by the program: the letter case of names, which
// are ASCII (program, section and key names), and the trim of blanks and
// control characters at both ends of a text.
#include <string>

std::string Minusculas(std::string texto);      // A-Z only; every other byte unchanged
std::string Maiusculas(std::string texto);      // a-z only; every other byte unchanged
std::string Aparado(const std::string& texto);  // without bytes up to ' ' at either end
