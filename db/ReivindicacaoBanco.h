#pragma once
// A run's claim on its database, so that two monitors pointed at the same
// database (two installations, a workstation and a server) never run
// together: the parameter rows locked, without waiting, in a transaction of
// its own on the run's connection. The claim locks nothing the run writes
// until its closing statements, which update the parameter rows: it is given
// up before them. Errors other than a held claim propagate.
#include "db/firebird/Consulta.h"
#include "db/firebird/Transacao.h"

class BancoDados;

class ReivindicacaoBanco {
public:
    explicit ReivindicacaoBanco(BancoDados& banco);
    // Gives the claim up if it is still held.
    ~ReivindicacaoBanco();
    ReivindicacaoBanco(const ReivindicacaoBanco&) = delete;
    ReivindicacaoBanco& operator=(const ReivindicacaoBanco&) = delete;

    // False when another connection holds the claim.
    bool Tomar();
    void Liberar() noexcept;

private:
    Transacao transacao_{"IBT_Reivindicacao"};
    Consulta parametros_{"qryReivindicacao"};
};
