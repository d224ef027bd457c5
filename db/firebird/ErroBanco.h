#pragma once
// A database error: what() is the client library's full message text, which
// the operator reads; Tipo() is what the error means for the run, taken from
// the status codes, since the text may come translated.
#include <stdexcept>
#include <string>

enum class TipoErroBanco {
    Outro,       // ends the run
    Aritmetico,  // a source's own values: division by zero, overflow, conversion
    Ocupado,     // a source's rows are held by another transaction
    Conexao,     // the connection or the database can no longer be used
};

class ErroBanco : public std::runtime_error {
public:
    explicit ErroBanco(const std::string& texto, TipoErroBanco tipo = TipoErroBanco::Outro)
        : std::runtime_error(texto), tipo_(tipo)
    {
    }

    TipoErroBanco Tipo() const noexcept { return tipo_; }

private:
    TipoErroBanco tipo_;
};

// True for an ErroBanco that says the connection is gone.
inline bool ErroDeConexao(const std::exception& erro)
{
    const auto* banco = dynamic_cast<const ErroBanco*>(&erro);
    return banco != nullptr && banco->Tipo() == TipoErroBanco::Conexao;
}
