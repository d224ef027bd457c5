// Phase 1: commission base, value and percentage of every pending invoice
// (modes 0 to 5), or the sellers' shares per item (mode 6); and the table
// look-ups behind the shares.
#include <string>
#include <vector>

#include "app/UnPrincipal.h"
#include "commission/RateioComissao.h"
#include "commission/SlotVendedor.h"
#include "comum/Literais.h"
#include "comum/Numericos.h"

namespace {

const char* const kNotasPendentes =
    " select mc.id_nf_comercio, tno.id_sugerir_comissao, mc.id_empresa,  mc.ID_VENDEDOR, mc.ID_VENDEDOR2,"
    " mc.ID_VENDEDOR3, mc.ID_VENDEDOR4, mc.ID_VENDEDOR5  from mov_nf_comercio mc inner join tab_nat_operacao tno"
    " on (tno.id_nat_operacao = mc.id_nat_operacao) where mc.vl_produtos > 0 and mc.st_calc_comissao = 'S' and"
    " Coalesce(mc.tp_base_comissao_outros,'P') <> 'R' and mc.vl_total_nf > 0 and mc.id_st_nf in (3,5)";

const char* const kBaseComissao =
    " select Cast(Sum(mci.vl_total - (case mci.st_frete_incluso when 'S' then mci.qt_produto * mci.vl_frete_unit"
    " else 0 end)) - mc.vl_desconto as numeric (15, 2)) as vl_base_comissao from mov_nf_comercio_item mci inner"
    " join mov_nf_comercio mc on (mc.id_nf_comercio = mci.id_nf_comercio) where mci.id_nf_comercio = ";

const char* const kValorComissao =
    " select Sum( (mci.vl_total - (case mci.st_frete_incluso when 'S' then cast(mci.qt_produto * mci.vl_frete_unit"
    " as numeric(15,2)) else 0 end)) *(1 - (mc.vl_desconto / (mc.vl_base_comissao + mc.vl_desconto))) *"
    " mci.po_comissao / 100) as vl_comissao from mov_nf_comercio_item mci inner join mov_nf_comercio mc on"
    " (mc.id_nf_comercio = mci.id_nf_comercio) where mci.id_nf_comercio = ";

const char* const kPercentualComissao =
    " select cast((mc.vl_comissao * 100 / mc.vl_base_comissao) - (case mc.st_comissao_ad2 when 'N' then"
    " Coalesce(mc.po_comissao2, 0) else 0 end) - (case mc.st_comissao_ad3 when 'N' then Coalesce(mc.po_comissao3, 0)"
    " else 0 end) - (case mc.st_comissao_ad4 when 'N' then Coalesce(mc.po_comissao4, 0) else 0 end) - (case"
    " mc.st_comissao_ad5 when 'N' then Coalesce(mc.po_comissao5, 0) else 0 end) as numeric (15,2)) as po_comissao"
    " from mov_nf_comercio mc where mc.id_nf_comercio = ";

const char* const kItensDaNota =
    " select mci.id_nf_comercio, mci.id_produto, mc.id_empresa, mc.id_vendedor, mc.id_vendedor2, mc.id_vendedor3,"
    " mc.id_vendedor4, mc.id_vendedor5 from mov_nf_comercio_item mci inner join mov_nf_comercio mc on"
    " (mc.id_nf_comercio = mci.id_nf_comercio) where mci.id_nf_comercio = ";

const char* const kComissaoVendedor =
    " select tcv.po_comissao from tab_comissao_por_vendedor tcv where tcv.id_empresa = ";

constexpr int kSlots = 5;
constexpr int kModoRateio = 6;

// The statement's result column has the name of the invoice column it fills.
void GravarResultado(TfrmPrincipal& janela, Consulta& calculo, std::int64_t idNota, const std::string& sql,
                     const std::string& coluna)
{
    janela.AbrirConsulta(calculo, sql);
    janela.AtualizarCampoNota(idNota, coluna, calculo.Campo(coluna).ComoDinheiro());
}

// Each statement reads the columns the one before it has just committed.
void CalcularComissaoNota(TfrmPrincipal& janela, Consulta& calculo, std::int64_t idNota)
{
    const std::string id = LiteralInteiro(idNota);
    GravarResultado(janela, calculo, idNota, kBaseComissao + id + " group by mc.vl_desconto", "VL_BASE_COMISSAO");
    GravarResultado(janela, calculo, idNota, kValorComissao + id, "VL_COMISSAO");
    GravarResultado(janela, calculo, idNota, kPercentualComissao + id + " and mc.vl_base_comissao > 0",
                    "PO_COMISSAO");
}

void RatearComissaoNota(TfrmPrincipal& janela, Consulta& itens, std::int64_t idNota)
{
    const std::vector<std::int64_t> produtoDaLinha = janela.MontarMatrizComissao(idNota, itens);
    RatearComissaoPorVendedor(idNota, janela.it_MatrizComissaoPorVendedor, produtoDaLinha,
                              janela.IBD_BancoDados.get());
}

void ProcessarNota(TfrmPrincipal& janela, const Consulta& nota, Consulta& calculo, Consulta& itens)
{
    const std::int64_t idNota = nota.Campo("id_nf_comercio").Inteiro();
    const std::int64_t modo = nota.Campo("id_sugerir_comissao").Inteiro();
    if (modo >= 0 && modo < kModoRateio)
        CalcularComissaoNota(janela, calculo, idNota);
    else if (modo == kModoRateio)
        RatearComissaoNota(janela, itens, idNota);
}

Dinheiro PercentualTabela(TfrmPrincipal& janela, const Consulta& item, std::int64_t idVendedor)
{
    return janela.LerComissaoVendedor(item.Campo("id_empresa").Inteiro(), idVendedor,
                                      janela.LerFabricaProduto(item.Campo("id_produto").Inteiro()));
}

void PreencherPercentuaisTabela(TfrmPrincipal& janela, const Consulta& item, std::vector<double>& linha)
{
    for (int slot = 1; slot <= kSlots; ++slot) {
        const std::int64_t idVendedor = item.Campo(ColunaSlot("ID_VENDEDOR", slot)).Inteiro();
        const Dinheiro percentual = idVendedor > 0 ? PercentualTabela(janela, item, idVendedor) : Dinheiro();
        if (percentual > Dinheiro())
            linha[kColunaVendedoresComPercentual] += 1;
        linha[slot - 1] = percentual.Real();
    }
}

}  // namespace

void TfrmPrincipal::ProcessarFase1()
{
    Consulta notas("qryNotasFase1", IBD_BancoDados.get());
    Consulta calculo("qryCalculoFase1", IBD_BancoDados.get());
    Consulta itens("qryItensFase1", IBD_BancoDados.get());

    AbrirConsulta(notas, kNotasPendentes);
    MostrarFase("Fase 1/9");
    IniciarGauge(notas.QuantidadeRegistros(), Gauge1.Progress);
    for (notas.Primeiro(); !notas.Fim(); notas.Proximo()) {
        ProcessarNota(*this, notas, calculo, itens);
        AvancarGauge();
    }
}

void TfrmPrincipal::AtualizarCampoNota(std::int64_t idNota, const std::string& coluna, Dinheiro valor)
{
    Consulta atualiza("qryAtualizaNota", IBD_BancoDados.get());
    ExecutarComando(atualiza,
                    " update mov_nf_comercio set " + coluna + " = " +
                        LiteralDuasCasasSemPontos(Arredondar(valor.Real(), 2)) +
                        " where id_nf_comercio = " + LiteralInteiro(idNota),
                    true);
}

// The item list runs on the connection's default transaction: itens is never
// handed to AbrirConsulta.
std::vector<std::int64_t> TfrmPrincipal::MontarMatrizComissao(std::int64_t idNota, Consulta& itens)
{
    it_MatrizComissaoPorVendedor.clear();
    Abrir(itens, kItensDaNota + LiteralInteiro(idNota));
    it_MatrizComissaoPorVendedor.assign(static_cast<std::size_t>(itens.QuantidadeRegistros()),
                                        std::vector<double>(kColunasMatrizComissao, 0.0));
    std::vector<std::int64_t> produtoDaLinha;
    for (auto& linha : it_MatrizComissaoPorVendedor) {
        PreencherPercentuaisTabela(*this, itens, linha);
        produtoDaLinha.push_back(itens.Campo("id_produto").Inteiro());
        itens.Proximo();
    }
    return produtoDaLinha;
}

std::int64_t TfrmPrincipal::LerFabricaProduto(std::int64_t idProduto)
{
    Consulta produto("qryFabricaProduto", IBD_BancoDados.get());
    AbrirConsulta(produto, " select ID_FABRICA from CAD_PRODUTO where ID_PRODUTO = " + LiteralInteiro(idProduto));
    return produto.Campo("ID_FABRICA").Inteiro();
}

// A manufacturer row wins even when it holds 0 or NULL; only without one does
// the seller's general row count.
Dinheiro TfrmPrincipal::LerComissaoVendedor(std::int64_t empresa, std::int64_t vendedor, std::int64_t fabricante)
{
    Consulta tabela("qryComissaoVendedor", IBD_BancoDados.get());
    const std::string chave =
        kComissaoVendedor + LiteralInteiro(empresa) + " and tcv.id_vendedor = " + LiteralInteiro(vendedor);
    AbrirConsulta(tabela, chave + " and tcv.id_fabricante = " + LiteralInteiro(fabricante));
    if (tabela.QuantidadeRegistros() == 0)
        AbrirConsulta(tabela, chave + " and tcv.id_fabricante is null");
    return tabela.Campo("po_comissao").ComoDinheiro();
}
