#include "commission/AdiantamentoEstornado.h"

#include <algorithm>
#include <string>

#include "comum/ComandoSql.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kAdiantamentoEmPe =
    " select Sum(com.vl_comissao) as vl_adiantado from mov_comissao com where com.tp_registro = 1 and"
    " Coalesce(com.st_estorno_1, 'N') <> 'S' and com.id_nf_comercio = ";

const char* const kParteEstornada =
    " select mc.po_comissao_estornada from mov_nf_comercio mc where exists (select 1 from mov_acerto_comissao mac"
    " where mac.id_comissao_estornada = mc.id_nf_comercio and mac.id_vendedor = ";

}  // namespace

Dinheiro AdiantamentoEmPe(SessaoBanco& sessao, std::int64_t idNota, std::int64_t idVendedor)
{
    Consulta adiantado("qryAdiantamentoEmPe", sessao.Banco());
    sessao.AbrirConsulta(adiantado, kAdiantamentoEmPe + ParametroInteiro(idNota) +
                                        " and com.id_vendedor = " + ParametroInteiro(idVendedor));
    return adiantado.Campo("vl_adiantado").ComoDinheiro();
}

long double PercentualEstornadoLimitado(Dinheiro percentual)
{
    return std::clamp(percentual.Extended(), 0.0L, 100.0L);
}

std::optional<long double> ParteEstornada(SessaoBanco& sessao, std::int64_t idNota, std::int64_t idVendedor)
{
    Consulta nota("qryParteEstornada", sessao.Banco());
    sessao.AbrirConsulta(
        nota, kParteEstornada + ParametroInteiro(idVendedor) + ") and mc.id_nf_comercio = " + ParametroInteiro(idNota));
    if (nota.QuantidadeRegistros() == 0)
        return std::nullopt;
    return PercentualEstornadoLimitado(nota.Campo("po_comissao_estornada").ComoDinheiro()) / 100;
}

Dinheiro ParteReversivel(SessaoBanco& sessao, const std::string& tpRegistro, std::int64_t idNota,
                         std::int64_t idVendedor, Dinheiro valor)
{
    if (tpRegistro != "1")
        return valor;
    const std::optional<long double> estornada = ParteEstornada(sessao, idNota, idVendedor);
    if (!estornada)
        return valor;
    return Dinheiro::DeExtended(valor.Extended() * (1 - *estornada));
}
