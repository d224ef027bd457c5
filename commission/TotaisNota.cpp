#include "commission/TotaisNota.h"

#include <initializer_list>
#include <string>

#include "comum/ComandoSql.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kTotaisNota = " select mc.VL_DESCONTO, mc.VL_SERVICO from mov_nf_comercio mc where id_nf_comercio = ";

// A unit price that includes freight loses it unless freight counts toward
// the base; a NULL parameter compares as not true and leaves it in.
const char* const kTotaisItens =
    " select Sum ((mci.qt_produto * (mci.vl_unitario - (case mci.st_frete_incluso when 'S' then case when"
    " tp.st_comissao_frete_despesa <> 'S' then mci.vl_frete_unit else 0 end else 0 end)))) as Base_Comissao,"
    " SUM(mci.vl_outras_ajustado) as vl_outras_ajustado, SUM(mci.vl_frete_ajustado) as vl_frete_ajustado,"
    " SUM(mci.vl_seguro_ajustado) as vl_seguro_ajustado, SUM(mci.vl_ipi) as vl_ipi, SUM(mci.vl_icms_subst) as"
    " vl_icms_subst from mov_nf_comercio_item mci inner join tab_parametro tp on (tp.id_parametro = 1) where"
    " id_nf_comercio = ";

// Items whose product is not registered reduce nothing.
const char* const kReducaoComissao =
    " select Sum(mci.qt_produto * mci.vl_unit_reducao_comissao) as vl_reducao_comissao from mov_nf_comercio mc"
    " inner join mov_nf_comercio_item mci on (mc.id_nf_comercio = mci.id_nf_comercio) inner join cad_produto cp"
    " on (cp.id_produto = mci.id_produto) where mci.id_nf_comercio = ";

Dinheiro Soma(const Consulta& consulta, std::initializer_list<const char*> colunas)
{
    Dinheiro soma;
    for (const char* coluna : colunas)
        soma += consulta.Campo(coluna).ComoDinheiro();
    return soma;
}

}  // namespace

Dinheiro CalcularComissaoItens(SessaoBanco& sessao, std::int64_t idNota, ObservadorCalculo& observador)
{
    const ComandoSql id = ParametroInteiro(idNota);
    Consulta totais("qryComissaoItens", sessao.Banco());
    sessao.AbrirConsulta(totais, kTotaisNota + id);
    const Dinheiro servicosMenosDesconto = totais.Campo("VL_SERVICO").ComoDinheiro() -
                                           totais.Campo("VL_DESCONTO").ComoDinheiro();

    sessao.AbrirConsulta(totais, kTotaisItens + id);
    Figura(observador, "base dos itens",
           "Σ quantidade × (unitário − frete unitário incluso, quando o frete não conta para a base)",
           totais.Campo("Base_Comissao").ComoDinheiro());
    Figura(observador, "serviços menos desconto", "VL_SERVICO − VL_DESCONTO da NF", servicosMenosDesconto);
    Dinheiro base = totais.Campo("Base_Comissao").ComoDinheiro() + servicosMenosDesconto;
    if (sessao.LerParametro("ST_COMISSAO_FRETE_DESPESA") == "S") {
        const Dinheiro despesas = Soma(totais, {"vl_outras_ajustado", "vl_frete_ajustado", "vl_seguro_ajustado"});
        Figura(observador, "frete, seguro e outras despesas", "ST_COMISSAO_FRETE_DESPESA = S", despesas);
        base += despesas;
    }
    if (sessao.LerParametro("ST_COMISSAO_IPI_ICMSST") == "S") {
        const Dinheiro impostos = Soma(totais, {"vl_ipi", "vl_icms_subst"});
        Figura(observador, "IPI e ICMS-ST", "ST_COMISSAO_IPI_ICMSST = S", impostos);
        base += impostos;
    }
    return base;
}

Dinheiro CalcularReducaoComissao(SessaoBanco& sessao, std::int64_t idNota)
{
    Consulta reducao("qryReducaoComissao", sessao.Banco());
    sessao.AbrirConsulta(reducao, kReducaoComissao + ParametroInteiro(idNota));
    return reducao.Campo("vl_reducao_comissao").ComoDinheiro();
}
