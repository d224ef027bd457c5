// Phase 7: every settlement flagged for recalculation becomes one commission
// movement of type "3", unless its earlier movement was already paid.
#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/MovimentoComissao.h"
#include "commission/Progresso.h"
#include "comum/ComandoSql.h"
#include "db/SessaoBanco.h"

namespace {

// Only a credit ("A") keeps its sign; any other type is a debit. The amount
// itself is stored as the settlement holds it.
Dinheiro ComissaoDoAcerto(const Consulta& acerto, ObservadorCalculo& observador)
{
    const Dinheiro valor = acerto.Campo("vl_acerto").ComoDinheiro();
    const bool credito = acerto.Campo("tp_acerto").Texto() == "A";
    Figura(observador, "VL_ACERTO", "valor do acerto", valor);
    const Dinheiro comissao = credito ? valor : -valor;
    Figura(observador, "comissão",
           credito ? "VL_ACERTO: acerto a crédito (TP_ACERTO A)" : "− VL_ACERTO: acerto a débito", comissao);
    return comissao;
}

void GravarMovimentoAcerto(ContextoFase& contexto, const Consulta& acerto)
{
    contexto.observador.Linha("3", 0, acerto.Campo("id_vendedor").Inteiro());
    GravarMovimentoComissao(contexto, [&](DatasetInsercao& mov) {
        const Valor empresa = Valor::DeInteiro(acerto.Campo("id_empresa").Inteiro());
        const Valor data = Valor::DeData(acerto.Campo("dt_pagamento").Data());
        const Valor valor = Valor::DeDinheiro(acerto.Campo("vl_acerto").ComoDinheiro());
        mov.DefinirCampo("ID_COMISSAO", Valor::DeInteiro(contexto.sessao.ProximoId("MOV_COMISSAO", "ID_COMISSAO")));
        mov.DefinirCampo("TP_REGISTRO", Valor::DeTexto("3"));
        mov.DefinirCampo("ID_NF_COMERCIO", Valor());
        mov.DefinirCampo("ID_FINANCEIRO", Valor());
        mov.DefinirCampo("ID_ACERTO_COMISSAO", Valor::DeInteiro(acerto.Campo("id_acerto_comissao").Inteiro()));
        mov.DefinirCampo("ID_EMPRESA", empresa);
        mov.DefinirCampo("ID_VENDEDOR", Valor::DeInteiro(acerto.Campo("id_vendedor").Inteiro()));
        mov.DefinirCampo("DS_SERIE", Valor());
        mov.DefinirCampo("NO_DOCUMENTO", Valor());
        mov.DefinirCampo("DT_EMISSAO", data);
        // A settlement has no client: the client's columns carry its
        // company and its description.
        mov.DefinirCampo("ID_CLIENTE", empresa);
        mov.DefinirCampo("NM_CLIENTE", Valor::DeTexto(acerto.Campo("ds_acerto").Texto()));
        mov.DefinirCampo("VL_OPERACAO", valor);
        mov.DefinirCampo("VL_BASE_COMISSAO", valor);
        mov.DefinirCampo("PO_COMISSAO", Valor::DeDinheiro(Dinheiro()));
        mov.DefinirCampo("VL_COMISSAO", Valor::DeDinheiro(ComissaoDoAcerto(acerto, contexto.observador)));
        mov.DefinirCampo("ST_IRRF", Valor::DeTexto(acerto.Campo("st_irrf").Texto()));
        mov.DefinirCampo("DT_CREDITO", data);
        mov.DefinirCampo("ST_RECEBIMENTO", Valor::DeTexto("S"));
        mov.DefinirCampo("ST_ENTREGA", Valor::DeTexto("S"));
        mov.DefinirCampo("ST_PAGAR", Valor::DeTexto("S"));
        mov.DefinirCampo("ST_CANCELADA", Valor::DeTexto("N"));
        mov.DefinirCampo("ST_BLOQUEIO_1", Valor::DeTexto("N"));
        mov.DefinirCampo("ST_ESTORNO_1", Valor::DeTexto("N"));
        mov.DefinirCampo("ID_COMISSAO_GERADA", Valor());
    });
}

// True when the settlement was left alone because its movement is already paid.
bool ProcessarAcerto(ContextoFase& contexto, const Consulta& acerto)
{
    SessaoBanco& sessao = contexto.sessao;
    const ComandoSql idAcerto = ParametroInteiro(acerto.Campo("id_acerto_comissao").Inteiro());
    if (ComissaoJaPaga(sessao,
                       " select count(*) as qtde from mov_comissao where tp_registro = 3 and "
                       "id_acerto_comissao = " +
                           idAcerto + " and id_comissao_gerada is not null"))
        return true;
    sessao.IBQ_Gen.Executar(" delete from mov_comissao where tp_registro = 3 and id_acerto_comissao = " + idAcerto);
    GravarMovimentoAcerto(contexto, acerto);
    sessao.IBQ_Gen.Executar(" update mov_acerto_comissao set st_calc_comissao = 'N' where id_acerto_comissao = " +
                            idAcerto);
    return false;
}

}  // namespace

ResultadoFontes ExecutarFase7(ContextoFase& contexto)
{
    contexto.progresso.MostrarFase(7);
    Consulta& acertos = contexto.sessao.IBQ_AcertoComissao;
    return PercorrerPendentes(
        contexto, acertos,
        " select id_acerto_comissao, id_empresa, id_vendedor, dt_pagamento, ds_acerto, vl_acerto, "
        "st_irrf, tp_acerto from mov_acerto_comissao where st_calc_comissao = 'S'",
        kGrupoAcertos, [&] { return "Acerto " + acertos.Campo("id_acerto_comissao").Texto(); },
        [&] { return ProcessarAcerto(contexto, acertos); });
}
