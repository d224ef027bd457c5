#include "db/firebird/Cliente.h"

#include <string>

namespace fb {

Firebird::IMaster* Mestre()
{
    static Firebird::IMaster* mestre = Firebird::fb_get_master_interface();
    return mestre;
}

Firebird::IUtil* Util()
{
    return Mestre()->getUtilInterface();
}

std::string TextoDoStatus(Firebird::IStatus* status)
{
    char texto[4096];
    Util()->formatStatus(texto, sizeof texto, status);
    return texto;
}

}  // namespace fb
