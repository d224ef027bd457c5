#include "db/firebird/Cliente.h"

#include <algorithm>
#include <clocale>
#include <set>
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

TipoErroBanco ClassificarStatus(const ISC_STATUS* erros)
{
    static const std::set<ISC_STATUS> conexao = {
        isc_network_error, isc_net_read_err, isc_net_write_err, isc_conn_lost,       isc_lost_db_connection,
        isc_att_shutdown,  isc_shutdown,     isc_bad_db_handle, isc_unprepared_stmt, isc_io_error,
    };
    static const std::set<ISC_STATUS> ocupado = {isc_lock_conflict, isc_update_conflict, isc_deadlock,
                                                 isc_lock_timeout};
    static const std::set<ISC_STATUS> aritmetico = {
        isc_arith_except,
        isc_convert_error,
        isc_exception_integer_divide_by_zero,
        isc_exception_float_divide_by_zero,
        isc_exception_integer_overflow,
        isc_exception_float_overflow,
        isc_numeric_out_of_range,
        isc_string_truncation,
        isc_malformed_string,
        isc_transliteration_failed,
        isc_date_range_exceeded,
        isc_datetime_range_exceeded,
        isc_expression_eval_err,
    };
    std::set<ISC_STATUS> codigos;
    for (const ISC_STATUS* arg = erros; arg != nullptr && *arg != isc_arg_end;) {
        if (*arg == isc_arg_gds)
            codigos.insert(arg[1]);
        arg += *arg == isc_arg_cstring ? 3 : 2;
    }
    const auto algum = [&codigos](const std::set<ISC_STATUS>& tipo) {
        return std::any_of(codigos.begin(), codigos.end(), [&tipo](ISC_STATUS c) { return tipo.count(c) > 0; });
    };
    if (algum(conexao))
        return TipoErroBanco::Conexao;
    if (algum(ocupado))
        return TipoErroBanco::Ocupado;
    if (algum(aritmetico))
        return TipoErroBanco::Aritmetico;
    return TipoErroBanco::Outro;
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
