#pragma once
// The phases of the recalculation run, in the order the run calls them. Each
// works on the run's session and reports what the run needs back; database
// errors and zero divisors propagate.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "commission/ContextoFase.h"
#include "commission/ResumoRodada.h"

// The warnings' openings for each kind of source.
extern const char* const kGrupoNotasVenda;
extern const char* const kGrupoDuplicatas;
extern const char* const kGrupoAcertos;
extern const char* const kGrupoEstornos;
extern const char* const kGrupoCanhotos;

// How the phases that rebuild pending sources (invoices, receivables,
// settlements) ended.
struct ResultadoFontes {
    bool encontrou = false;       // the selection had rows
    bool comissaoJaPaga = false;  // some source was left alone: its commission is already paid
    std::vector<FonteDeixada> deixadas;
};

struct ResultadoFase1 {
    std::vector<FonteDeixada> deixadas;
    std::set<std::int64_t> notasDeixadas;  // ids of the invoices it left
};

// Phase 1 goes on from the gauge's current position.
ResultadoFase1 ExecutarFase1(ContextoFase& contexto, int posicaoGauge);
std::vector<FonteDeixada> ExecutarFases2a4(ContextoFase& contexto);
// Phases 5 and 6 leave alone the invoices phase 1 left in the same run, and
// their receivables: their figures were not refreshed, so they stay pending.
ResultadoFontes ExecutarFase5(ContextoFase& contexto, const std::set<std::int64_t>& notasDeixadas);
// Phase 5's consistency check: the invoice's products or financial total
// differ from the sums of its items or receivables.
bool VerificarDocumento(SessaoBanco& sessao, std::int64_t idNota);
ResultadoFontes ExecutarFase6(ContextoFase& contexto, const std::set<std::int64_t>& notasDeixadas);
ResultadoFontes ExecutarFase7(ContextoFase& contexto);
std::vector<FonteDeixada> ExecutarFases8e9(ContextoFase& contexto);
