#include "db/firebird/Cliente.h"

#include <clocale>
#include <string>
#include <string_view>

#include <langinfo.h>

namespace fb {

namespace {

constexpr std::int64_t kMsPorDia = 86'400'000;
constexpr std::int64_t kDiasAteDiaZero = 15'018;

// The library reaches database files through the character set of the
// locale in force at its first connection, once for the whole process. The
// location is UTF-8 like every text of the program, so a start without a
// UTF-8 locale (a scheduled task, a service) would never find a folder
// named "Comissões".
Firebird::IMaster* IniciarCliente()
{
    if (std::string_view(::nl_langinfo(CODESET)) != "UTF-8")
        std::setlocale(LC_CTYPE, "C.UTF-8");
    return Firebird::fb_get_master_interface();
}

}  // namespace

Firebird::IMaster* Mestre()
{
    static Firebird::IMaster* mestre = IniciarCliente();
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

DataHora DeDataFirebird(ISC_DATE dias, ISC_TIME decimosDeMilissegundo)
{
    return DataHora::DeMilissegundos((static_cast<std::int64_t>(dias) - kDiasAteDiaZero) * kMsPorDia +
                                     decimosDeMilissegundo / 10);
}

ISC_TIMESTAMP ParaTimestampFirebird(const DataHora& data)
{
    const std::int64_t ms = data.Milissegundos();
    const std::int64_t dia = ms >= 0 ? ms / kMsPorDia : -((-ms + kMsPorDia - 1) / kMsPorDia);
    ISC_TIMESTAMP ts;
    ts.timestamp_date = static_cast<ISC_DATE>(dia + kDiasAteDiaZero);
    ts.timestamp_time = static_cast<ISC_TIME>((ms - dia * kMsPorDia) * 10);
    return ts;
}

}  // namespace fb
