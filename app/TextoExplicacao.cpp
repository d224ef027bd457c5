#include "app/TextoExplicacao.h"

#include <cstdio>

#include "comum/Numericos.h"

namespace {

// Up to eight decimals, no trailing zeros beyond the four money keeps.
std::string Exato(long double valor, char separador)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.8Lf", valor);
    std::string exato = texto;
    while (exato.size() > 1 && exato.back() == '0' && exato.size() - exato.find('.') > 5)
        exato.pop_back();
    exato[exato.find('.')] = separador;
    return exato;
}

// Padded to a width in characters: UTF-8 continuation bytes take no column.
std::string Alinhado(const std::string& texto, std::size_t largura)
{
    std::size_t colunas = 0;
    for (const char c : texto)
        colunas += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return colunas >= largura ? texto : texto + std::string(largura - colunas, ' ');
}

std::string TextoPasso(const PassoExplicado& passo)
{
    std::string valor = Exato(passo.exato, ',');
    if (!passo.fator && Exato(passo.valor.Extended(), ',') != valor)
        valor += " -> " + Exato(passo.valor.Extended(), ',');
    return "    " + Alinhado(passo.nome, 38) + Alinhado(valor, 30) + passo.origem + "\n";
}

std::string TextoLinhaGravada(const LinhaFotografada& linha)
{
    return "vendedor " + std::to_string(linha.idVendedor) + ", tipo " + linha.tipo + ": VL_BASE_COMISSAO " +
           Quantia(linha.base) + ", PO_COMISSAO " + Quantia(linha.percentual) + ", VL_COMISSAO " +
           Quantia(linha.comissao) +
           (linha.estorno == "S"    ? ", estornada"
            : linha.bloqueio == "S" ? ", bloqueada"
                                    : "") +
           (linha.paga ? ", paga" : "");
}

std::string TextoItensDaNota(const std::vector<ItemDaNota>& itens)
{
    if (itens.empty())
        return "";
    std::string texto = "\nItens da NF\n";
    for (const ItemDaNota& item : itens)
        texto += "  item " + std::to_string(item.numero) + ", produto " + std::to_string(item.idProduto) +
                 ": quantidade " + Exato(item.quantidade.Extended(), ',') + ", total " + Quantia(item.total) +
                 (item.freteIncluso ? ", frete incluso de " + Quantia(item.freteUnitario) + " por unidade"
                                    : ", frete não incluso") +
                 ", percentual do item " + Exato(item.percentual.Extended(), ',') + ", redução unitária " +
                 Quantia(item.reducaoUnitaria) + "\n";
    return texto;
}

std::string TextoItens(const std::vector<ItemExplicado>& itens)
{
    if (itens.empty())
        return "";
    std::string texto = "\nRateio por item (natureza de modo 6)\n";
    for (const ItemExplicado& item : itens) {
        texto += "  item " + std::to_string(item.idItem) + ", produto " + std::to_string(item.idProduto) + ": base " +
                 Exato(item.base, ',') + "\n";
        for (std::size_t slot = 0; slot < item.percentuais.size(); ++slot)
            if (!item.percentuais[slot].Zero() || !item.comissoes[slot].Zero())
                texto += "    slot " + std::to_string(slot + 1) + ": percentual da tabela " +
                         Exato(item.percentuais[slot].Extended(), ',') + ", comissão " +
                         Exato(item.comissoes[slot].Extended(), ',') + " (truncada em duas casas)\n";
    }
    return texto;
}

std::string Lista(const char* titulo, const std::vector<std::string>& linhas, const char* vazia = "nenhuma")
{
    std::string texto = std::string("\n") + titulo + "\n";
    if (linhas.empty())
        return texto + "  " + vazia + "\n";
    for (const std::string& linha : linhas)
        texto += "  " + linha + "\n";
    return texto;
}

std::string TextoExplicacao(const Explicacao& explicacao)
{
    std::string texto = explicacao.fonte + "\n" + Lista("Situação", explicacao.situacao) +
                        TextoItensDaNota(explicacao.itensDaNota);
    if (!explicacao.passosDaNota.empty()) {
        texto += "\nCálculo da NF (fase 1)\n";
        for (const PassoExplicado& passo : explicacao.passosDaNota)
            texto += TextoPasso(passo);
    }
    texto += TextoItens(explicacao.itens);
    texto += "\nComissões como a rodada as calcula agora\n";
    if (explicacao.linhas.empty())
        texto += "  nenhuma linha\n";
    for (const LinhaExplicada& linha : explicacao.linhas) {
        const std::string slot = linha.slot > 0 ? " (slot " + std::to_string(linha.slot) + ")" : "";
        texto += "  vendedor " + std::to_string(linha.idVendedor) + slot;
        texto += linha.semComissao.empty() ? ", tipo " + linha.tipo + "\n"
                                           : ": nenhuma linha, " + linha.semComissao + "\n";
        for (const PassoExplicado& passo : linha.passos)
            texto += TextoPasso(passo);
    }
    std::vector<std::string> calculadas, noBanco, acertos;
    for (const LinhaFotografada& linha : explicacao.calculadas)
        calculadas.push_back(TextoLinhaGravada(linha));
    for (const LinhaFotografada& linha : explicacao.noBanco)
        noBanco.push_back(TextoLinhaGravada(linha));
    for (const AcertoFotografado& acerto : explicacao.acertos)
        acertos.push_back("acerto " + std::to_string(acerto.idAcerto) + ", vendedor " +
                          std::to_string(acerto.idVendedor) + ", " + acerto.tipo + " " + Quantia(acerto.valor) + ": " +
                          acerto.descricao);
    return texto + Lista("Linhas que a rodada gravaria agora", calculadas) + Lista("No banco", noBanco) +
           Lista("Acertos no banco", acertos, "nenhum") + Lista("Diferenças", explicacao.diferencas);
}

std::string Json(const std::string& texto)
{
    std::string json = "\"";
    for (const char c : texto) {
        if (c == '"' || c == '\\')
            json += std::string("\\") + c;
        else if (c == '\n')
            json += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else
            json += c;
    }
    return json + "\"";
}

std::string JsonNumero(long double valor)
{
    return Exato(valor, '.');
}

template <class T, class F>
std::string JsonLista(const std::vector<T>& itens, F item)
{
    std::string json = "[";
    for (const T& i : itens)
        json += (json.size() > 1 ? "," : "") + item(i);
    return json + "]";
}

std::string JsonPasso(const PassoExplicado& passo)
{
    return "{\"nome\":" + Json(passo.nome) + ",\"origem\":" + Json(passo.origem) +
           ",\"exato\":" + JsonNumero(passo.exato) +
           (passo.fator ? std::string(",\"fator\":true") : ",\"valor\":" + JsonNumero(passo.valor.Extended())) + "}";
}

std::string JsonItemDaNota(const ItemDaNota& item)
{
    return "{\"item\":" + std::to_string(item.numero) + ",\"produto\":" + std::to_string(item.idProduto) +
           ",\"quantidade\":" + JsonNumero(item.quantidade.Extended()) +
           ",\"total\":" + JsonNumero(item.total.Extended()) +
           ",\"frete_incluso\":" + (item.freteIncluso ? "true" : "false") +
           ",\"frete_unitario\":" + JsonNumero(item.freteUnitario.Extended()) +
           ",\"percentual\":" + JsonNumero(item.percentual.Extended()) +
           ",\"reducao_unitaria\":" + JsonNumero(item.reducaoUnitaria.Extended()) + "}";
}

std::string JsonLinhaGravada(const LinhaFotografada& linha)
{
    return "{\"vendedor\":" + std::to_string(linha.idVendedor) + ",\"tipo\":" + Json(linha.tipo) +
           ",\"base\":" + JsonNumero(linha.base.Extended()) +
           ",\"percentual\":" + JsonNumero(linha.percentual.Extended()) +
           ",\"comissao\":" + JsonNumero(linha.comissao.Extended()) +
           ",\"bloqueada\":" + (linha.bloqueio == "S" ? "true" : "false") +
           ",\"estornada\":" + (linha.estorno == "S" ? "true" : "false") +
           ",\"paga\":" + (linha.paga ? "true" : "false") + "}";
}

std::string JsonExplicacao(const Explicacao& explicacao)
{
    const auto texto = [](const std::string& t) { return Json(t); };
    return "{\"fonte\":" + Json(explicacao.fonte) + ",\"situacao\":" + JsonLista(explicacao.situacao, texto) +
           ",\"itens_da_nota\":" + JsonLista(explicacao.itensDaNota, JsonItemDaNota) +
           ",\"nota\":" + JsonLista(explicacao.passosDaNota, JsonPasso) + ",\"rateio\":" +
           JsonLista(explicacao.itens,
                     [](const ItemExplicado& item) {
                         std::string json = "{\"item\":" + std::to_string(item.idItem) +
                                            ",\"produto\":" + std::to_string(item.idProduto) +
                                            ",\"base\":" + JsonNumero(item.base) + ",\"slots\":[";
                         for (std::size_t slot = 0; slot < item.percentuais.size(); ++slot)
                             json += std::string(slot > 0 ? "," : "") +
                                     "{\"percentual\":" + JsonNumero(item.percentuais[slot].Extended()) +
                                     ",\"comissao\":" + JsonNumero(item.comissoes[slot].Extended()) + "}";
                         return json + "]}";
                     }) +
           ",\"linhas\":" +
           JsonLista(explicacao.linhas,
                     [](const LinhaExplicada& linha) {
                         return "{\"tipo\":" + Json(linha.tipo) + ",\"slot\":" + std::to_string(linha.slot) +
                                ",\"vendedor\":" + std::to_string(linha.idVendedor) +
                                ",\"sem_comissao\":" + Json(linha.semComissao) +
                                ",\"passos\":" + JsonLista(linha.passos, JsonPasso) + "}";
                     }) +
           ",\"calculadas\":" + JsonLista(explicacao.calculadas, JsonLinhaGravada) +
           ",\"no_banco\":" + JsonLista(explicacao.noBanco, JsonLinhaGravada) + ",\"acertos\":" +
           JsonLista(explicacao.acertos,
                     [](const AcertoFotografado& acerto) {
                         return "{\"acerto\":" + std::to_string(acerto.idAcerto) +
                                ",\"vendedor\":" + std::to_string(acerto.idVendedor) +
                                ",\"tipo\":" + Json(acerto.tipo) + ",\"valor\":" + JsonNumero(acerto.valor.Extended()) +
                                ",\"descricao\":" + Json(acerto.descricao) + "}";
                     }) +
           ",\"diferencas\":" + JsonLista(explicacao.diferencas, texto) + "}";
}

}  // namespace

std::string TextoExplicacoes(const std::vector<Explicacao>& explicacoes)
{
    std::string texto;
    for (const Explicacao& explicacao : explicacoes)
        texto += (texto.empty() ? "" : "\n") + TextoExplicacao(explicacao);
    return texto;
}

std::string JsonExplicacoes(const std::vector<Explicacao>& explicacoes)
{
    return JsonLista(explicacoes, JsonExplicacao) + "\n";
}
