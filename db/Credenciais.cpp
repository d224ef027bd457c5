#include "db/Credenciais.h"

#include <cstdlib>

namespace {

std::string VariavelOu(const char* nome, const char* padrao)
{
    const char* valor = std::getenv(nome);
    return valor != nullptr && *valor != '\0' ? valor : padrao;
}

}  // namespace

Credenciais CredenciaisConexao()
{
    return {VariavelOu("ISC_USER", "sysdba"), VariavelOu("ISC_PASSWORD", "qzvlatren")};
}
