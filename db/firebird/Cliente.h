#pragma once
// The one entry to the Firebird client library: the master interface, a
// status wrapper that throws, and the translation of its exceptions into
// ErroBanco with the library's full message text.
#include <firebird/Interface.h>

#include <utility>

#include "comum/DataHora.h"
#include "db/firebird/ErroBanco.h"

namespace fb {

inline constexpr unsigned kDialeto = 3;

// Firebird counts days from 17 November 1858 and time in ten-thousandths of
// a second; the program counts milliseconds from 30 December 1899.
DataHora DeDataFirebird(ISC_DATE dias, ISC_TIME decimosDeMilissegundo);
ISC_TIMESTAMP ParaTimestampFirebird(const DataHora& data);

Firebird::IMaster* Mestre();
Firebird::IUtil* Util();

// Text of a status vector, as the client library formats it.
std::string TextoDoStatus(Firebird::IStatus* status);

// What the status vector's codes mean for the run.
TipoErroBanco ClassificarStatus(const ISC_STATUS* erros);

// Runs a call that takes a throwing status wrapper; a Firebird error becomes ErroBanco.
template <class Chamada>
decltype(auto) Chamar(Chamada&& chamada)
{
    Firebird::ThrowStatusWrapper status(Mestre()->getStatus());
    try {
        struct Descarte {
            Firebird::ThrowStatusWrapper& s;
            ~Descarte() { s.dispose(); }
        } descarte{status};
        return std::forward<Chamada>(chamada)(&status);
    } catch (const Firebird::FbException& e) {
        throw ErroBanco(TextoDoStatus(e.getStatus()), ClassificarStatus(e.getStatus()->getErrors()));
    }
}

}  // namespace fb
