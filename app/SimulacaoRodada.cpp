#include "app/SimulacaoRodada.h"

#include <initializer_list>
#include <utility>

#include "comum/Numericos.h"

namespace {

std::string ValorPlanilha(Dinheiro valor)
{
    return FormatarMascara(valor.Extended(), "##0.00");
}

const char* NomeMudanca(MudancaLinha::Tipo tipo)
{
    switch (tipo) {
    case MudancaLinha::Tipo::Incluida:
        return "incluída";
    case MudancaLinha::Tipo::Removida:
        return "removida";
    case MudancaLinha::Tipo::Alterada:
        return "alterada";
    }
    return "";
}

std::string Alinhado(const std::string& texto, std::size_t largura)
{
    return texto.size() >= largura ? texto : std::string(largura - texto.size(), ' ') + texto;
}

std::string DeAte(const std::string& antes, const std::string& depois)
{
    return antes == depois ? depois : antes + " -> " + depois;
}

std::string TextoVendedores(const std::vector<TotalVendedor>& vendedores)
{
    std::string texto = "Comissão por vendedor\n";
    if (vendedores.empty())
        return texto + "  nenhum vendedor teria a comissão mudada\n";
    texto += "  vendedor        antes       depois    diferença\n";
    for (const TotalVendedor& total : vendedores)
        texto += "  " + Alinhado(std::to_string(total.idVendedor), 8) + Alinhado(Quantia(total.antes), 13) +
                 Alinhado(Quantia(total.depois), 13) + Alinhado(Quantia(total.depois - total.antes), 13) + "\n";
    return texto;
}

std::string TextoLinha(const MudancaLinha& linha)
{
    std::string texto = "  " + linha.fonte + ", vendedor " + std::to_string(linha.idVendedor) + ", tipo " +
                        linha.tipoRegistro + ", " + NomeMudanca(linha.tipo) + ": comissão " +
                        DeAte(Quantia(linha.comissaoAntes), Quantia(linha.comissaoDepois));
    if (linha.tipo == MudancaLinha::Tipo::Alterada) {
        texto += ", base " + DeAte(Quantia(linha.baseAntes), Quantia(linha.baseDepois));
        if (linha.estadoAntes != linha.estadoDepois)
            texto += ", " + DeAte(linha.estadoAntes.empty() ? "livre" : linha.estadoAntes,
                                  linha.estadoDepois.empty() ? "livre" : linha.estadoDepois);
    }
    return texto + "\n";
}

std::string TextoFontes(const char* titulo, const std::vector<FonteDeixada>& fontes)
{
    if (fontes.empty())
        return "";
    std::string texto = std::string("\n") + titulo + "\n";
    for (const FonteDeixada& fonte : fontes)
        texto += "  " + fonte.fonte + " (" + fonte.motivo + ")\n";
    return texto;
}

// A field with the separator, a quote or a line break goes in quotes.
std::string Campo(const std::string& texto)
{
    if (texto.find_first_of(";\"\n") == std::string::npos)
        return texto;
    std::string citado = "\"";
    for (const char c : texto)
        citado += c == '"' ? std::string("\"\"") : std::string(1, c);
    return citado + "\"";
}

std::string LinhaCsv(std::initializer_list<std::string> campos)
{
    std::string linha;
    for (const std::string& campo : campos)
        linha += (linha.empty() ? "" : ";") + Campo(campo);
    return linha + "\n";
}

}  // namespace

SimulacaoRodada::SimulacaoRodada(SessaoBanco& sessao) : sessao_(sessao), simulacao_(sessao), antes_(Fotografar(sessao))
{
}

void SimulacaoRodada::Separar(const std::string& fonte, const std::string& motivo)
{
    separadas_.push_back({fonte, motivo, ""});
}

RelatorioSimulacao SimulacaoRodada::Concluir(std::vector<FonteDeixada> deixadas)
{
    const FotografiaComissoes depois = Fotografar(sessao_);
    simulacao_.Encerrar();
    return {Comparar(antes_, depois), std::move(deixadas), separadas_};
}

std::string TextoSimulacao(const RelatorioSimulacao& relatorio)
{
    const DiferencaComissoes& diferenca = relatorio.diferenca;
    std::string texto = "Simulação da rodada: o banco de dados ficou como estava.\n\n" +
                        TextoVendedores(diferenca.vendedores) + "\nLinhas de comissão por fonte\n";
    if (diferenca.linhas.empty())
        texto += "  nenhuma linha seria incluída, removida ou alterada\n";
    for (const MudancaLinha& linha : diferenca.linhas)
        texto += TextoLinha(linha);
    if (!diferenca.acertosNovos.empty()) {
        texto += "\nAcertos que seriam gravados\n";
        for (const AcertoFotografado& acerto : diferenca.acertosNovos)
            texto += "  vendedor " + std::to_string(acerto.idVendedor) + ", " + acerto.tipo + " " +
                     Quantia(acerto.valor) + ": " + acerto.descricao + "\n";
    }
    return texto + TextoFontes("Fontes que seriam deixadas como estão", relatorio.deixadas) +
           TextoFontes("Fontes que seriam separadas", relatorio.separadas);
}

std::string CsvSimulacao(const RelatorioSimulacao& relatorio)
{
    std::string csv = LinhaCsv({"fonte", "vendedor", "tipo_registro", "mudanca", "comissao_antes", "comissao_depois",
                                "base_antes", "base_depois", "estado_antes", "estado_depois", "motivo"});
    for (const MudancaLinha& linha : relatorio.diferenca.linhas)
        csv += LinhaCsv({linha.fonte, std::to_string(linha.idVendedor), linha.tipoRegistro, NomeMudanca(linha.tipo),
                         ValorPlanilha(linha.comissaoAntes), ValorPlanilha(linha.comissaoDepois),
                         ValorPlanilha(linha.baseAntes), ValorPlanilha(linha.baseDepois), linha.estadoAntes,
                         linha.estadoDepois, ""});
    for (const AcertoFotografado& acerto : relatorio.diferenca.acertosNovos)
        csv += LinhaCsv({"Acerto " + std::to_string(acerto.idAcerto), std::to_string(acerto.idVendedor), "",
                         "acerto " + acerto.tipo, "", ValorPlanilha(acerto.valor), "", "", "", "", acerto.descricao});
    for (const FonteDeixada& fonte : relatorio.deixadas)
        csv += LinhaCsv({fonte.fonte, "", "", "deixada", "", "", "", "", "", "", fonte.motivo});
    for (const FonteDeixada& fonte : relatorio.separadas)
        csv += LinhaCsv({fonte.fonte, "", "", "separada", "", "", "", "", "", "", fonte.motivo});
    return csv;
}
