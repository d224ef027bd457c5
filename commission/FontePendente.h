#pragma once
// What the phases that work source by source share (invoices, receivables,
// settlements, movements): each source's writes as one unit of work, the
// walk over a pending selection, and the check for rows already paid.
#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commission/ContextoFase.h"
#include "commission/Fases.h"

class ComandoSql;
class Consulta;

// The writes of one source go through IBT_Gen inside a savepoint of their
// own: Confirmar keeps them and counts the source and its rows; a unit that
// ends without it (an error) goes back to its savepoint, so a source is never
// left half-written while the sources before it stay. Several sources share
// one commit: the transaction commits once it has held sources for a
// quarter of a second, so another program waits on their rows no longer
// than that, and at the end of each phase (ConfirmarGrupo). A unit may also
// hold a block of sources written together (phase 1).
class UnidadeFonte {
public:
    explicit UnidadeFonte(ContextoFase& contexto);
    ~UnidadeFonte();
    UnidadeFonte(const UnidadeFonte&) = delete;
    UnidadeFonte& operator=(const UnidadeFonte&) = delete;

    // Keeps the unit's writes as those of fontes sources; the rows written
    // count with the first.
    void Confirmar(int fontes = 1);

private:
    ContextoFase& contexto_;
    bool confirmada_ = false;
};

// How long the transaction holds sources before it commits them.
inline constexpr std::chrono::milliseconds kDuracaoGrupo{250};

// Commits the sources the transaction holds.
void ConfirmarGrupo(ContextoFase& contexto);

// Why a source whose work threw erro is left: its figures cannot be computed
// (an arithmetic or conversion error, the program's or the database's) or
// another program holds its rows. Nothing for any other error, which ends
// the run.
std::optional<std::string> MotivoParaDeixar(const std::exception& erro);

// Runs tratar as one unit. A source with a reason to be left (see
// MotivoParaDeixar) is rolled back and added to deixadas, named by fonte
// under grupo, and the caller goes on; any other error propagates after the
// rollback. True when the unit was committed.
bool ProcessarFonte(ContextoFase& contexto, std::vector<FonteDeixada>& deixadas, const std::string& grupo,
                    const std::function<std::string()>& fonte, const std::function<void()>& tratar);

// Opens the selection on pendentes to walk it, holding one row at a time (a
// company's backlog can be large); when it has rows, starts the gauge. Then, row by row, lets pending messages run,
// advances the gauge and processes the current row with ProcessarFonte; tratar returns true when it left the source
// alone because its commission is already paid.
ResultadoFontes PercorrerPendentes(ContextoFase& contexto, Consulta& pendentes, const std::string& sql,
                                   const std::string& grupo, const std::function<std::string()>& fonte,
                                   const std::function<bool()>& tratar);

// sqlContagem counts the source's rows that already belong to a commission
// payment, as "qtde".
bool ComissaoJaPaga(SessaoBanco& sessao, const ComandoSql& sqlContagem);
