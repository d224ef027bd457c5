#pragma once
// The statements a connection has prepared, by their text, so that a text
// run again (the next id, a row's insert, the same invoice's lookups) is not
// parsed and compiled again. The least recently used one is freed when the
// cache is full. Definition statements are never kept, and preparing one
// frees the others: their plans predate the change, and a prepared statement
// holds its tables, which the schema upkeep must not hold past its change.
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

#include "db/firebird/Cliente.h"
#include "db/firebird/Dono.h"

class ComandosPreparados {
public:
    explicit ComandosPreparados(std::size_t capacidade) : capacidade_(capacidade) {}
    ~ComandosPreparados() { Liberar(); }
    ComandosPreparados(const ComandosPreparados&) = delete;
    ComandosPreparados& operator=(const ComandosPreparados&) = delete;

    // The statement for sql (in the database's code page), prepared on first
    // use. A definition statement comes back owned by the caller (guarda),
    // any other stays owned by the cache.
    Firebird::IStatement* Obter(Firebird::ThrowStatusWrapper* s, Firebird::IAttachment* anexo,
                                Firebird::ITransaction* transacao, const std::string& sql,
                                Dono<Firebird::IStatement>& guarda);
    // Frees every statement; due before the connection goes.
    void Liberar() noexcept;

private:
    using Entrada = std::pair<std::string, Dono<Firebird::IStatement>>;

    std::size_t capacidade_;
    std::list<Entrada> usoRecente_;  // most recent first
    std::unordered_map<std::string, std::list<Entrada>::iterator> porTexto_;
};
