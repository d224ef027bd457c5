#include "db/firebird/Valor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "comum/Conversao.h"
#include "comum/Erros.h"

namespace {

template <class... F>
struct Visitante : F... {
    using F::operator()...;
};
// Deduction for aggregates is C++20, which clang implements only from version 17.
template <class... F>
Visitante(F...) -> Visitante<F...>;

long double ComoExtended(const Escalado& e)
{
    return static_cast<long double>(e.bruto) * std::pow(10.0L, e.escala);
}

long double TextoParaExtended(const std::string& texto)
{
    char* fim = nullptr;
    const long double v = std::strtold(texto.c_str(), &fim);
    if (texto.empty() || *fim != '\0')
        throw ErroConversao("'" + texto + "' is not a valid floating point value");
    return v;
}

std::string EscaladoParaTexto(const Escalado& e)
{
    if (e.escala >= 0) {
        std::string t = std::to_string(e.bruto);
        return e.bruto == 0 ? t : t + std::string(static_cast<std::size_t>(e.escala), '0');
    }
    const bool negativo = e.bruto < 0;
    std::string digitos = std::to_string(negativo ? -static_cast<unsigned long long>(e.bruto)
                                                  : static_cast<unsigned long long>(e.bruto));
    const auto casas = static_cast<std::size_t>(-e.escala);
    if (digitos.size() <= casas)
        digitos.insert(0, casas + 1 - digitos.size(), '0');
    std::string inteiro = digitos.substr(0, digitos.size() - casas);
    std::string fracao = digitos.substr(digitos.size() - casas);
    while (!fracao.empty() && fracao.back() == '0')
        fracao.pop_back();
    return (negativo ? "-" : "") + inteiro + (fracao.empty() ? "" : "." + fracao);
}

}  // namespace

std::int64_t Valor::Inteiro() const
{
    return std::visit(Visitante{
                          [](const std::monostate&) -> std::int64_t { return 0; },
                          [](const Escalado& e) -> std::int64_t {
                              return e.escala == 0 ? e.bruto
                                                   : static_cast<std::int64_t>(std::llroundl(ComoExtended(e)));
                          },
                          [](double d) -> std::int64_t { return std::llround(d); },
                          [](const std::string& t) { return LerInteiro(t); },
                          [](const DataHora& d) -> std::int64_t { return d.Milissegundos() / 86'400'000; },
                      },
                      v_);
}

Dinheiro Valor::ComoDinheiro() const
{
    return std::visit(Visitante{
                          [](const std::monostate&) { return Dinheiro(); },
                          [](const Escalado& e) { return Dinheiro::DeNumeric(e.bruto, e.escala); },
                          [](double d) { return Dinheiro::DeExtended(d); },
                          [](const std::string& t) { return Dinheiro::DeExtended(TextoParaExtended(t)); },
                          [](const DataHora&) -> Dinheiro { throw ErroConversao("data lida como valor"); },
                      },
                      v_);
}

double Valor::Real() const
{
    return std::visit(Visitante{
                          [](const std::monostate&) { return 0.0; },
                          [](const Escalado& e) { return static_cast<double>(ComoExtended(e)); },
                          [](double d) { return d; },
                          [](const std::string& t) { return static_cast<double>(TextoParaExtended(t)); },
                          [](const DataHora& d) { return static_cast<double>(d.Milissegundos()) / 86'400'000.0; },
                      },
                      v_);
}

DataHora Valor::Data() const
{
    return std::visit(Visitante{
                          [](const std::monostate&) { return DataHora(); },
                          [](const Escalado&) -> DataHora { throw ErroConversao("número lido como data"); },
                          [](double) -> DataHora { throw ErroConversao("número lido como data"); },
                          [](const std::string& t) { return DataHora::Ler(t); },
                          [](const DataHora& d) { return d; },
                      },
                      v_);
}

std::string Valor::Texto() const
{
    return std::visit(Visitante{
                          [](const std::monostate&) { return std::string(); },
                          [](const Escalado& e) { return EscaladoParaTexto(e); },
                          [](double d) {
                              char buf[64];
                              std::snprintf(buf, sizeof buf, "%.15g", d);
                              return std::string(buf);
                          },
                          [](const std::string& t) { return t; },
                          [](const DataHora& d) { return d.FormatoTela(); },
                      },
                      v_);
}
