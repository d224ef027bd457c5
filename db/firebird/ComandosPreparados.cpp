#include "db/firebird/ComandosPreparados.h"

namespace {

// A statement that cannot be freed (a broken link) is only released: the
// server has dropped it with the link.
void Libertar(Dono<Firebird::IStatement>& comando) noexcept
{
    try {
        fb::Chamar(
            [&](Firebird::ThrowStatusWrapper* s) { comando.Encerrar([&](Firebird::IStatement* c) { c->free(s); }); });
    } catch (const ErroBanco&) {
        comando = Dono<Firebird::IStatement>();
    }
}

}  // namespace

Firebird::IStatement* ComandosPreparados::Obter(Firebird::ThrowStatusWrapper* s, Firebird::IAttachment* anexo,
                                                Firebird::ITransaction* transacao, const std::string& sql,
                                                Dono<Firebird::IStatement>& guarda)
{
    if (const auto it = porTexto_.find(sql); it != porTexto_.end()) {
        usoRecente_.splice(usoRecente_.begin(), usoRecente_, it->second);
        return it->second->second.get();
    }
    Dono<Firebird::IStatement> comando(
        anexo->prepare(s, transacao, 0, sql.c_str(), fb::kDialeto, Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    if (comando->getType(s) == isc_info_sql_stmt_ddl) {
        // The kept plans were made for the schema this statement changes: a
        // new index must serve the next id's query from now on.
        Liberar();
        guarda = std::move(comando);
        return guarda.get();
    }
    if (usoRecente_.size() >= capacidade_) {
        Libertar(usoRecente_.back().second);
        porTexto_.erase(usoRecente_.back().first);
        usoRecente_.pop_back();
    }
    usoRecente_.emplace_front(sql, std::move(comando));
    porTexto_.emplace(sql, usoRecente_.begin());
    return usoRecente_.front().second.get();
}

void ComandosPreparados::Liberar() noexcept
{
    for (Entrada& entrada : usoRecente_)
        Libertar(entrada.second);
    usoRecente_.clear();
    porTexto_.clear();
}
