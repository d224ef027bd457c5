// Phase 6: the rebuilding of each pending receivable's commission rows on
// receipt (type "2"), one per seller, in proportion to the installment.
#include <optional>
#include <set>
#include <string>

#include "commission/ComissaoNota.h"
#include "commission/EstornosDaFonte.h"
#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/MovimentoComissao.h"
#include "commission/Progresso.h"
#include "commission/SlotVendedor.h"
#include "commission/TotaisNota.h"
#include "comum/ComandoSql.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kDuplicatasPendentes =
    " select mf.id_financeiro, mf.no_documento, mf.vl_documento, mf.dt_baixa, mf.dt_vencto, mf.id_nf_comercio,"
    " mf.vl_desconto, mf.vl_outras_reducoes, mf.vl_abatimento from mov_financeiro mf inner join mov_nf_comercio mc"
    " on (mc.id_nf_comercio = mf.id_nf_comercio) where mf.st_calc_comissao = 'S' AND mf.vl_documento > 0 and"
    " mf.id_nf_comercio is not null and mc.id_st_nf in (3,5)";

const char* const kNotaDaDuplicata =
    " select mc.id_nf_comercio, mc.id_empresa, mc.id_vendedor, mc.id_vendedor2, mc.id_vendedor3, mc.id_vendedor4,"
    " mc.id_vendedor5, mc.po_comissao, mc.po_comissao2, mc.po_comissao3, mc.po_comissao4, mc.po_comissao5,"
    " mc.st_credito_fat, mc.st_credito_fat2, mc.st_credito_fat3, mc.st_credito_fat4, mc.st_credito_fat5,"
    " mc.ds_serie_nf, mc.nr_nota_fiscal, mc.dt_emissao, mc.id_destinatario_remetente, mc.vl_total_nf,"
    " mc.vl_produtos, mc.vl_desconto, mc.id_nat_operacao, mc.id_situacao_orcamento, mc.PO_CREDITO_FAT,"
    " mc.PO_CREDITO_FAT2, mc.PO_CREDITO_FAT3, mc.PO_CREDITO_FAT4, mc.PO_CREDITO_FAT5, mc.id_st_nf,"
    " mc.tp_base_comissao_outros, mc.vl_base_comissao, mc.vl_comissao, tno.id_sugerir_comissao,"
    " mc.vl_resultado_venda, mc.st_devolvido, mc.st_incluir_frete_parc, mc.vl_frete, tno.ST_COMISSAO_PAGAR from"
    " mov_nf_comercio mc inner join tab_nat_operacao tno on (tno.id_nat_operacao = mc.id_nat_operacao) where"
    " mc.id_nf_comercio = ";

// The credited share belongs to the commission on invoicing.
bool CreditadoNoFaturamento(const SlotVendedor& slot)
{
    return slot.stCreditoFat == "S" && slot.poCreditoFat >= Dinheiro::DeInteiro(100);
}

// K2: what the receipts carry of the slot's commission, before rounding.
long double ParteDoRecebimento(Dinheiro integral, const SlotVendedor& slot)
{
    if (slot.stCreditoFat != "S")
        return integral.Extended();
    const long double restante = 10000 - 100 * slot.poCreditoFat.Extended();
    return Dividir(integral.Extended() * restante, 10000);
}

long double ProdutoFator(double fator, Dinheiro valor)
{
    return static_cast<long double>(fator) * valor.Extended();
}

// An installment's share of the invoice, and what the reductions granted on
// its payment leave of it.
struct FatoresParcela {
    double fFatorParcela = 0;
    double fFatorDesconto = 0;
    const char* origemParcela = "";  // how the installment factor was formed, for an explanation
};

// With freight in the installments it comes out of the invoice total for
// every installment, and out of the installment itself only for the one
// marked "/A", which carries it.
FatoresParcela FatorParcela(const Consulta& duplicata, const Consulta& nota)
{
    FatoresParcela fatores;
    const Dinheiro documento = duplicata.Campo("vl_documento").ComoDinheiro();
    const Dinheiro total = nota.Campo("vl_total_nf").ComoDinheiro();
    if (nota.Campo("st_incluir_frete_parc").Texto() != "S") {
        fatores.fFatorParcela = static_cast<double>(Dividir(documento.Extended(), total.Extended()));
        fatores.origemParcela = "VL_DOCUMENTO / VL_TOTAL_NF";
        return fatores;
    }
    const Dinheiro frete = nota.Campo("vl_frete").ComoDinheiro();
    const bool parcelaDoFrete = duplicata.Campo("no_documento").Texto().find("/A") != std::string::npos;
    const Dinheiro parcela = parcelaDoFrete ? documento - frete : documento;
    fatores.fFatorParcela = static_cast<double>(Dividir(parcela.Extended(), (total - frete).Extended()));
    fatores.origemParcela = parcelaDoFrete
                                ? "(VL_DOCUMENTO − frete) / (VL_TOTAL_NF − frete): frete nas parcelas, parcela /A"
                                : "VL_DOCUMENTO / (VL_TOTAL_NF − frete): frete nas parcelas";
    return fatores;
}

// The reductions granted on payment against the installment's share of the
// net products.
double FatorDesconto(const Consulta& duplicata, const Consulta& nota, double fatorParcela)
{
    const Dinheiro produtos = nota.Campo("vl_produtos").ComoDinheiro();
    if (produtos.Zero())
        return 0;
    const Dinheiro reducoes = duplicata.Campo("vl_desconto").ComoDinheiro() +
                              duplicata.Campo("vl_abatimento").ComoDinheiro() +
                              duplicata.Campo("vl_outras_reducoes").ComoDinheiro();
    const Dinheiro liquido = produtos - nota.Campo("vl_desconto").ComoDinheiro();
    return static_cast<double>(1 - Dividir(reducoes.Extended(), liquido.Extended() * fatorParcela));
}

FatoresParcela FatoresDaParcela(const Consulta& duplicata, const Consulta& nota)
{
    FatoresParcela fatores = FatorParcela(duplicata, nota);
    fatores.fFatorDesconto = FatorDesconto(duplicata, nota, fatores.fFatorParcela);
    return fatores;
}

// A date before day zero, NULL included, is no payment.
void DefinirCredito(DatasetInsercao& linha, const Consulta& duplicata)
{
    const bool paga = duplicata.Campo("dt_baixa").Data() > DataHora();
    linha.DefinirCampo("DT_CREDITO", duplicata.Campo(paga ? "dt_baixa" : "dt_vencto"));
    linha.DefinirCampo("ST_RECEBIMENTO", Valor::DeTexto(paga ? "S" : "N"));
}

// K2 to K4: the receipts' share of a value of the whole invoice, then the
// installment's and the discount's factors, each step rounded; the observer
// is told the steps under these names.
Dinheiro ParteDaParcela(ObservadorCalculo& observador, const char* const (&nomes)[3], Dinheiro valor,
                        const SlotVendedor& slot, const FatoresParcela& fatores)
{
    const Dinheiro doRecebimento = Arredondado(
        observador, nomes[0],
        slot.stCreditoFat == "S" ? "× (100 − percentual creditado) / 100" : "inteira: nada creditado no faturamento",
        ParteDoRecebimento(valor, slot));
    const Dinheiro daParcela = Arredondado(observador, nomes[1], "× fator da parcela",
                                           ProdutoFator(fatores.fFatorParcela, doRecebimento));
    return Arredondado(observador, nomes[2], "× fator de desconto", ProdutoFator(fatores.fFatorDesconto, daParcela));
}

// K1 to K5. The invoice's reduction takes the same share and factors as the
// commission, so once every installment is in, the seller's rows of the
// invoice carry it once in all.
Dinheiro ComissaoDaParcela(LeiturasDaNota& leituras, const SlotVendedor& slot, Dinheiro base,
                           const FatoresParcela& fatores)
{
    ObservadorCalculo& observador = leituras.Observador();
    Figura(observador, "percentual do vendedor", "PO_COMISSAO do slot na NF", slot.poComissao);
    Figura(observador, "percentual creditado no faturamento", "PO_CREDITO_FAT do slot na NF", slot.poCreditoFat);
    observador.Fator("fator da parcela", fatores.origemParcela, fatores.fFatorParcela);
    observador.Fator("fator de desconto",
                     "1 − (desconto + abatimento + outras reduções da duplicata) / ((VL_PRODUTOS − desconto da NF) ×"
                     " fator da parcela)",
                     fatores.fFatorDesconto);
    const Dinheiro integral = Arredondado(observador, "K1", "base × percentual do vendedor / 100",
                                          ProdutoPercentual(base, slot.poComissao));
    const Dinheiro comissao = ParteDaParcela(observador, {"K2", "K3", "K4"}, integral, slot, fatores);
    Figura(observador, "redução da NF", "Σ quantidade × redução unitária dos itens", leituras.Reducao());
    const Dinheiro parteDaReducao = ParteDaParcela(observador,
                                                   {"redução no recebimento", "redução na parcela", "parte da redução"},
                                                   leituras.Reducao(), slot, fatores);
    const Dinheiro liquida = DescontarReducao(comissao, parteDaReducao);
    Figura(observador, "K5", "K4 − parte da redução, nunca abaixo de 0", liquida);
    return liquida;
}

Dinheiro BaseDaParcela(ObservadorCalculo& observador, Dinheiro base, const FatoresParcela& fatores)
{
    return Arredondado(observador, "base da parcela", "base × fator da parcela × fator de desconto",
                       base.Extended() * static_cast<long double>(fatores.fFatorParcela) *
                           static_cast<long double>(fatores.fFatorDesconto));
}

// The factors are computed for every row, before its commission, as the row
// is written.
void GravarComissaoRecebimento(ContextoFase& contexto, LeiturasDaNota& leituras, const SlotVendedor& slot)
{
    const Consulta& duplicata = contexto.sessao.IBQ_Financeiro;
    leituras.Observador().Linha("2", slot.numero, slot.idVendedor);
    GravarMovimentoComissao(contexto, [&](DatasetInsercao& linha) {
        PreencherColunasNota(leituras, linha, "2", slot.idVendedor);
        linha.DefinirCampo("ID_FINANCEIRO", duplicata.Campo("id_financeiro"));
        linha.DefinirCampo("NO_DOCUMENTO", duplicata.Campo("no_documento"));
        linha.DefinirCampo("VL_OPERACAO", duplicata.Campo("vl_documento"));
        DefinirCredito(linha, duplicata);
        const Dinheiro base = ArmazenarBase(linha, BaseComissao(leituras, slot.numero));
        const FatoresParcela fatores = FatoresDaParcela(duplicata, leituras.Nota());
        linha.DefinirCampo("VL_COMISSAO", Valor::DeDinheiro(ComissaoDaParcela(leituras, slot, base, fatores)));
        linha.DefinirCampo("VL_BASE_COMISSAO", Valor::DeDinheiro(BaseDaParcela(leituras.Observador(), base, fatores)));
        linha.DefinirCampo("PO_COMISSAO", Valor::DeDinheiro(PercentualEfetivo(linha, leituras.Observador())));
    });
}

// The pending receivables of one invoice come one after another, and what
// their rows read of the invoice (client, nature, reduction, items' base) is
// the same for all of them: it is read once for the run of them.
struct LeiturasDaUltimaNota {
    std::int64_t idNota = 0;
    std::optional<LeiturasDaNota> leituras;
};

// Old rows, new rows and the flag form one unit with the source's commit. An
// invoice no longer found reads as state 0, so every slot is skipped.
void ReconstruirComissaoDuplicata(ContextoFase& contexto, std::int64_t idFinanceiro, LeiturasDaUltimaNota& ultima)
{
    SessaoBanco& sessao = contexto.sessao;
    const ComandoSql id = ParametroInteiro(idFinanceiro);
    const EstornosDaFonte estornos(sessao, "2", "id_financeiro", idFinanceiro);
    sessao.IBQ_Gen.Executar(" delete from mov_comissao where tp_registro = 2 and id_financeiro = " + id);
    const std::int64_t idNota = sessao.IBQ_Financeiro.Campo("id_nf_comercio").Inteiro();
    sessao.IBQ_Comercio.Abrir(kNotaDaDuplicata + ParametroInteiro(idNota) + " and mc.VL_TOTAL_NF > 0 " +
                              " and mc.id_st_nf in (3,5)");
    if (!ultima.leituras || ultima.idNota != idNota) {
        ultima.leituras.emplace(sessao, sessao.IBQ_Comercio, contexto.observador);
        ultima.idNota = idNota;
    }
    LeiturasDaNota& leituras = *ultima.leituras;
    ParaCadaSlot(sessao.IBQ_Comercio, [&](const SlotVendedor& slot) {
        if (SlotSemComissao(leituras, slot, CreditadoNoFaturamento(slot),
                            "toda a comissão creditada no faturamento (PO_CREDITO_FAT de 100)"))
            return;
        GravarComissaoRecebimento(contexto, leituras, slot);
    });
    estornos.PassarAosNovos(contexto);
    sessao.IBQ_Gen.Executar(" update mov_financeiro set st_calc_comissao = 'N' where id_financeiro = " + id);
}

// True when the receivable was left alone because its commission is already paid.
bool RecalcularDuplicata(ContextoFase& contexto, LeiturasDaUltimaNota& ultima,
                         const std::set<std::int64_t>& notasDeixadas)
{
    SessaoBanco& sessao = contexto.sessao;
    const std::int64_t idFinanceiro = sessao.IBQ_Financeiro.Campo("id_financeiro").Inteiro();
    if (notasDeixadas.count(sessao.IBQ_Financeiro.Campo("id_nf_comercio").Inteiro()) > 0)
        return false;
    if (ComissaoJaPaga(sessao, " select count(*) as qtde from mov_comissao where tp_registro = 2 and id_financeiro = " +
                                   ParametroInteiro(idFinanceiro) + " and id_comissao_gerada is not null"))
        return true;
    ReconstruirComissaoDuplicata(contexto, idFinanceiro, ultima);
    return false;
}

}  // namespace

ResultadoFontes ExecutarFase6(ContextoFase& contexto, const std::set<std::int64_t>& notasDeixadas)
{
    contexto.progresso.MostrarFase(6);
    const Consulta& duplicata = contexto.sessao.IBQ_Financeiro;
    LeiturasDaUltimaNota ultima;
    return PercorrerPendentes(
        contexto, contexto.sessao.IBQ_Financeiro, kDuplicatasPendentes, kGrupoDuplicatas,
        [&] { return "Duplicata " + duplicata.Campo("no_documento").Texto(); },
        [&] { return RecalcularDuplicata(contexto, ultima, notasDeixadas); });
}
