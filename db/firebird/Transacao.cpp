#include "db/firebird/Transacao.h"

#include <algorithm>

#include "db/firebird/BancoDados.h"
#include "db/firebird/Cliente.h"
#include "db/firebird/Consulta.h"

namespace {

const char* const kPontoConfirmado = "CONFIRMADO";

unsigned char ItemTpb(const std::string& parametro)
{
    if (parametro == "read_committed")
        return isc_tpb_read_committed;
    if (parametro == "rec_version")
        return isc_tpb_rec_version;
    if (parametro == "nowait")
        return isc_tpb_nowait;
    if (parametro == "wait")
        return isc_tpb_wait;
    if (parametro == "write")
        return isc_tpb_write;
    if (parametro == "read")
        return isc_tpb_read;
    if (parametro == "concurrency")
        return isc_tpb_concurrency;
    throw ErroBanco("Parâmetro de transação desconhecido: " + parametro);
}

}  // namespace

Transacao::Transacao(std::string nome) : nome_(std::move(nome))
{
}

Transacao::~Transacao()
{
    if (banco_) {
        Abandonar();
        banco_->Desregistrar(this);
    }
    for (Consulta* c : consultas_)
        c->transacao_ = nullptr;
}

void Transacao::DefinirBanco(BancoDados* banco)
{
    if (banco_ == banco)
        return;
    if (banco_) {
        Abandonar();
        banco_->Desregistrar(this);
    }
    banco_ = banco;
    if (banco_)
        banco_->Registrar(this);
}

void Transacao::Iniciar()
{
    if (handle_)
        return;
    if (!banco_)
        throw ErroBanco("Transação " + nome_ + " sem banco de dados");
    std::string tpb(1, static_cast<char>(isc_tpb_version3));
    for (const std::string& p : Parametros)
        tpb += static_cast<char>(ItemTpb(p));
    Firebird::IAttachment* anexo = banco_->Anexo();
    handle_ = Dono<Firebird::ITransaction>(fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        return anexo->startTransaction(s, static_cast<unsigned>(tpb.size()),
                                       reinterpret_cast<const unsigned char*>(tpb.data()));
    }));
}

Firebird::ITransaction* Transacao::Handle()
{
    Iniciar();
    return handle_.get();
}

void Transacao::EncerrarComCommit()
{
    if (!handle_)
        return;
    if (simulando_) {
        MarcarPonto(kPontoConfirmado);
        confirmadaNaSimulacao_ = true;
        return;
    }
    fb::Chamar(
        [&](Firebird::ThrowStatusWrapper* s) { handle_.Encerrar([&](Firebird::ITransaction* t) { t->commit(s); }); });
}

// A simulation's transaction goes on after its commits, and so do the
// reads open on it.
void Transacao::Confirmar()
{
    EncerrarComCommit();
    if (simulando_)
        return;
    for (Consulta* c : std::vector<Consulta*>(consultas_))
        c->Fechar();
}

void Transacao::ConfirmarPorComando()
{
    EncerrarComCommit();
}

void Transacao::ConfirmarMantendo()
{
    if (!handle_)
        return;
    if (simulando_) {
        EncerrarComCommit();
        return;
    }
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) { handle_->commitRetaining(s); });
}

void Transacao::MarcarPonto(const std::string& ponto)
{
    ExecutarDireto("SAVEPOINT " + ponto);
}

void Transacao::LiberarPonto(const std::string& ponto)
{
    ExecutarDireto("RELEASE SAVEPOINT " + ponto + " ONLY");
}

void Transacao::VoltarAoPonto(const std::string& ponto)
{
    ExecutarDireto("ROLLBACK TO SAVEPOINT " + ponto);
    LiberarPonto(ponto);
}

void Transacao::ExecutarDireto(const std::string& sql)
{
    Firebird::ITransaction* transacao = Handle();
    Firebird::IAttachment* anexo = banco_->Anexo();
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        anexo->execute(s, transacao, static_cast<unsigned>(sql.size()), sql.c_str(), fb::kDialeto, nullptr, nullptr,
                       nullptr, nullptr);
    });
}

// A rollback that fails (the link is gone) forgets the transaction: the
// server never commits what it did not receive a commit for.
void Transacao::Desfazer() noexcept
{
    if (!handle_)
        return;
    if (simulando_ && confirmadaNaSimulacao_) {
        try {
            ExecutarDireto(std::string("ROLLBACK TO SAVEPOINT ") + kPontoConfirmado);
            return;
        } catch (const ErroBanco&) {
            // The mark went with a savepoint undone before it: everything goes.
        }
    }
    try {
        fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
            handle_.Encerrar([&](Firebird::ITransaction* t) { t->rollback(s); });
        });
    } catch (const ErroBanco&) {
        handle_ = Dono<Firebird::ITransaction>();
    }
}

void Transacao::Simular()
{
    simulando_ = true;
    confirmadaNaSimulacao_ = false;
}

void Transacao::EncerrarSimulacao() noexcept
{
    simulando_ = false;
    confirmadaNaSimulacao_ = false;
    Desfazer();
}

void Transacao::Abandonar() noexcept
{
    if (simulando_) {
        EncerrarSimulacao();
        return;
    }
    try {
        EncerrarComCommit();
    } catch (const ErroBanco&) {
        handle_ = Dono<Firebird::ITransaction>();
    }
}

void Transacao::Registrar(Consulta* c)
{
    consultas_.push_back(c);
}

void Transacao::Desregistrar(Consulta* c)
{
    consultas_.erase(std::remove(consultas_.begin(), consultas_.end(), c), consultas_.end());
}
