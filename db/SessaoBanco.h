#pragma once
// The database objects of one run and the query operations every phase
// shares. The connection and its default transaction exist only between
// Conectar and Desconectar; the named query and insert objects live as long
// as the session and are bound to each new connection.
#include <cstdint>
#include <memory>
#include <string>

#include "comum/ComandoSql.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/DatasetInsercao.h"
#include "db/firebird/Transacao.h"

class SessaoBanco {
public:
    SessaoBanco();
    // Releasing the connection commits whatever is still open on it.
    ~SessaoBanco();
    SessaoBanco(const SessaoBanco&) = delete;
    SessaoBanco& operator=(const SessaoBanco&) = delete;

    // New connection and default transaction for the location, with the
    // suite's user (or ISC_USER and ISC_PASSWORD) and every named object
    // bound to them; nothing is opened.
    // The objects that write a source's rows and flags, and ProximoId's
    // query, work on IBT_Gen, so one commit takes a source's writes together.
    void Preparar(const std::string& local);
    // Releases the connection; what is still open on it is committed.
    void Desconectar();
    // After a failed run: IBT_Gen holds only whole sources (a failed one has
    // gone back to its savepoint, a failed statement changed nothing), so it
    // is committed; whatever else is open is rolled back, and so is IBT_Gen
    // when its commit fails too (the link is gone).
    void ConfirmarConcluido() noexcept;
    // A run that changes nothing: every object works on IBT_Gen, whose
    // commits become savepoints, so the run's reads see what it wrote; the
    // end, or the connection's, rolls it all back.
    void IniciarSimulacao();
    void EncerrarSimulacao() noexcept;

    std::unique_ptr<BancoDados> IBD_BancoDados;
    std::unique_ptr<Transacao> IBT_BancoDados;
    Transacao IBT_Gen{"IBT_Gen"};
    Consulta IBQ_Gen{"IBQ_Gen"};
    Consulta IBQ_Atualiza{"IBQ_Atualiza"};
    Consulta IBQ_Login{"IBQ_Login"};
    Consulta IBQ_Comercio{"IBQ_Comercio"};
    Consulta IBQ_Pesquisa{"IBQ_Pesquisa"};
    Consulta IBQ_Financeiro{"IBQ_Financeiro"};
    Consulta IBQ_AcertoComissao{"IBQ_AcertoComissao"};
    const ObjetoAtualizacao IBU_MovComissao;
    DatasetInsercao IBQ_MovComissao;
    const ObjetoAtualizacao IBD_AcertoComissaoAtualizacao;
    DatasetInsercao IBD_AcertoComissao;

    // The first three always run on IBT_Gen and leave the query bound to it
    // from then on.
    void AbrirConsulta(Consulta& consulta, const ComandoSql& sql);
    void ExecutarComando(Consulta& consulta, const ComandoSql& sql, bool commitRetaining);
    void ExecutarComandoCommit(Consulta& consulta, const ComandoSql& sql, bool commit);
    std::int64_t ProximoId(const std::string& tabela, const std::string& coluna);
    std::string LerParametro(const std::string& coluna);

    // The connection, which must have been prepared.
    BancoDados* Banco() const { return IBD_BancoDados.get(); }

private:
    void PassarParaGen(Consulta& consulta);
};

// A simulation for the length of a scope: what the session does in it is
// rolled back when the scope ends, however it ends, or at Encerrar.
class SimulacaoBanco {
public:
    explicit SimulacaoBanco(SessaoBanco& sessao) : sessao_(sessao) { sessao_.IniciarSimulacao(); }
    ~SimulacaoBanco() { Encerrar(); }
    SimulacaoBanco(const SimulacaoBanco&) = delete;
    SimulacaoBanco& operator=(const SimulacaoBanco&) = delete;

    void Encerrar() noexcept
    {
        if (ativa_)
            sessao_.EncerrarSimulacao();
        ativa_ = false;
    }

private:
    SessaoBanco& sessao_;
    bool ativa_ = true;
};
