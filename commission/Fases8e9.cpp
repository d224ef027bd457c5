// Phases 8 and 9: the commission advanced on invoicing is taken back, in the
// share of the invoice still unpaid, when its receivables stay overdue
// beyond the payment plan's days.
#include <utility>

#include "commission/AdiantamentoEstornado.h"
#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/Progresso.h"
#include "commission/SlotVendedor.h"
#include "comum/ComandoSql.h"
#include "comum/Relogio.h"
#include "db/SessaoBanco.h"

namespace {

// Equivalent to " update mov_nf_comercio mc set mc.st_calc_estorno = 'S' where
// mc.id_nf_comercio in (select mf.id_nf_comercio from mov_financeiro mf ...)
// and mc.st_estornar_comissao = 'S' and ...", the same invoices by the same
// conditions: that text tests every invoice never reversed, the whole history,
// while this one walks the open receivables, found by the index on their
// payment date, and reaches each one's invoice by its key.
const char* const kMarcarNotas =
    "execute block as declare id_nf_comercio integer; begin for select distinct mf.id_nf_comercio from "
    "mov_financeiro mf inner join mov_nf_comercio nf on (nf.id_nf_comercio = mf.id_nf_comercio) left join "
    "tab_plano_pagto tpp on (tpp.id_plano_pagto = nf.id_plano_pagto) where mf.dt_baixa is null and mf.dt_vencto < "
    "(current_date - tpp.qt_dias_estorna_comissao) and mf.id_nf_comercio is not null and mf.id_tp_mov_financ in "
    "(2, 8) into :id_nf_comercio do update mov_nf_comercio mc set mc.st_calc_estorno = 'S' where mc.id_nf_comercio = "
    ":id_nf_comercio and mc.st_estornar_comissao = 'S' and (mc.st_calc_estorno <> 'S' or mc.st_calc_estorno is null) "
    "and mc.id_comissao_estornada is null and mc.vl_total_nf > 0  and mc.id_st_nf in (3,5); end";
const char* const kMarcarFinanceiros =
    " update mov_financeiro mf set mf.st_estornar_comissao = 'S' where mf.id_nf_comercio in (select "
    "mc.id_nf_comercio from mov_nf_comercio mc where mc.st_calc_estorno = 'S') and mf.id_comissao_gerada is null";
const char* const kPercentualEstornado =
    " update mov_nf_comercio mc set mc.po_comissao_estornada =((select Sum(mf.vl_documento) from mov_financeiro mf "
    "where mf.id_nf_comercio = mc.id_nf_comercio and mf.id_comissao_gerada is null) / mc.vl_total_nf) * 100 where "
    "mc.st_calc_estorno = 'S' and mc.vl_total_nf > 0  and mc.id_st_nf in (3,5)";
const char* const kNotasMarcadas =
    " select mc.id_nf_comercio, mc.id_empresa, mc.id_vendedor, mc.id_vendedor2, mc.id_vendedor3, mc.id_vendedor4, "
    "mc.id_vendedor5, mc.po_comissao, mc.po_comissao2, mc.po_comissao3, mc.po_comissao4, mc.po_comissao5, "
    "mc.st_credito_fat, mc.st_credito_fat2, mc.st_credito_fat3, mc.st_credito_fat4, mc.st_credito_fat5, "
    "mc.ds_serie_nf, mc.nr_nota_fiscal, mc.dt_emissao, mc.id_destinatario_remetente, mc.vl_total_nf, "
    "mc.vl_produtos, mc.vl_desconto, mc.id_nat_operacao, mc.id_situacao_orcamento, mc.PO_CREDITO_FAT, "
    "mc.PO_CREDITO_FAT, mc.PO_CREDITO_FAT2, mc.PO_CREDITO_FAT3, mc.PO_CREDITO_FAT4, mc.PO_CREDITO_FAT5, "
    "mc.po_comissao_estornada from mov_nf_comercio mc where st_calc_estorno = 'S' and mc.vl_total_nf > 0  and "
    "mc.id_st_nf in (3,5)";

void MarcarEstornos(ContextoFase& contexto)
{
    contexto.progresso.MostrarFase(8);
    contexto.progresso.IniciarGauge(3, 1);
    const std::pair<const char*, const char*> passos[] = {
        {kMarcarNotas, "Commit"},
        {kMarcarFinanceiros, " commit"},
        {kPercentualEstornado, " commit"},
    };
    for (const auto& [sql, confirmacao] : passos) {
        contexto.sessao.IBQ_Gen.Executar(sql);
        contexto.sessao.IBQ_Gen.Executar(confirmacao);
        contexto.progresso.AvancarGauge();
    }
}

// The invoice's reversed share of the advance that stands for the seller:
// his type "1" rows as written, computed on the invoice's own commission
// base and net of his share of the reduction, less what an undelivered-
// receipt reversal has already taken back. One extended product, rounded
// once; never more than the advance.
Dinheiro ValorEstorno(SessaoBanco& sessao, const Consulta& nota, const SlotVendedor& slot)
{
    const Dinheiro adiantado = AdiantamentoEmPe(sessao, nota.Campo("id_nf_comercio").Inteiro(), slot.idVendedor);
    const long double estornado = PercentualEstornadoLimitado(nota.Campo("po_comissao_estornada").ComoDinheiro());
    return Dinheiro::DeExtended(adiantado.Extended() * estornado / 100);
}

void GravarAcertoEstorno(ContextoFase& contexto, const Consulta& nota, const SlotVendedor& slot)
{
    DatasetInsercao& acerto = contexto.sessao.IBD_AcertoComissao;
    acerto.TransacaoAtual()->Iniciar();  // leaves an active transaction as it is
    acerto.Inserir();
    acerto.DefinirCampo("ID_ACERTO_COMISSAO",
                        Valor::DeInteiro(contexto.sessao.ProximoId("mov_acerto_comissao", "id_acerto_comissao")));
    acerto.DefinirCampo("DT_PAGAMENTO", Valor::DeData(contexto.relogio.Agora().Data()));
    acerto.DefinirCampo("ID_VENDEDOR", Valor::DeInteiro(slot.idVendedor));
    acerto.DefinirCampo("VL_ACERTO", Valor::DeDinheiro(ValorEstorno(contexto.sessao, nota, slot)));
    acerto.DefinirCampo("TP_ACERTO", Valor::DeTexto("D"));
    acerto.DefinirCampo("ST_IRRF", Valor::DeTexto("S"));
    acerto.DefinirCampo("DS_ACERTO",
                        Valor::DeTexto("Estorno da comissão antecipada da NF " + nota.Campo("nr_nota_fiscal").Texto()));
    acerto.DefinirCampo("ID_EMPRESA", Valor::DeInteiro(nota.Campo("id_empresa").Inteiro()));
    acerto.DefinirCampo("ID_COMISSAO_GERADA", Valor());
    acerto.DefinirCampo("ST_CALC_COMISSAO", Valor::DeTexto("S"));
    acerto.DefinirCampo("ID_COMISSAO_ESTORNADA", Valor::DeInteiro(nota.Campo("id_nf_comercio").Inteiro()));
    acerto.Postar();
    acerto.AplicarAtualizacoes();
    ++contexto.linhasDaFonte;
}

// True when the seller had an advance to take back.
bool EstornarSlot(ContextoFase& contexto, const Consulta& nota, const SlotVendedor& slot)
{
    SessaoBanco& sessao = contexto.sessao;
    sessao.IBD_AcertoComissao.Fechar();
    sessao.IBD_AcertoComissao.Abrir();
    if (slot.idVendedor <= 0 || slot.stCreditoFat != "S")
        return false;
    GravarAcertoEstorno(contexto, nota, slot);
    sessao.IBQ_Gen.Executar(
        " update mov_nf_comercio set " + ColunaSlot("ST_CREDITO_FAT", slot.numero) +
        " = 'N' where id_nf_comercio = " + ParametroInteiro(nota.Campo("id_nf_comercio").Inteiro()));
    contexto.progresso.ProcessarMensagens();
    return true;
}

// The receivables whose advance was taken back are computed again by phase 6
// of the next run, now on the sellers' whole percentage.
void RecalcularRecebimentos(SessaoBanco& sessao, const Consulta& nota)
{
    sessao.IBQ_Gen.Executar(" update mov_financeiro set st_calc_comissao = 'S' where id_nf_comercio = " +
                            ParametroInteiro(nota.Campo("id_nf_comercio").Inteiro()) +
                            " and id_comissao_gerada is null");
}

void ConcluirEstorno(SessaoBanco& sessao, const Consulta& nota)
{
    const ComandoSql id = ParametroInteiro(nota.Campo("id_nf_comercio").Inteiro());
    sessao.IBQ_Gen.Executar(" update mov_nf_comercio set st_calc_estorno = 'N', id_comissao_estornada = " + id +
                            " where id_nf_comercio = " + id +
                            " and mov_nf_comercio.vl_total_nf > 0  and mov_nf_comercio.id_st_nf in (3,5)");
}

// An invoice's settlements, its slots' flags and its own flag form one unit:
// an interruption leaves the invoice marked, and the next run writes its
// settlements once.
std::vector<FonteDeixada> EstornarNotas(ContextoFase& contexto)
{
    Consulta& notas = contexto.sessao.IBQ_Comercio;
    std::vector<FonteDeixada> deixadas;
    contexto.progresso.MostrarFase(9);
    notas.Abrir(kNotasMarcadas);
    notas.Ultimo();
    notas.Primeiro();
    contexto.progresso.IniciarGauge(notas.QuantidadeRegistros(), 0);
    for (; !notas.Fim(); notas.Proximo()) {
        contexto.progresso.ProcessarMensagens();
        InterromperSePedido(contexto.progresso);
        contexto.progresso.AvancarGauge();
        ProcessarFonte(
            contexto, deixadas, kGrupoEstornos, [&] { return "NF " + notas.Campo("nr_nota_fiscal").Texto(); },
            [&] {
                bool estornou = false;
                ParaCadaSlot(notas, [&](const SlotVendedor& slot) {
                    estornou = EstornarSlot(contexto, notas, slot) || estornou;
                });
                if (estornou)
                    RecalcularRecebimentos(contexto.sessao, notas);
                ConcluirEstorno(contexto.sessao, notas);
            });
    }
    contexto.sessao.IBQ_Gen.Executar(" commit");
    return deixadas;
}

}  // namespace

std::vector<FonteDeixada> ExecutarFases8e9(ContextoFase& contexto)
{
    MarcarEstornos(contexto);
    return EstornarNotas(contexto);
}
