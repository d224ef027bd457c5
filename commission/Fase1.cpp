// Phase 1: commission base, value and percentage of every pending invoice
// (modes 0 to 5), or the sellers' shares per item (mode 6); and the table
// look-ups behind the shares.
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/Progresso.h"
#include "commission/RateioComissao.h"
#include "commission/SlotVendedor.h"
#include "commission/TabelaComissao.h"
#include "comum/ComandoSql.h"
#include "comum/Literais.h"
#include "comum/Numericos.h"
#include "db/SessaoBanco.h"

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

constexpr int kModoRateio = 6;

// The statement's result column has the name of the invoice column it fills,
// which keeps two decimals.
void GravarResultado(SessaoBanco& sessao, Consulta& calculo, std::int64_t idNota, const ComandoSql& sql,
                     const std::string& coluna, ObservadorCalculo& observador, const char* origem)
{
    sessao.AbrirConsulta(calculo, sql);
    const Dinheiro valor = calculo.Campo(coluna).ComoDinheiro();
    observador.Passo(coluna.c_str(), origem, valor.Extended(), Dinheiro::DeExtended(Arredondar(valor.Real(), 2)));
    AtualizarCampoNota(sessao, idNota, coluna, valor);
}

// Each statement reads the columns the one before it has just committed.
void CalcularComissaoNota(SessaoBanco& sessao, Consulta& calculo, std::int64_t idNota, ObservadorCalculo& observador)
{
    const ComandoSql id = ParametroInteiro(idNota);
    GravarResultado(sessao, calculo, idNota, kBaseComissao + id + " group by mc.vl_desconto", "VL_BASE_COMISSAO",
                    observador,
                    "Σ (total do item − frete unitário × quantidade, se o frete está incluso) − desconto da NF");
    GravarResultado(
        sessao, calculo, idNota, kValorComissao + id, "VL_COMISSAO", observador,
        "Σ (total do item − frete incluso) × (1 − desconto / (base + desconto)) × percentual do item / 100");
    GravarResultado(sessao, calculo, idNota, kPercentualComissao + id + " and mc.vl_base_comissao > 0", "PO_COMISSAO",
                    observador,
                    "VL_COMISSAO × 100 / VL_BASE_COMISSAO − percentuais dos vendedores 2 a 5 sem comissão adicional");
}

void RatearComissaoNota(SessaoBanco& sessao, Consulta& itens, std::int64_t idNota, ObservadorCalculo& observador)
{
    std::vector<LinhaRateio> matriz = MontarMatrizComissao(sessao, idNota, itens);
    RatearComissaoPorVendedor(idNota, matriz, sessao.Banco(), sessao.IBT_Gen);
    for (const LinhaRateio& linha : matriz)
        observador.ItemRateio(linha);
}

// The selection of pending invoices carries no number: a warning reads it.
std::string NumeroNota(Consulta& consulta, std::int64_t idNota)
{
    consulta.Abrir(" select nr_nota_fiscal from mov_nf_comercio where id_nf_comercio = " + ParametroInteiro(idNota));
    return consulta.Campo("nr_nota_fiscal").Texto();
}

void ProcessarNota(ContextoFase& contexto, const Consulta& nota, Consulta& calculo, Consulta& itens)
{
    const std::int64_t idNota = nota.Campo("id_nf_comercio").Inteiro();
    const std::int64_t modo = nota.Campo("id_sugerir_comissao").Inteiro();
    if (modo >= 0 && modo < kModoRateio)
        CalcularComissaoNota(contexto.sessao, calculo, idNota, contexto.observador);
    else if (modo == kModoRateio)
        RatearComissaoNota(contexto.sessao, itens, idNota, contexto.observador);
}

Dinheiro PercentualTabela(SessaoBanco& sessao, const Consulta& item, std::int64_t idVendedor)
{
    return LerComissaoVendedor(sessao, item.Campo("id_empresa").Inteiro(), idVendedor,
                               LerFabricaProduto(sessao, item.Campo("id_produto").Inteiro()));
}

void PreencherPercentuaisTabela(SessaoBanco& sessao, const Consulta& item, LinhaRateio& linha)
{
    for (int slot = 1; slot <= kSlotsVendedor; ++slot) {
        const std::int64_t idVendedor = item.Campo(ColunaSlot("ID_VENDEDOR", slot)).Inteiro();
        const Dinheiro percentual = idVendedor > 0 ? PercentualTabela(sessao, item, idVendedor) : Dinheiro();
        if (percentual > Dinheiro())
            ++linha.vendedoresComPercentual;
        linha.percentuais[static_cast<std::size_t>(slot - 1)] = percentual;
    }
}

}  // namespace

ResultadoFase1 ExecutarFase1(ContextoFase& contexto, int posicaoGauge)
{
    SessaoBanco& sessao = contexto.sessao;
    Consulta notas("qryNotasFase1", sessao.Banco());
    Consulta calculo("qryCalculoFase1", sessao.Banco());
    Consulta itens("qryItensFase1", sessao.Banco());
    ResultadoFase1 resultado;

    // Walked on the connection's default transaction, one row at a time:
    // each invoice's commit on IBT_Gen would close a cursor opened there.
    notas.Percorrer(kNotasPendentes);
    contexto.progresso.MostrarFase(1);
    contexto.progresso.IniciarGauge(notas.QuantidadeRegistros(), posicaoGauge);
    for (; !notas.Fim(); notas.Proximo()) {
        InterromperSePedido(contexto.progresso);
        const std::int64_t idNota = notas.Campo("id_nf_comercio").Inteiro();
        if (!ProcessarFonte(
                contexto, resultado.deixadas, kGrupoNotasVenda, [&] { return "NF " + NumeroNota(calculo, idNota); },
                [&] { ProcessarNota(contexto, notas, calculo, itens); }))
            resultado.notasDeixadas.insert(idNota);
        contexto.progresso.AvancarGauge();
    }
    ConfirmarGrupo(contexto);
    return resultado;
}

void AtualizarCampoNota(SessaoBanco& sessao, std::int64_t idNota, const std::string& coluna, Dinheiro valor)
{
    Consulta atualiza("qryAtualizaNota", sessao.Banco());
    sessao.ExecutarComando(atualiza,
                           " update mov_nf_comercio set " + coluna + " = " +
                               ParametroDoLiteral(LiteralDuasCasasSemPontos(Arredondar(valor.Real(), 2))) +
                               " where id_nf_comercio = " + ParametroInteiro(idNota),
                           false);
}

// The item list runs on the connection's default transaction: itens is never
// handed to AbrirConsulta.
std::vector<LinhaRateio> MontarMatrizComissao(SessaoBanco& sessao, std::int64_t idNota, Consulta& itens)
{
    itens.Abrir(kItensDaNota + ParametroInteiro(idNota));
    std::vector<LinhaRateio> matriz(static_cast<std::size_t>(itens.QuantidadeRegistros()));
    for (LinhaRateio& linha : matriz) {
        PreencherPercentuaisTabela(sessao, itens, linha);
        linha.idProduto = itens.Campo("id_produto").Inteiro();
        itens.Proximo();
    }
    return matriz;
}

std::int64_t LerFabricaProduto(SessaoBanco& sessao, std::int64_t idProduto)
{
    Consulta produto("qryFabricaProduto", sessao.Banco());
    sessao.AbrirConsulta(produto,
                         " select ID_FABRICA from CAD_PRODUTO where ID_PRODUTO = " + ParametroInteiro(idProduto));
    return produto.Campo("ID_FABRICA").Inteiro();
}

// A manufacturer row wins even when it holds 0 or NULL; only without one does
// the seller's general row count.
Dinheiro LerComissaoVendedor(SessaoBanco& sessao, std::int64_t empresa, std::int64_t vendedor, std::int64_t fabricante)
{
    Consulta tabela("qryComissaoVendedor", sessao.Banco());
    const ComandoSql chave = kComissaoVendedor + ParametroInteiro(empresa) +
                             " and tcv.id_vendedor = " + ParametroInteiro(vendedor);
    sessao.AbrirConsulta(tabela, chave + " and tcv.id_fabricante = " + ParametroInteiro(fabricante));
    if (tabela.QuantidadeRegistros() == 0)
        sessao.AbrirConsulta(tabela, chave + " and tcv.id_fabricante is null");
    return tabela.Campo("po_comissao").ComoDinheiro();
}
