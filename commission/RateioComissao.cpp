#include "commission/RateioComissao.h"

#include <optional>
#include <string>
#include <vector>

#include "commission/SlotVendedor.h"
#include "comum/ComandoSql.h"
#include "comum/Dinheiro.h"
#include "comum/Erros.h"
#include "comum/Literais.h"
#include "comum/Numericos.h"
#include "db/firebird/Consulta.h"

namespace {

const char* const kNota =
    " select mc.id_nf_comercio, mc.id_empresa, mc.id_vendedor, mc.id_vendedor2, mc.id_vendedor3, mc.id_vendedor4,"
    " mc.id_vendedor5, mc.po_comissao, mc.po_comissao2, mc.po_comissao3, mc.po_comissao4, mc.po_comissao5,"
    " mc.st_comissao_ad2, mc.st_comissao_ad3, mc.st_comissao_ad4, mc.st_comissao_ad5, mc.vl_desconto,"
    " mc.vl_servico from mov_nf_comercio mc where mc.id_nf_comercio = ";

const char* const kItensDoRateio =
    " select mci.id_produto, cp.id_fabrica, mci.no_item, mci.id_nf_comercio_item, Sum ((mci.qt_produto *"
    " (mci.vl_unitario - (case mci.st_frete_incluso when 'S' then case when tp.st_comissao_frete_despesa <> 'S'"
    " then mci.vl_frete_unit else 0 end else 0 end))) * mci.po_comissao / 100) as Valor_Comissao, Sum"
    " ((mci.qt_produto * (mci.vl_unitario - (case mci.st_frete_incluso when 'S' then case when"
    " tp.st_comissao_frete_despesa <> 'S' then mci.vl_frete_unit else 0 end else 0 end)))) as Base_Comissao,"
    " SUM(mci.vl_outras_ajustado) as vl_outras_ajustado, SUM(mci.vl_frete_ajustado) as vl_frete_ajustado,"
    " SUM(mci.vl_seguro_ajustado) as vl_seguro_ajustado, SUM(mci.vl_ipi) as vl_ipi, SUM(mci.vl_icms_subst) as"
    " vl_icms_subst from mov_nf_comercio_item mci inner join cad_produto cp on (cp.id_produto = mci.id_produto)"
    " inner join tab_parametro tp on (tp.id_parametro = 1) where id_nf_comercio = ";

const char* const kGruposItem = " group by mci.id_produto, cp.id_fabrica, mci.no_item, mci.id_nf_comercio_item";

struct RegrasBase {
    Dinheiro desconto;
    Dinheiro servico;
    bool freteDespesa = false;  // freight and other expenses count
    bool ipiIcmsSt = false;     // IPI and ICMS-ST count
};

// Read as the shared parameter reader reads it, but on this connection's
// default transaction like every other statement of the sharing.
bool ParametroLigado(BancoDados* banco, const std::string& coluna)
{
    Consulta parametro("qryParametroRateio", banco);
    parametro.Abrir(" select " + coluna + " from TAB_PARAMETRO" + " where ID_PARAMETRO = 1");
    return parametro.Campo(coluna).Texto() == "S";
}

RegrasBase LerRegrasBase(BancoDados* banco, const ComandoSql& idNota)
{
    Consulta nota("qryNotaRateio", banco);
    nota.Abrir(kNota + idNota);
    RegrasBase regras;
    regras.desconto = nota.Campo("vl_desconto").ComoDinheiro();
    regras.servico = nota.Campo("vl_servico").ComoDinheiro();
    regras.freteDespesa = ParametroLigado(banco, "ST_COMISSAO_FRETE_DESPESA");
    regras.ipiIcmsSt = ParametroLigado(banco, "ST_COMISSAO_IPI_ICMSST");
    return regras;
}

// What the parameters add to the item's base: its own expenses and taxes.
Dinheiro AcrescimosDoItem(const Consulta& item, const RegrasBase& regras)
{
    Dinheiro acrescimos;
    if (regras.freteDespesa)
        acrescimos += item.Campo("vl_outras_ajustado").ComoDinheiro() + item.Campo("vl_frete_ajustado").ComoDinheiro() +
                      item.Campo("vl_seguro_ajustado").ComoDinheiro();
    if (regras.ipiIcmsSt)
        acrescimos += item.Campo("vl_ipi").ComoDinheiro() + item.Campo("vl_icms_subst").ComoDinheiro();
    return acrescimos;
}

// Item numbers may be missing, repeated, out of range or out of step with the
// item list the rows were built from. A row's table percentages depend only on
// its product and the invoice's sellers, so any free row of the same product
// serves; the row of the item's own number is preferred.
class LinhasDaMatriz {
public:
    explicit LinhasDaMatriz(const std::vector<LinhaRateio>& linhas) : linhas_(linhas), ocupada_(linhas.size(), false) {}

    std::optional<std::size_t> Reservar(std::int64_t noItem, std::int64_t idProduto)
    {
        auto linha = LinhaDoNumero(noItem, idProduto);
        if (!linha)
            linha = PrimeiraLivre(idProduto);
        if (linha)
            ocupada_[*linha] = true;
        return linha;
    }

    bool Ocupada(std::size_t linha) const { return ocupada_[linha]; }

private:
    bool Serve(std::size_t linha, std::int64_t idProduto) const
    {
        return !ocupada_[linha] && linhas_[linha].idProduto == idProduto;
    }

    std::optional<std::size_t> LinhaDoNumero(std::int64_t noItem, std::int64_t idProduto) const
    {
        if (noItem < 1 || static_cast<std::uint64_t>(noItem) > ocupada_.size())
            return std::nullopt;
        const auto linha = static_cast<std::size_t>(noItem - 1);
        return Serve(linha, idProduto) ? std::optional(linha) : std::nullopt;
    }

    std::optional<std::size_t> PrimeiraLivre(std::int64_t idProduto) const
    {
        for (std::size_t linha = 0; linha < ocupada_.size(); ++linha)
            if (Serve(linha, idProduto))
                return linha;
        return std::nullopt;
    }

    const std::vector<LinhaRateio>& linhas_;
    std::vector<bool> ocupada_;
};

Dinheiro ComoDinheiro(double valor)
{
    return Dinheiro::DeExtended(valor);
}

// Each slot's table percentage, as a 64-bit float, over the number of slots
// with a positive one.
void PreencherComissoes(LinhaRateio& linha, Dinheiro base)
{
    const int vendedores = linha.vendedoresComPercentual;
    for (std::size_t slot = 0; slot < linha.percentuais.size(); ++slot) {
        const double percentual = linha.percentuais[slot].Real();
        const Dinheiro parte = vendedores > 0 ? Dinheiro::DeExtended(Dividir(percentual, vendedores)) : Dinheiro();
        const Dinheiro comissao = Dinheiro::DeExtended(base.Extended() * parte.Extended() / 100);
        linha.comissoes[slot] = ComoDinheiro(Truncar(comissao.Real(), 2));
    }
}

// One item that takes part in the sharing and the row of the matrix it fills.
struct ItemRateio {
    std::size_t linha = 0;
    std::int64_t idItem = 0;
    Dinheiro valor;  // Base_Comissao
    Dinheiro acrescimos;
};

// An item without a free row of its product (the items changed between the
// two statements) takes no part: its sellers' percentages are unknown.
std::vector<ItemRateio> LerItens(LinhasDaMatriz& linhas, BancoDados* banco, const ComandoSql& idNota,
                                 const RegrasBase& regras)
{
    Consulta itens("qryItensRateio", banco);
    itens.Abrir(kItensDoRateio + idNota + kGruposItem);
    std::vector<ItemRateio> lidos;
    for (; !itens.Fim(); itens.Proximo()) {
        const auto linha = linhas.Reservar(itens.Campo("no_item").Inteiro(), itens.Campo("id_produto").Inteiro());
        if (linha)
            lidos.push_back({*linha, itens.Campo("id_nf_comercio_item").Inteiro(),
                             itens.Campo("Base_Comissao").ComoDinheiro(), AcrescimosDoItem(itens, regras)});
    }
    return lidos;
}

// The invoice's services less its discount, shared by the items in
// proportion to their value (evenly when the values add up to 0), so that a
// seller's percentage stays between the rates of his items. Each share is
// the rounded running total less the shares before it: they add up to the whole.
std::vector<Dinheiro> RatearAjuste(const std::vector<ItemRateio>& itens, Dinheiro ajuste)
{
    Dinheiro valorTotal;
    for (const ItemRateio& item : itens)
        valorTotal += item.valor;
    const bool porValor = !valorTotal.Zero();
    const long double divisor = porValor ? valorTotal.Extended() : static_cast<long double>(itens.size());
    std::vector<Dinheiro> partes;
    Dinheiro acumulado;
    Dinheiro rateado;
    for (const ItemRateio& item : itens) {
        acumulado += porValor ? item.valor : Dinheiro::DeInteiro(1);
        const Dinheiro ateAqui = Dinheiro::DeExtended(Dividir(ajuste.Extended() * acumulado.Extended(), divisor));
        partes.push_back(ateAqui - rateado);
        rateado = ateAqui;
    }
    return partes;
}

Dinheiro CompletarMatriz(std::vector<LinhaRateio>& matriz, LinhasDaMatriz& linhas, BancoDados* banco,
                         const ComandoSql& idNota)
{
    const RegrasBase regras = LerRegrasBase(banco, idNota);
    const std::vector<ItemRateio> itens = LerItens(linhas, banco, idNota, regras);
    const std::vector<Dinheiro> partes = RatearAjuste(itens, regras.servico - regras.desconto);
    Dinheiro baseTotal;
    for (std::size_t i = 0; i < itens.size(); ++i) {
        const Dinheiro base = itens[i].valor + partes[i] + itens[i].acrescimos;
        LinhaRateio& linha = matriz[itens[i].linha];
        linha.idItem = itens[i].idItem;
        linha.base = Truncar(base.Real(), 2);
        PreencherComissoes(linha, base);
        baseTotal += base;
    }
    return baseTotal;
}

Dinheiro PercentualDe(Dinheiro valor, long double base)
{
    return ComoDinheiro(Arredondar(static_cast<double>(Dividir(valor.Extended(), base) * 100), 2));
}

Dinheiro SomaComissoes(const LinhaRateio& linha)
{
    Dinheiro soma;
    for (const Dinheiro comissao : linha.comissoes)
        soma += comissao;
    return soma;
}

void AcrescentarPercentuaisNota(std::vector<ComandoSql>& comandos, const std::vector<LinhaRateio>& matriz,
                                Dinheiro baseTotal, const ComandoSql& idNota)
{
    for (int slot = 1; slot <= kSlotsVendedor; ++slot) {
        Dinheiro comissao;
        for (const LinhaRateio& linha : matriz)
            comissao += linha.comissoes[static_cast<std::size_t>(slot - 1)];
        const Dinheiro percentual = PercentualDe(comissao, baseTotal.Extended());
        comandos.push_back(" update mov_nf_comercio mc set mc." + ColunaSlot("PO_COMISSAO", slot) + " = " +
                           ParametroDoLiteral(LiteralQuatroCasas(percentual.Extended())) +
                           " where mc.id_nf_comercio = " + idNota);
    }
    comandos.push_back(
        " update mov_nf_comercio mc set mc.VL_PO_PRODUTO_TOTAL = PO_COMISSAO + PO_COMISSAO2 +"
        " PO_COMISSAO3 + PO_COMISSAO4 + PO_COMISSAO5 where mc.id_nf_comercio = " +
        idNota);
}

// A row that no item reached has no item identifier: its update would hit an
// item whose identifier is 0, of whatever invoice.
void AcrescentarPercentuaisItens(std::vector<ComandoSql>& comandos, const std::vector<LinhaRateio>& matriz,
                                 const LinhasDaMatriz& linhas)
{
    for (std::size_t i = 0; i < matriz.size(); ++i) {
        if (!linhas.Ocupada(i))
            continue;
        const LinhaRateio& linha = matriz[i];
        const Dinheiro percentual = linha.base > 0 ? PercentualDe(SomaComissoes(linha), linha.base) : Dinheiro();
        comandos.push_back(" update mov_nf_comercio_item mci  set mci.po_comissao = " +
                           ParametroDoLiteral(LiteralQuatroCasas(percentual.Extended())) +
                           " where mci.id_nf_comercio_item = " + ParametroInteiro(linha.idItem));
    }
}

}  // namespace

std::vector<ComandoSql> ComandosDoRateio(std::int64_t idNota, std::vector<LinhaRateio>& matriz, BancoDados* banco)
{
    const ComandoSql id = ParametroInteiro(idNota);
    LinhasDaMatriz linhas(matriz);
    const Dinheiro baseTotal = CompletarMatriz(matriz, linhas, banco, id);
    // Every percentage divides by the total: the invoice cannot be shared.
    if (baseTotal.Zero())
        throw ErroAritmetico("Base de comissão zero.");
    std::vector<ComandoSql> comandos;
    AcrescentarPercentuaisNota(comandos, matriz, baseTotal, id);
    AcrescentarPercentuaisItens(comandos, matriz, linhas);
    return comandos;
}
