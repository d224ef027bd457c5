#pragma once
// A transaction object: read committed, record version, no wait. It starts by
// itself with the first statement that needs it. Commit ends it and closes the
// query objects open on it; the statement " commit" ends it but leaves their
// fetched rows readable; commit-retaining keeps it and them. Rollback ends it
// and, like the statement, leaves the fetched rows readable.
#include <string>
#include <vector>

#include "db/firebird/Dono.h"

namespace Firebird {
class ITransaction;
}
class BancoDados;
class Consulta;

class Transacao {
public:
    explicit Transacao(std::string nome);
    ~Transacao();
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;

    const std::string& Nome() const { return nome_; }

    std::vector<std::string> Parametros;  // "read_committed", "rec_version", "nowait"

    void DefinirBanco(BancoDados* banco);
    BancoDados* Banco() const { return banco_; }

    bool Ativa() const { return static_cast<bool>(handle_); }
    void Iniciar();
    void Confirmar();            // commit: ends it, closes its query objects
    void ConfirmarPorComando();  // the statement " commit": ends it, rows stay
    void ConfirmarMantendo();    // commit retaining
    void Desfazer() noexcept;    // rollback: ends it, the fetched rows stay

    // Savepoints let one transaction hold several units of work, each undone
    // or kept on its own before the transaction commits them together.
    void MarcarPonto(const std::string& ponto);    // starts the transaction when it is not active
    void LiberarPonto(const std::string& ponto);   // keeps what was done since the mark
    void VoltarAoPonto(const std::string& ponto);  // undoes it and releases the mark
    Firebird::ITransaction* Handle();              // starts it when it is not active

    // A simulation: from here on every commit only marks a savepoint, a
    // rollback goes back to the last such mark, and the connection's end
    // rolls back; EncerrarSimulacao undoes everything done since Simular.
    void Simular();
    void EncerrarSimulacao() noexcept;
    bool Simulando() const { return simulando_; }

private:
    friend class BancoDados;
    friend class Consulta;
    void EncerrarComCommit();
    void ExecutarDireto(const std::string& sql);  // a statement of the transaction itself, no query object
    void Abandonar() noexcept;                    // the connection is going: commit if possible, release
    void Registrar(Consulta* c);
    void Desregistrar(Consulta* c);

    std::string nome_;
    BancoDados* banco_ = nullptr;
    Dono<Firebird::ITransaction> handle_;
    std::vector<Consulta*> consultas_;
    bool simulando_ = false;
    bool confirmadaNaSimulacao_ = false;  // a commit of the simulation has marked its savepoint
};
