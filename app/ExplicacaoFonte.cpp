#include "app/ExplicacaoFonte.h"

#include <optional>
#include <set>
#include <utility>

#include "commission/AcertoCanhoto.h"
#include "commission/ContextoFase.h"
#include "commission/Fases.h"
#include "commission/ObservadorCalculo.h"
#include "commission/Progresso.h"
#include "commission/RateioComissao.h"
#include "comum/ComandoSql.h"
#include "comum/Literais.h"
#include "comum/Texto.h"
#include "db/SessaoBanco.h"

namespace {

// The steps the phases tell: those before the first row are the invoice's own.
class Anotacao : public ObservadorCalculo {
public:
    void Linha(const char* tipoRegistro, int slot, std::int64_t idVendedor) override
    {
        linhas.push_back({tipoRegistro, slot, idVendedor, {}, ""});
    }
    void Passo(const char* nome, const char* origem, long double exato, Dinheiro valor) override
    {
        Destino().push_back({nome, origem, exato, valor, false});
    }
    void Fator(const char* nome, const char* origem, double valor) override
    {
        Destino().push_back({nome, origem, valor, {}, true});
    }
    void SemComissao(int slot, std::int64_t idVendedor, const char* motivo) override
    {
        linhas.push_back({"", slot, idVendedor, {}, motivo});
    }
    void ItemRateio(const LinhaRateio& linha) override
    {
        itens.push_back({linha.idItem, linha.idProduto, linha.base, linha.percentuais, linha.comissoes});
    }

    std::vector<PassoExplicado> passosDaNota;
    std::vector<LinhaExplicada> linhas;
    std::vector<ItemExplicado> itens;

private:
    std::vector<PassoExplicado>& Destino() { return linhas.empty() ? passosDaNota : linhas.back().passos; }
};

// The phases run for one source and nobody watches them: only what they set
// aside is kept.
class ProgressoCalado : public Progresso {
public:
    void MostrarFase(int) override {}
    void IniciarGauge(int, int) override {}
    void AvancarGauge() override {}
    void ProcessarMensagens() override {}
    void Mensagem(const std::string&, const std::string&, Icone) override {}
    void ContarFonte(int) override {}
    void SepararFonte(const std::string&, const std::string& motivo) override { separadas.push_back(motivo); }
    bool ParadaPedida() const override { return false; }

    std::vector<std::string> separadas;
};

// A source as the request found it, and the statements that make it the only
// pending one of its kind.
struct Alvo {
    std::string fonte;
    std::int64_t id = 0;
    std::int64_t idNota = 0;  // the invoice, for a receivable too
    bool pendente = false;
    ComandoSql linhas{""};  // the condition that selects its commission rows
    std::vector<std::string> situacao;
};

std::vector<Alvo> AlvosDaNota(SessaoBanco& sessao, const std::string& numero)
{
    std::vector<Alvo> alvos;
    Consulta notas("qryExplicaNota", sessao.Banco());
    sessao.AbrirConsulta(notas,
                         " select id_nf_comercio, nr_nota_fiscal, st_calc_comissao, tp_base_comissao_outros,"
                         " id_st_nf from mov_nf_comercio where nr_nota_fiscal = " +
                             LiteralTexto(numero) + " order by id_nf_comercio");
    for (; !notas.Fim(); notas.Proximo()) {
        Alvo alvo;
        alvo.id = alvo.idNota = notas.Campo("id_nf_comercio").Inteiro();
        alvo.fonte = "NF " + notas.Campo("nr_nota_fiscal").Texto();
        alvo.pendente = notas.Campo("st_calc_comissao").Texto() == "S";
        alvo.linhas = " where tp_registro = 1 and id_nf_comercio = " + ParametroInteiro(alvo.id);
        const std::int64_t estado = notas.Campo("id_st_nf").Inteiro();
        if (estado != 3 && estado != 5)
            alvo.situacao.push_back("a NF está na situação " + std::to_string(estado) +
                                    ": só as situações 3 e 5 dão comissão");
        if (notas.Campo("tp_base_comissao_outros").Texto() == "R")
            alvo.situacao.push_back("a base da NF é informada (tipo R): a fase 1 não a recalcula");
        alvos.push_back(std::move(alvo));
    }
    return alvos;
}

std::vector<Alvo> AlvosDaDuplicata(SessaoBanco& sessao, const std::string& numero)
{
    std::vector<Alvo> alvos;
    Consulta duplicata("qryExplicaDuplicata", sessao.Banco());
    sessao.AbrirConsulta(duplicata,
                         " select id_financeiro, id_nf_comercio, no_documento, st_calc_comissao from"
                         " mov_financeiro where id_financeiro = " +
                             ParametroInteiro(std::stoll(numero)));
    if (duplicata.QuantidadeRegistros() > 0) {
        Alvo alvo;
        alvo.id = duplicata.Campo("id_financeiro").Inteiro();
        alvo.idNota = duplicata.Campo("id_nf_comercio").Inteiro();
        alvo.fonte = "Duplicata " + duplicata.Campo("no_documento").Texto();
        alvo.pendente = duplicata.Campo("st_calc_comissao").Texto() == "S";
        alvo.linhas = " where tp_registro = 2 and id_financeiro = " + ParametroInteiro(alvo.id);
        alvos.push_back(std::move(alvo));
    }
    return alvos;
}

std::vector<Alvo> AlvosDoAcerto(SessaoBanco& sessao, const std::string& numero)
{
    std::vector<Alvo> alvos;
    Consulta acerto("qryExplicaAcerto", sessao.Banco());
    sessao.AbrirConsulta(acerto,
                         " select id_acerto_comissao, st_calc_comissao, tp_acerto, ds_acerto from"
                         " mov_acerto_comissao where id_acerto_comissao = " +
                             ParametroInteiro(std::stoll(numero)));
    if (acerto.QuantidadeRegistros() > 0) {
        Alvo alvo;
        alvo.id = acerto.Campo("id_acerto_comissao").Inteiro();
        alvo.fonte = "Acerto " + std::to_string(alvo.id);
        alvo.pendente = acerto.Campo("st_calc_comissao").Texto() == "S";
        alvo.linhas = " where tp_registro = 3 and id_acerto_comissao = " + ParametroInteiro(alvo.id);
        alvo.situacao.push_back(std::string("acerto ") +
                                (acerto.Campo("tp_acerto").Texto() == "A" ? "a crédito" : "a débito") + " (TP_ACERTO " +
                                acerto.Campo("tp_acerto").Texto() + "): " + acerto.Campo("ds_acerto").Texto());
        alvos.push_back(std::move(alvo));
    }
    return alvos;
}

std::vector<Alvo> Alvos(SessaoBanco& sessao, const PedidoExplicacao& pedido)
{
    switch (pedido.tipo) {
    case PedidoExplicacao::Tipo::Nota:
        return AlvosDaNota(sessao, pedido.numero);
    case PedidoExplicacao::Tipo::Duplicata:
        return AlvosDaDuplicata(sessao, pedido.numero);
    case PedidoExplicacao::Tipo::Acerto:
        return AlvosDoAcerto(sessao, pedido.numero);
    }
    return {};
}

// The settlements that stand against the source's rows: the reversal and the
// payback of an undelivered receipt, and an invoice's claw-back.
std::vector<AcertoFotografado> AcertosDaFonte(SessaoBanco& sessao, const std::vector<LinhaFotografada>& linhas)
{
    std::set<std::string> descricoes;
    for (const LinhaFotografada& linha : linhas) {
        if (linha.tipo == "3")
            continue;
        MovimentoCanhoto movimento;
        movimento.tpRegistro = linha.tipo;
        movimento.noDocumento = Valor::DeTexto(linha.documento);
        descricoes.insert(DescricaoAcerto(kTextosEstorno, movimento));
        descricoes.insert(DescricaoAcerto(kTextosPagamento, movimento));
        if (linha.tipo == "1")
            descricoes.insert("Estorno da comissão antecipada da NF " + linha.documento);
    }
    if (descricoes.empty())
        return {};
    std::string lista;
    for (const std::string& descricao : descricoes)
        lista += (lista.empty() ? "" : ",") + LiteralTexto(descricao);
    return LerAcertos(sessao, " where ds_acerto in (" + lista + ")");
}

std::vector<ItemDaNota> ItensDaNota(SessaoBanco& sessao, std::int64_t idNota)
{
    std::vector<ItemDaNota> itens;
    Consulta item("qryExplicaItens", sessao.Banco());
    sessao.AbrirConsulta(item,
                         " select no_item, id_produto, qt_produto, vl_total, st_frete_incluso, vl_frete_unit,"
                         " po_comissao, vl_unit_reducao_comissao from mov_nf_comercio_item where"
                         " id_nf_comercio = " +
                             ParametroInteiro(idNota) + " order by no_item, id_nf_comercio_item");
    for (; !item.Fim(); item.Proximo())
        itens.push_back({item.Campo("no_item").Inteiro(), item.Campo("id_produto").Inteiro(),
                         item.Campo("qt_produto").ComoDinheiro(), item.Campo("vl_total").ComoDinheiro(),
                         item.Campo("vl_frete_unit").ComoDinheiro(), item.Campo("po_comissao").ComoDinheiro(),
                         item.Campo("vl_unit_reducao_comissao").ComoDinheiro(),
                         item.Campo("st_frete_incluso").Texto() == "S"});
    return itens;
}

// Only this source is pending in the rolled-back transaction, so each phase
// that takes its kind runs for it alone, by its own selection.
void IsolarFonte(SessaoBanco& sessao, const PedidoExplicacao::Tipo tipo, const Alvo& alvo)
{
    const ComandoSql nota = ParametroInteiro(alvo.idNota);
    const ComandoSql id = ParametroInteiro(alvo.id);
    switch (tipo) {
    case PedidoExplicacao::Tipo::Nota:
        sessao.IBQ_Gen.Executar(
            " update mov_nf_comercio set st_calc_comissao = 'N' where st_calc_comissao = 'S' and"
            " id_nf_comercio <> " +
            nota);
        sessao.IBQ_Gen.Executar(" update mov_nf_comercio set st_calc_comissao = 'S' where id_nf_comercio = " + nota);
        return;
    case PedidoExplicacao::Tipo::Duplicata:
        sessao.IBQ_Gen.Executar(
            " update mov_nf_comercio set st_calc_comissao = 'N' where st_calc_comissao = 'S' and"
            " id_nf_comercio <> " +
            nota);
        sessao.IBQ_Gen.Executar(
            " update mov_financeiro set st_calc_comissao = 'N' where st_calc_comissao = 'S' and"
            " id_financeiro <> " +
            id);
        sessao.IBQ_Gen.Executar(" update mov_financeiro set st_calc_comissao = 'S' where id_financeiro = " + id);
        return;
    case PedidoExplicacao::Tipo::Acerto:
        sessao.IBQ_Gen.Executar(
            " update mov_acerto_comissao set st_calc_comissao = 'N' where st_calc_comissao = 'S'"
            " and id_acerto_comissao <> " +
            id);
        sessao.IBQ_Gen.Executar(" update mov_acerto_comissao set st_calc_comissao = 'S' where id_acerto_comissao = " +
                                id);
        return;
    }
}

// The phases the source's rows come from: an invoice's base and percentages
// first, then its rows on invoicing, or the receivable's, or the settlement's.
std::vector<FonteDeixada> ExecutarFasesDaFonte(ContextoFase& contexto, PedidoExplicacao::Tipo tipo)
{
    std::vector<FonteDeixada> deixadas;
    const auto juntar = [&](const std::vector<FonteDeixada>& mais) {
        deixadas.insert(deixadas.end(), mais.begin(), mais.end());
    };
    if (tipo == PedidoExplicacao::Tipo::Acerto) {
        juntar(ExecutarFase7(contexto).deixadas);
        return deixadas;
    }
    ResultadoFase1 fase1 = ExecutarFase1(contexto, 0);
    juntar(fase1.deixadas);
    if (tipo == PedidoExplicacao::Tipo::Nota)
        juntar(ExecutarFase5(contexto, fase1.notasDeixadas).deixadas);
    else
        juntar(ExecutarFase6(contexto, fase1.notasDeixadas).deixadas);
    return deixadas;
}

std::string EstadoDaLinha(const LinhaFotografada& linha)
{
    std::string estado = linha.estorno == "S" ? "estornada" : linha.bloqueio == "S" ? "bloqueada" : "livre";
    return linha.paga ? estado + ", paga" : estado;
}

bool MesmaLinha(const LinhaFotografada& a, const LinhaFotografada& b)
{
    return a.idVendedor == b.idVendedor && a.base == b.base && a.percentual == b.percentual &&
           a.comissao == b.comissao && EstadoDaLinha(a) == EstadoDaLinha(b);
}

bool MesmasLinhas(const std::vector<LinhaFotografada>& a, const std::vector<LinhaFotografada>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!MesmaLinha(a[i], b[i]))
            return false;
    return true;
}

// Why the rows the run computes now and those that stand are not the same,
// or why they are and stay.
std::vector<std::string> Diferencas(const Explicacao& explicacao, const Alvo& alvo,
                                    const std::vector<std::string>& separadas,
                                    const std::vector<FonteDeixada>& deixadas)
{
    std::vector<std::string> motivos;
    motivos.reserve(separadas.size() + deixadas.size() + explicacao.noBanco.size() + 1);
    for (const std::string& motivo : separadas)
        motivos.push_back("a rodada separa a fonte (" + motivo + "): as linhas que estão no banco ficam como estão");
    for (const FonteDeixada& deixada : deixadas)
        motivos.push_back("a rodada deixa " + deixada.fonte + " como está (" + deixada.motivo +
                          "): ela fica pendente e é tentada de novo a cada rodada");
    for (const LinhaFotografada& linha : explicacao.noBanco)
        if (linha.estorno == "S")
            motivos.push_back("o estorno por canhoto não recebido do vendedor " + std::to_string(linha.idVendedor) +
                              " está em pé: a linha refeita herda o bloqueio e o estorno, e o acerto fica");
    if (!separadas.empty() || !deixadas.empty())
        return motivos;
    if (MesmasLinhas(explicacao.calculadas, explicacao.noBanco)) {
        motivos.push_back("nenhuma: o banco tem o que a rodada calcula agora");
        return motivos;
    }
    motivos.push_back(alvo.pendente
                          ? "a fonte está pendente (st_calc_comissao = 'S'): a próxima rodada grava o que "
                            "está calculado acima"
                          : "a fonte não está pendente (st_calc_comissao = 'N'): a rodada não a refaz, e o "
                            "banco guarda o cálculo da última vez que ela foi refeita, com os dados de então");
    return motivos;
}

Explicacao ExplicarAlvo(SessaoBanco& sessao, const Relogio& relogio, PedidoExplicacao::Tipo tipo, const Alvo& alvo)
{
    Explicacao explicacao;
    explicacao.fonte = alvo.fonte;
    explicacao.situacao = alvo.situacao;
    explicacao.situacao.insert(explicacao.situacao.begin(), alvo.pendente
                                                                ? "pendente de cálculo (st_calc_comissao = 'S')"
                                                                : "sem cálculo pendente (st_calc_comissao = 'N')");
    if (alvo.idNota != 0)
        explicacao.itensDaNota = ItensDaNota(sessao, alvo.idNota);
    explicacao.noBanco = LerLinhas(sessao, alvo.linhas);
    explicacao.acertos = AcertosDaFonte(sessao, explicacao.noBanco);

    Anotacao anotacao;
    ProgressoCalado progresso;
    ContextoFase contexto{sessao, progresso, relogio, anotacao};
    std::vector<FonteDeixada> deixadas;
    {
        const SimulacaoBanco simulacao(sessao);
        IsolarFonte(sessao, tipo, alvo);
        deixadas = ExecutarFasesDaFonte(contexto, tipo);
        explicacao.calculadas = LerLinhas(sessao, alvo.linhas);
    }
    explicacao.passosDaNota = std::move(anotacao.passosDaNota);
    explicacao.itens = std::move(anotacao.itens);
    explicacao.linhas = std::move(anotacao.linhas);
    explicacao.diferencas = Diferencas(explicacao, alvo, progresso.separadas, deixadas);
    return explicacao;
}

}  // namespace

PedidoExplicacao LerPedidoExplicacao(const std::vector<std::string>& palavras)
{
    PedidoExplicacao pedido;
    const std::string tipo = palavras.size() > 1 ? Minusculas(palavras[1]) : "";
    pedido.tipo = tipo == "duplicata" ? PedidoExplicacao::Tipo::Duplicata
                  : tipo == "acerto"  ? PedidoExplicacao::Tipo::Acerto
                                      : PedidoExplicacao::Tipo::Nota;
    pedido.numero = palavras.size() > 2 ? palavras[2] : "";
    return pedido;
}

std::vector<Explicacao> Explicar(SessaoBanco& sessao, const Relogio& relogio, const PedidoExplicacao& pedido)
{
    std::vector<Explicacao> explicacoes;
    for (const Alvo& alvo : Alvos(sessao, pedido))
        explicacoes.push_back(ExplicarAlvo(sessao, relogio, pedido.tipo, alvo));
    return explicacoes;
}
