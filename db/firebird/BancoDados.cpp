#include "db/firebird/BancoDados.h"

#include <algorithm>

#include "db/firebird/Cliente.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/Transacao.h"

namespace {

// "name=value" lines become the connection's parameter block; only the two
// the suite uses are known.
void AdicionarParametro(Firebird::IXpbBuilder* dpb, Firebird::ThrowStatusWrapper* s, const std::string& linha)
{
    const auto igual = linha.find('=');
    const std::string chave = linha.substr(0, igual);
    const std::string valor = igual == std::string::npos ? std::string() : linha.substr(igual + 1);
    if (chave == "user_name")
        dpb->insertString(s, isc_dpb_user_name, valor.c_str());
    else if (chave == "password")
        dpb->insertString(s, isc_dpb_password, valor.c_str());
    else
        throw ErroBanco("Parâmetro de conexão desconhecido: " + linha);
}

template <class T>
void Remover(std::vector<T*>& lista, T* item)
{
    lista.erase(std::remove(lista.begin(), lista.end(), item), lista.end());
}

}  // namespace

BancoDados::BancoDados(std::string nome) : nome_(std::move(nome))
{
}

BancoDados::~BancoDados()
{
    Fechar();
    for (Transacao* t : transacoes_)
        t->banco_ = nullptr;
    for (Consulta* c : consultas_)
        c->banco_ = nullptr;
}

void BancoDados::Abrir()
{
    if (anexo_)
        return;
    anexo_ = Dono<Firebird::IAttachment>(fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        Dono<Firebird::IXpbBuilder> dpb(fb::Util()->getXpbBuilder(s, Firebird::IXpbBuilder::DPB, nullptr, 0));
        for (const std::string& linha : Parametros)
            AdicionarParametro(dpb.get(), s, linha);
        // The location is the program's own UTF-8 text, not data of the
        // suite's code page: the library hands it on to the file system (or
        // to the server) from UTF-8.
        dpb->insertTag(s, isc_dpb_utf8_filename);
        Dono<Firebird::IProvider> provedor(fb::Mestre()->getDispatcher());
        return provedor->attachDatabase(s, NomeBanco.c_str(), dpb->getBufferLength(s), dpb->getBuffer(s));
    }));
}

// Errors are swallowed here on purpose: the caller must go on, and with a
// broken link the server has already discarded what was not committed.
void BancoDados::Fechar() noexcept
{
    if (!anexo_)
        return;
    for (Transacao* t : transacoes_)
        t->Abandonar();
    for (Consulta* c : consultas_)
        c->SoltarCursor();
    comandos_.Liberar();
    try {
        fb::Chamar(
            [&](Firebird::ThrowStatusWrapper* s) { anexo_.Encerrar([&](Firebird::IAttachment* a) { a->detach(s); }); });
    } catch (const ErroBanco&) {
        anexo_ = Dono<Firebird::IAttachment>();
    }
}

Firebird::IAttachment* BancoDados::Anexo()
{
    Abrir();
    return anexo_.get();
}

Firebird::IStatement* BancoDados::Preparado(Firebird::ThrowStatusWrapper* s, Firebird::ITransaction* transacao,
                                            const std::string& sql, Dono<Firebird::IStatement>& guarda)
{
    return comandos_.Obter(s, Anexo(), transacao, sql, guarda);
}

void BancoDados::Registrar(Transacao* t)
{
    transacoes_.push_back(t);
}

void BancoDados::Desregistrar(Transacao* t)
{
    Remover(transacoes_, t);
}

void BancoDados::Registrar(Consulta* c)
{
    consultas_.push_back(c);
}

void BancoDados::Desregistrar(Consulta* c)
{
    Remover(consultas_, c);
}
