#pragma once
// A source's commission rows (an invoice's type "1", a receivable's type "2")
// are deleted and rebuilt together. A reversal of an undelivered receipt that
// stands on a replaced row stays standing instead of being taken a second
// time: the seller's new row takes over the replaced row's blocked and
// reversed flags, so phase 3 leaves it alone and phase 4 pays it back once.
// Database errors propagate, and so does a settlement's ErroConversao.
#include <cstdint>
#include <string>
#include <vector>

#include "commission/AcertoCanhoto.h"
#include "commission/ContextoFase.h"
#include "comum/ComandoSql.h"

class EstornosDaFonte {
public:
    // Reads the source's rows; to be taken before they are deleted.
    EstornosDaFonte(SessaoBanco& sessao, const std::string& tipoRegistro, const std::string& coluna,
                    std::int64_t idFonte);

    // After the rebuild: the k-th new row of a seller takes over his k-th
    // replaced row. Phase 4 pays back a row's reversible part, so a standing
    // reversal is brought to the new amount at once by a settlement of the
    // difference; a replaced reversed row that no new row takes over is paid
    // back now. The seller's rows less reversals plus paybacks then come to
    // what the rebuilt rows alone would give.
    void PassarAosNovos(ContextoFase& contexto) const;

private:
    std::vector<MovimentoCanhoto> Ler(SessaoBanco& sessao) const;

    ComandoSql condicao_;
    std::int64_t idNota_;  // an invoice's rows are its advances
    std::vector<MovimentoCanhoto> substituidos_;
};
