#include "tests/commission/Sorteio.h"

std::int64_t Sorteio::Entre(std::int64_t de, std::int64_t ate)
{
    return de + static_cast<std::int64_t>(gerador_() % static_cast<std::uint64_t>(ate - de + 1));
}

std::string Reais(std::int64_t centavos)
{
    const std::int64_t absoluto = centavos < 0 ? -centavos : centavos;
    const std::string fracao = std::to_string(absoluto % 100);
    return (centavos < 0 ? "-" : "") + std::to_string(absoluto / 100) + "." + (fracao.size() < 2 ? "0" : "") + fracao;
}
