#pragma once
// A database connection object. It may be closed: a statement that needs it
// opens it (a failed open is retried by the next statement). Closing commits
// every active transaction on it, their default action, and never leaves an
// attachment behind, even when the link to the server is broken.
#include <string>
#include <vector>

#include "db/firebird/ComandosPreparados.h"
#include "db/firebird/Dono.h"

class Transacao;
class Consulta;

class BancoDados {
public:
    explicit BancoDados(std::string nome);
    ~BancoDados();
    BancoDados(const BancoDados&) = delete;
    BancoDados& operator=(const BancoDados&) = delete;

    const std::string& Nome() const { return nome_; }

    std::vector<std::string> Parametros;  // "user_name=...", "password=..."
    std::string NomeBanco;                // location, UTF-8: a bare path or host:path
    bool PedirLogin = false;

    void DefinirTransacaoPadrao(Transacao* transacao) { transacaoPadrao_ = transacao; }
    Transacao* TransacaoPadrao() const { return transacaoPadrao_; }

    void Abrir();
    void Fechar() noexcept;
    bool Conectado() const { return static_cast<bool>(anexo_); }
    Firebird::IAttachment* Anexo();  // opens the connection when it is closed
    // The connection's prepared statement for sql (see ComandosPreparados).
    Firebird::IStatement* Preparado(Firebird::ThrowStatusWrapper* s, Firebird::ITransaction* transacao,
                                    const std::string& sql, Dono<Firebird::IStatement>& guarda);

private:
    friend class Transacao;
    friend class Consulta;
    void Registrar(Transacao* t);
    void Desregistrar(Transacao* t);
    void Registrar(Consulta* c);
    void Desregistrar(Consulta* c);

    std::string nome_;
    Transacao* transacaoPadrao_ = nullptr;
    Dono<Firebird::IAttachment> anexo_;
    ComandosPreparados comandos_{128};
    std::vector<Transacao*> transacoes_;
    std::vector<Consulta*> consultas_;
};
