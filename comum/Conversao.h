#pragma once
// Text to integer as the operator's fields and the database's texts need it:
// leading blanks allowed, anything else that is not digits (with an optional
// sign) throws ErroConversao with the text the operator will read.
#include <cstdint>
#include <string>

std::int64_t LerInteiro(const std::string& texto);
