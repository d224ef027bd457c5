#pragma once
// What one recalculation run did, as plain values: the run fills it in as it
// goes, and the run log and the console's end-of-run summary read it.
// Texts are UTF-8, as the operator saw them.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

enum class ModoRodada { Residente, Manual, Simulacao };
enum class DesfechoRodada { Ok, Falha, Interrompida };

struct ResumoFase {
    int numero = 0;        // 1 to 9, as in "Fase 5/9"
    long long fontes = 0;  // invoices, receivables or settlements done
    long long linhas = 0;  // rows written
    double segundos = 0;
};

// A source the run left as it was because its figures could not be computed
// (a zero divisor, an overflow).
struct FonteDeixada {
    std::string fonte;   // "NF 123"
    std::string motivo;  // "base de comissão zero"
    std::string grupo;   // the opening of the warning that lists its kind
    bool operator==(const FonteDeixada&) const = default;
};

struct ResumoRodada {
    std::chrono::system_clock::time_point inicio;
    std::chrono::system_clock::time_point fim;
    ModoRodada modo = ModoRodada::Residente;
    std::string banco;                // the database location the run connected to
    std::vector<ResumoFase> fases;    // in the order they ran
    std::vector<std::string> avisos;  // the warnings shown, their exact texts
    std::vector<FonteDeixada> deixadas;
    std::optional<std::string> falha;  // the error text when the run failed
    DesfechoRodada desfecho = DesfechoRodada::Ok;
};
