#pragma once
// The user and password the connection opens with: the suite's own, unless
// the Firebird client's convention (ISC_USER, ISC_PASSWORD) names others, as
// an installation whose administrator changed them does. The password is
// never printed nor logged.
#include <string>

struct Credenciais {
    std::string usuario;
    std::string senha;
};

Credenciais CredenciaisConexao();
