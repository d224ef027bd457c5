// Phase 1: commission base, value and percentage of every pending invoice
// (modes 0 to 5), or the sellers' shares per item (mode 6), a block of
// invoices at a time; and the table look-ups behind the shares.
#include <algorithm>
#include <chrono>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/Progresso.h"
#include "commission/RateioComissao.h"
#include "commission/SlotVendedor.h"
#include "commission/TabelaComissao.h"
#include "commission/TamanhoBloco.h"
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

// A statement of modes 0 to 5 whose result column has the name of the invoice
// column it fills, which keeps two decimals; each reads the column the one
// before it has just written.
struct PassoCalculo {
    const char* consulta;
    const char* complemento;  // follows the invoice's identifier
    const char* coluna;
    const char* origem;
};

const PassoCalculo kPassosCalculo[] = {
    {kBaseComissao, " group by mc.vl_desconto", "VL_BASE_COMISSAO",
     "Σ (total do item − frete unitário × quantidade, se o frete está incluso) − desconto da NF"},
    {kValorComissao, "", "VL_COMISSAO",
     "Σ (total do item − frete incluso) × (1 − desconto / (base + desconto)) × percentual do item / 100"},
    {kPercentualComissao, " and mc.vl_base_comissao > 0", "PO_COMISSAO",
     "VL_COMISSAO × 100 / VL_BASE_COMISSAO − percentuais dos vendedores 2 a 5 sem comissão adicional"},
};

struct NotaPendente {
    std::int64_t id = 0;
    std::int64_t modo = 0;
};

// The work of one invoice, a step at a time, so that a block of invoices can
// take each step over all of them before the next. Modes 0 to 5 take the
// three statements above; mode 6 first reads its items and the sellers'
// tables, then runs its updates one per step.
class CalculoNota {
public:
    CalculoNota(ContextoFase& contexto, NotaPendente nota, Consulta& calculo, Consulta& itens)
        : contexto_(contexto), nota_(nota), calculo_(calculo), itens_(itens)
    {
    }

    // False when the invoice has no step passo.
    bool ExecutarPasso(std::size_t passo)
    {
        if (nota_.modo >= 0 && nota_.modo < kModoRateio)
            return Calcular(passo);
        if (nota_.modo == kModoRateio)
            return Ratear(passo);
        return false;
    }

    void ExecutarTodos()
    {
        std::size_t passo = 0;
        while (ExecutarPasso(passo))
            ++passo;
    }

private:
    bool Calcular(std::size_t passo)
    {
        if (passo >= std::size(kPassosCalculo))
            return false;
        const PassoCalculo& calculo = kPassosCalculo[passo];
        SessaoBanco& sessao = contexto_.sessao;
        sessao.AbrirConsulta(calculo_, calculo.consulta + ParametroInteiro(nota_.id) + calculo.complemento);
        const Dinheiro valor = calculo_.Campo(calculo.coluna).ComoDinheiro();
        contexto_.observador.Passo(calculo.coluna, calculo.origem, valor.Extended(),
                                   Dinheiro::DeExtended(Arredondar(valor.Real(), 2)));
        AtualizarCampoNota(sessao, nota_.id, calculo.coluna, valor);
        return true;
    }

    bool Ratear(std::size_t passo)
    {
        if (passo == 0) {
            std::vector<LinhaRateio> matriz = MontarMatrizComissao(contexto_.sessao, nota_.id, itens_);
            comandos_ = ComandosDoRateio(nota_.id, matriz, contexto_.sessao.Banco());
            for (const LinhaRateio& linha : matriz)
                contexto_.observador.ItemRateio(linha);
            return true;
        }
        if (passo > comandos_.size())
            return false;
        Consulta comando("qryAtualizaRateio", contexto_.sessao.Banco());
        contexto_.sessao.ExecutarComando(comando, comandos_[passo - 1], false);
        return true;
    }

    ContextoFase& contexto_;
    NotaPendente nota_;
    Consulta& calculo_;
    Consulta& itens_;
    std::vector<ComandoSql> comandos_;  // mode 6's updates, once read
};

// The selection of pending invoices carries no number: a warning reads it.
std::string NumeroNota(Consulta& consulta, std::int64_t idNota)
{
    consulta.Abrir(" select nr_nota_fiscal from mov_nf_comercio where id_nf_comercio = " + ParametroInteiro(idNota));
    return consulta.Campo("nr_nota_fiscal").Texto();
}

// Updating one invoice's row several times in a row makes the engine move
// its earlier version off the page and write pages at once to keep their
// order: about five synchronous writes per invoice. Taking each step over a
// block of invoices before the next writes almost nothing before the commit.
// The invoices are independent: each statement reads only its own invoice.
class BlocosFase1 {
public:
    BlocosFase1(ContextoFase& contexto, ResultadoFase1& resultado)
        : contexto_(contexto),
          resultado_(resultado),
          calculo_("qryCalculoFase1", contexto.sessao.Banco()),
          itens_("qryItensFase1", contexto.sessao.Banco())
    {
    }

    // True when every invoice of the block was written.
    bool Processar(std::span<const NotaPendente> bloco)
    {
        if (bloco.size() > 1 && ExecutarJuntas(bloco))
            return true;
        bool todas = true;
        for (const NotaPendente& nota : bloco)
            todas = ProcessarSozinha(nota) && todas;
        return todas;
    }

private:
    // The block as one unit, step by step; false, with nothing of it kept,
    // when an invoice fails: the invoices then go one by one, and the failed
    // one is left and named as it would have been alone.
    bool ExecutarJuntas(std::span<const NotaPendente> bloco)
    {
        std::vector<CalculoNota> calculos;
        calculos.reserve(bloco.size());
        for (const NotaPendente& nota : bloco)
            calculos.emplace_back(contexto_, nota, calculo_, itens_);
        try {
            UnidadeFonte unidade(contexto_);
            std::size_t passo = 0;
            while (ExecutarPasso(calculos, passo))
                ++passo;
            unidade.Confirmar(static_cast<int>(bloco.size()));
            return true;
        } catch (const std::exception& erro) {
            if (!MotivoParaDeixar(erro))
                throw;
        }
        return false;
    }

    static bool ExecutarPasso(std::vector<CalculoNota>& calculos, std::size_t passo)
    {
        bool algum = false;
        for (CalculoNota& calculo : calculos)
            algum = calculo.ExecutarPasso(passo) || algum;
        return algum;
    }

    bool ProcessarSozinha(const NotaPendente& nota)
    {
        const bool feita = ProcessarFonte(
            contexto_, resultado_.deixadas, kGrupoNotasVenda, [&] { return "NF " + NumeroNota(calculo_, nota.id); },
            [&] { CalculoNota(contexto_, nota, calculo_, itens_).ExecutarTodos(); });
        if (!feita)
            resultado_.notasDeixadas.insert(nota.id);
        return feita;
    }

    ContextoFase& contexto_;
    ResultadoFase1& resultado_;
    Consulta calculo_;
    Consulta itens_;
};

// In the order of their identifiers: the suite stores invoices in that
// order, so a block's rows share few pages. In the selection's order (by
// nature) each block spread over the pages of all the pending invoices and
// phase 1 wrote ten times as many pages.
std::vector<NotaPendente> LerPendentes(Consulta& notas)
{
    std::vector<NotaPendente> pendentes;
    for (; !notas.Fim(); notas.Proximo())
        pendentes.push_back({notas.Campo("id_nf_comercio").Inteiro(), notas.Campo("id_sugerir_comissao").Inteiro()});
    std::ranges::sort(pendentes, {}, &NotaPendente::id);
    return pendentes;
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
    Consulta notas("qryNotasFase1", contexto.sessao.Banco());
    ResultadoFase1 resultado;
    BlocosFase1 blocos(contexto, resultado);
    TamanhoBloco tamanho;

    // Read to the end on the connection's default transaction before the
    // first block: a commit on IBT_Gen would close a cursor opened there.
    notas.Percorrer(kNotasPendentes);
    contexto.progresso.MostrarFase(1);
    const std::vector<NotaPendente> pendentes = LerPendentes(notas);
    contexto.progresso.IniciarGauge(static_cast<int>(pendentes.size()), posicaoGauge);
    for (std::size_t primeira = 0; primeira < pendentes.size();) {
        InterromperSePedido(contexto.progresso);
        const auto inicio = std::chrono::steady_clock::now();
        const std::span<const NotaPendente> bloco(pendentes.data() + primeira,
                                                  std::min(tamanho.Atual(), pendentes.size() - primeira));
        const bool semFalhas = blocos.Processar(bloco);
        tamanho.Ajustar(semFalhas, bloco.size(), std::chrono::steady_clock::now() - inicio);
        for (std::size_t nota = 0; nota < bloco.size(); ++nota)
            contexto.progresso.AvancarGauge();
        primeira += bloco.size();
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
