#include "commission/FotografiaComissoes.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "db/SessaoBanco.h"

namespace {

const char* const kLinhas =
    " select id_comissao, tp_registro, id_nf_comercio, id_financeiro, id_acerto_comissao, id_vendedor, no_documento,"
    " vl_base_comissao, po_comissao, vl_comissao, st_bloqueio_1, st_estorno_1, id_comissao_gerada from mov_comissao";
const char* const kAcertos =
    " select id_acerto_comissao, id_vendedor, vl_acerto, tp_acerto, ds_acerto from mov_acerto_comissao";

using Chave = std::tuple<std::string, std::int64_t, std::int64_t, std::int64_t, std::int64_t>;

Chave ChaveDaLinha(const LinhaFotografada& linha)
{
    return {linha.tipo, linha.idNota, linha.idFinanceiro, linha.idAcerto, linha.idVendedor};
}

// A seller may sit in two slots of one invoice: his rows of a source are
// paired in the order they were written.
std::map<Chave, std::vector<const LinhaFotografada*>> PorChave(const std::vector<LinhaFotografada>& linhas)
{
    std::map<Chave, std::vector<const LinhaFotografada*>> grupos;
    for (const LinhaFotografada& linha : linhas)
        grupos[ChaveDaLinha(linha)].push_back(&linha);
    return grupos;
}

std::string Estado(const LinhaFotografada& linha)
{
    if (linha.estorno == "S")
        return "estornada";
    if (linha.bloqueio == "S")
        return "bloqueada";
    return "";
}

bool Iguais(const LinhaFotografada& a, const LinhaFotografada& b)
{
    return a.base == b.base && a.percentual == b.percentual && a.comissao == b.comissao && Estado(a) == Estado(b);
}

void AnotarLado(MudancaLinha& mudanca, const LinhaFotografada* linha, bool depois)
{
    if (linha == nullptr)
        return;
    (depois ? mudanca.comissaoDepois : mudanca.comissaoAntes) = linha->comissao;
    (depois ? mudanca.baseDepois : mudanca.baseAntes) = linha->base;
    (depois ? mudanca.estadoDepois : mudanca.estadoAntes) = Estado(*linha);
}

MudancaLinha Mudanca(const LinhaFotografada* antes, const LinhaFotografada* depois)
{
    const LinhaFotografada& qualquer = antes != nullptr ? *antes : *depois;
    MudancaLinha mudanca;
    mudanca.tipo = antes == nullptr    ? MudancaLinha::Tipo::Incluida
                   : depois == nullptr ? MudancaLinha::Tipo::Removida
                                       : MudancaLinha::Tipo::Alterada;
    mudanca.fonte = FonteDaLinha(qualquer);
    mudanca.idVendedor = qualquer.idVendedor;
    mudanca.tipoRegistro = qualquer.tipo;
    AnotarLado(mudanca, antes, false);
    AnotarLado(mudanca, depois, true);
    return mudanca;
}

std::vector<MudancaLinha> LinhasMudadas(const FotografiaComissoes& antes, const FotografiaComissoes& depois)
{
    const auto gruposAntes = PorChave(antes.linhas);
    const auto gruposDepois = PorChave(depois.linhas);
    std::map<Chave, std::pair<std::vector<const LinhaFotografada*>, std::vector<const LinhaFotografada*>>> pares;
    for (const auto& [chave, linhas] : gruposAntes)
        pares[chave].first = linhas;
    for (const auto& [chave, linhas] : gruposDepois)
        pares[chave].second = linhas;
    std::vector<MudancaLinha> mudancas;
    for (const auto& [chave, lados] : pares) {
        const auto& [deAntes, deDepois] = lados;
        for (std::size_t i = 0; i < std::max(deAntes.size(), deDepois.size()); ++i) {
            const LinhaFotografada* a = i < deAntes.size() ? deAntes[i] : nullptr;
            const LinhaFotografada* d = i < deDepois.size() ? deDepois[i] : nullptr;
            if (a == nullptr || d == nullptr || !Iguais(*a, *d))
                mudancas.push_back(Mudanca(a, d));
        }
    }
    std::stable_sort(mudancas.begin(), mudancas.end(), [](const MudancaLinha& a, const MudancaLinha& b) {
        return std::tie(a.fonte, a.idVendedor) < std::tie(b.fonte, b.idVendedor);
    });
    return mudancas;
}

std::vector<TotalVendedor> TotaisMudados(const FotografiaComissoes& antes, const FotografiaComissoes& depois)
{
    std::map<std::int64_t, TotalVendedor> totais;
    for (const LinhaFotografada& linha : antes.linhas)
        totais[linha.idVendedor].antes += linha.comissao;
    for (const LinhaFotografada& linha : depois.linhas)
        totais[linha.idVendedor].depois += linha.comissao;
    std::vector<TotalVendedor> mudados;
    for (auto& [idVendedor, total] : totais)
        if (total.antes != total.depois) {
            total.idVendedor = idVendedor;
            mudados.push_back(total);
        }
    return mudados;
}

std::vector<AcertoFotografado> AcertosNovos(const FotografiaComissoes& antes, const FotografiaComissoes& depois)
{
    std::vector<AcertoFotografado> novos;
    for (const AcertoFotografado& acerto : depois.acertos)
        if (!std::binary_search(
                antes.acertos.begin(), antes.acertos.end(), acerto,
                [](const AcertoFotografado& a, const AcertoFotografado& b) { return a.idAcerto < b.idAcerto; }))
            novos.push_back(acerto);
    return novos;
}

}  // namespace

FotografiaComissoes Fotografar(SessaoBanco& sessao)
{
    return {LerLinhas(sessao, ComandoSql("")), LerAcertos(sessao, ComandoSql(""))};
}

std::vector<LinhaFotografada> LerLinhas(SessaoBanco& sessao, const ComandoSql& condicao)
{
    std::vector<LinhaFotografada> linhas;
    Consulta consulta("qryFotografia", sessao.Banco());
    consulta.DefinirTransacao(&sessao.IBT_Gen);
    for (consulta.Percorrer(kLinhas + condicao + " order by id_comissao"); !consulta.Fim(); consulta.Proximo())
        linhas.push_back({consulta.Campo("id_comissao").Inteiro(), consulta.Campo("tp_registro").Texto(),
                          consulta.Campo("id_nf_comercio").Inteiro(), consulta.Campo("id_financeiro").Inteiro(),
                          consulta.Campo("id_acerto_comissao").Inteiro(), consulta.Campo("id_vendedor").Inteiro(),
                          consulta.Campo("no_documento").Texto(), consulta.Campo("vl_base_comissao").ComoDinheiro(),
                          consulta.Campo("po_comissao").ComoDinheiro(), consulta.Campo("vl_comissao").ComoDinheiro(),
                          consulta.Campo("st_bloqueio_1").Texto(), consulta.Campo("st_estorno_1").Texto(),
                          consulta.Campo("id_comissao_gerada").Inteiro() != 0});
    return linhas;
}

std::vector<AcertoFotografado> LerAcertos(SessaoBanco& sessao, const ComandoSql& condicao)
{
    std::vector<AcertoFotografado> acertos;
    Consulta consulta("qryFotografiaAcertos", sessao.Banco());
    consulta.DefinirTransacao(&sessao.IBT_Gen);
    for (consulta.Percorrer(kAcertos + condicao + " order by id_acerto_comissao"); !consulta.Fim(); consulta.Proximo())
        acertos.push_back({consulta.Campo("id_acerto_comissao").Inteiro(), consulta.Campo("id_vendedor").Inteiro(),
                           consulta.Campo("vl_acerto").ComoDinheiro(), consulta.Campo("tp_acerto").Texto(),
                           consulta.Campo("ds_acerto").Texto()});
    return acertos;
}

DiferencaComissoes Comparar(const FotografiaComissoes& antes, const FotografiaComissoes& depois)
{
    return {TotaisMudados(antes, depois), LinhasMudadas(antes, depois), AcertosNovos(antes, depois)};
}

std::string FonteDaLinha(const LinhaFotografada& linha)
{
    if (linha.tipo == "1")
        return "NF " + linha.documento;
    if (linha.tipo == "2")
        return "Duplicata " + linha.documento;
    return "Acerto " + std::to_string(linha.idAcerto);
}
