#pragma once
// An explanation laid out for a person (Portuguese, aligned figures with
// the value before every rounding) or for a program (JSON, numbers with a
// decimal point).
#include <string>
#include <vector>

#include "app/ExplicacaoFonte.h"

std::string TextoExplicacoes(const std::vector<Explicacao>& explicacoes);
std::string JsonExplicacoes(const std::vector<Explicacao>& explicacoes);
