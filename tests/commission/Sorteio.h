#pragma once
// Deterministic draws for the tests over generated invoices, and money as
// the SQL text the invoice helpers take.
#include <cstdint>
#include <random>
#include <string>

class Sorteio {
public:
    explicit Sorteio(std::uint32_t semente) : gerador_(semente) {}

    // A whole number from de to ate, both included; ate must not be below de.
    std::int64_t Entre(std::int64_t de, std::int64_t ate);
    bool CaraOuCoroa() { return Entre(0, 1) == 1; }

private:
    std::mt19937 gerador_;
};

// "12.34" from 1234 cents, "-0.05" from -5.
std::string Reais(std::int64_t centavos);
