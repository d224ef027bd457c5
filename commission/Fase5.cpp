// Phase 5: the consistency check of each pending invoice and the rebuilding
// of its commission rows on invoicing (type "1"), one per seller credited on
// invoicing.
#include <set>
#include <string>

#include "commission/AdiantamentoEstornado.h"
#include "commission/ComissaoNota.h"
#include "commission/EstornosDaFonte.h"
#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/MovimentoComissao.h"
#include "commission/Progresso.h"
#include "commission/SlotVendedor.h"
#include "commission/TotaisNota.h"
#include "comum/ComandoSql.h"
#include "comum/Literais.h"
#include "comum/Relogio.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kNotasPendentes =
    " select mc.id_nf_comercio, mc.id_empresa, mc.id_vendedor, mc.id_vendedor2, mc.id_vendedor3, mc.id_vendedor4,"
    " mc.id_vendedor5, mc.po_comissao, mc.po_comissao2, mc.po_comissao3, mc.po_comissao4, mc.po_comissao5,"
    " mc.st_credito_fat, mc.st_credito_fat2, mc.st_credito_fat3, mc.st_credito_fat4, mc.st_credito_fat5,"
    " mc.ds_serie_nf, mc.nr_nota_fiscal, mc.dt_emissao, mc.id_destinatario_remetente, mc.vl_total_nf,"
    " mc.vl_produtos, mc.vl_desconto, mc.id_nat_operacao, mc.id_situacao_orcamento, mc.PO_CREDITO_FAT,"
    " mc.PO_CREDITO_FAT, mc.PO_CREDITO_FAT2, mc.PO_CREDITO_FAT3, mc.PO_CREDITO_FAT4, mc.PO_CREDITO_FAT5,"
    " mc.id_st_nf, mc.tp_base_comissao_outros, mc.vl_base_comissao, mc.vl_comissao, tno.id_sugerir_comissao,"
    " mc.vl_resultado_venda, mc.st_devolvido, tno.ST_COMISSAO_PAGAR from mov_nf_comercio mc inner join"
    " tab_nat_operacao tno on (tno.id_nat_operacao = mc.id_nat_operacao) where mc.st_calc_comissao = 'S' and"
    " mc.vl_total_nf > 0  and mc.id_st_nf in (3,5)";

const char* const kContagemNota = " select count(*) as qtde from mov_nf_comercio mc where mc.id_nf_comercio = ";
const char* const kProdutosDiferentes =
    " and mc.vl_produtos <> (select sum(mci.vl_total) from mov_nf_comercio_item mci where mci.id_nf_comercio ="
    " mc.id_nf_comercio)";
const char* const kFinanceiroDiferente =
    " and mc.vl_financeiro <> (select sum(mf.vl_documento) from mov_financeiro mf where mf.id_nf_comercio ="
    " mc.id_nf_comercio)";

// State 6 takes the invoice out of every phase; the log row tells the suite why.
// Both are committed with the source's group, like any source's work: a
// commit of their own would write every page the group has changed so far.
void RetirarNotaInconsistente(ContextoFase& contexto, std::int64_t idNota)
{
    SessaoBanco& sessao = contexto.sessao;
    const ComandoSql id = ParametroInteiro(idNota);
    sessao.ExecutarComando(
        sessao.IBQ_Gen, " update mov_nf_comercio set st_calc_comissao = 'N', id_st_nf = 6 where id_nf_comercio = " + id,
        false);
    sessao.ExecutarComando(sessao.IBQ_Gen,
                           " insert into mov_log_controle (ID_LOG_EVENTO, DH_LOG_EVENTO, ID_LOG_USUARIO,"
                           " ID_LOG_REGISTRO, DS_LOG_OBSERVACAO) values (18," +
                               LiteralDataHora(contexto.relogio.Agora()) + "," + "-1," + id + "," +
                               "'Cálculo de Comissão'" + ")",
                           false);
}

// The credited share of the slot's commission, less the same share of the
// invoice's reduction: the receipts carry the rest of it, so the seller's
// rows of the invoice take the reduction once in all.
Dinheiro ComissaoFaturada(LeiturasDaNota& leituras, const SlotVendedor& slot, Dinheiro base)
{
    ObservadorCalculo& observador = leituras.Observador();
    Figura(observador, "percentual do vendedor", "PO_COMISSAO do slot na NF", slot.poComissao);
    const Dinheiro integral = Arredondado(observador, "K1", "base × percentual do vendedor / 100",
                                          ProdutoPercentual(base, slot.poComissao));
    Figura(observador, "percentual creditado no faturamento", "PO_CREDITO_FAT do slot na NF", slot.poCreditoFat);
    const Dinheiro creditada = Arredondado(observador, "K2", "K1 × percentual creditado / 100",
                                           ProdutoPercentual(integral, slot.poCreditoFat));
    Figura(observador, "redução da NF", "Σ quantidade × redução unitária dos itens", leituras.Reducao());
    const Dinheiro parteDaReducao = Arredondado(observador, "parte da redução", "redução × percentual creditado / 100",
                                                ProdutoPercentual(leituras.Reducao(), slot.poCreditoFat));
    const Dinheiro comissao = DescontarReducao(creditada, parteDaReducao);
    Figura(observador, "K3", "K2 − parte da redução, nunca abaixo de 0", comissao);
    return comissao;
}

void GravarComissaoFaturamento(ContextoFase& contexto, LeiturasDaNota& leituras, const SlotVendedor& slot)
{
    const Consulta& nota = leituras.Nota();
    leituras.Observador().Linha("1", slot.numero, slot.idVendedor);
    GravarMovimentoComissao(contexto, [&](DatasetInsercao& linha) {
        PreencherColunasNota(leituras, linha, "1", slot.idVendedor);
        linha.DefinirCampo("DS_SERIE", nota.Campo("ds_serie_nf"));
        linha.DefinirCampo("NO_DOCUMENTO", nota.Campo("nr_nota_fiscal"));
        linha.DefinirCampo("VL_OPERACAO", nota.Campo("vl_total_nf"));
        linha.DefinirCampo("DT_CREDITO", nota.Campo("dt_emissao"));
        linha.DefinirCampo("ST_RECEBIMENTO", Valor::DeTexto("S"));
        const Dinheiro base = ArmazenarBase(linha, BaseComissao(leituras, slot.numero));
        linha.DefinirCampo("VL_COMISSAO", Valor::DeDinheiro(ComissaoFaturada(leituras, slot, base)));
        linha.DefinirCampo("PO_COMISSAO", Valor::DeDinheiro(PercentualEfetivo(linha, leituras.Observador())));
    });
}

// A seller whose advance the claw-back took back has his credit flag turned
// off, but the settlement stands against his advance row: it is rebuilt, or
// he would lose the advance a second time.
bool GanhaNoFaturamento(SessaoBanco& sessao, std::int64_t idNota, const SlotVendedor& slot)
{
    if (slot.stCreditoFat == "S")
        return true;
    return slot.poCreditoFat > Dinheiro() && ParteEstornada(sessao, idNota, slot.idVendedor).has_value();
}

// Old rows, new rows and the flag form one unit with the source's commit.
void ReconstruirComissaoNota(ContextoFase& contexto, std::int64_t idNota)
{
    SessaoBanco& sessao = contexto.sessao;
    const ComandoSql id = ParametroInteiro(idNota);
    const EstornosDaFonte estornos(sessao, "1", "id_nf_comercio", idNota);
    LeiturasDaNota leituras(sessao, sessao.IBQ_Comercio, contexto.observador);
    sessao.IBQ_Gen.Executar(" delete from mov_comissao where tp_registro = 1 and id_nf_comercio = " + id);
    ParaCadaSlot(sessao.IBQ_Comercio, [&](const SlotVendedor& slot) {
        if (!SlotSemComissao(leituras, slot, !GanhaNoFaturamento(sessao, idNota, slot),
                             "comissão só no recebimento (ST_CREDITO_FAT não é S)"))
            GravarComissaoFaturamento(contexto, leituras, slot);
    });
    estornos.PassarAosNovos(contexto);
    sessao.IBQ_Gen.Executar(" update mov_nf_comercio set st_calc_comissao = 'N' where id_nf_comercio = " + id);
}

// True when the invoice was left alone because its commission is already paid.
bool RecalcularNota(ContextoFase& contexto, const std::set<std::int64_t>& notasDeixadas)
{
    SessaoBanco& sessao = contexto.sessao;
    const std::int64_t idNota = sessao.IBQ_Comercio.Campo("id_nf_comercio").Inteiro();
    if (notasDeixadas.count(idNota) > 0)
        return false;
    if (VerificarDocumento(sessao, idNota)) {
        RetirarNotaInconsistente(contexto, idNota);
        contexto.progresso.SepararFonte("NF " + sessao.IBQ_Comercio.Campo("nr_nota_fiscal").Texto(),
                                        "documento inconsistente");
        return false;
    }
    if (ComissaoJaPaga(sessao,
                       " select count(*) as qtde from mov_comissao where tp_registro = 1 and id_nf_comercio = " +
                           ParametroInteiro(idNota) + " and id_comissao_gerada is not null"))
        return true;
    ReconstruirComissaoNota(contexto, idNota);
    return false;
}

}  // namespace

bool VerificarDocumento(SessaoBanco& sessao, std::int64_t idNota)
{
    const ComandoSql id = ParametroInteiro(idNota);
    Consulta verificacao("qryVerificaDocumento", sessao.Banco());
    sessao.AbrirConsulta(verificacao, kContagemNota + id + kProdutosDiferentes);
    if (verificacao.Campo("qtde").Inteiro() > 0)
        return true;
    sessao.AbrirConsulta(verificacao, kContagemNota + id + kFinanceiroDiferente);
    return verificacao.Campo("qtde").Inteiro() > 0;
}

ResultadoFontes ExecutarFase5(ContextoFase& contexto, const std::set<std::int64_t>& notasDeixadas)
{
    contexto.progresso.MostrarFase(5);
    const Consulta& nota = contexto.sessao.IBQ_Comercio;
    return PercorrerPendentes(
        contexto, contexto.sessao.IBQ_Comercio, kNotasPendentes, kGrupoNotasVenda,
        [&] { return "NF " + nota.Campo("nr_nota_fiscal").Texto(); },
        [&] { return RecalcularNota(contexto, notasDeixadas); });
}
