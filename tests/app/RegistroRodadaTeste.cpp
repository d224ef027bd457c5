// The run log: the lines a summary gives, read back by parsing them; a
// bounded set of files however many runs append; a log that cannot be
// written is reported once and never throws.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "app/RegistroRodada.h"
#include "commission/Fases.h"
#include "commission/ResumoRodada.h"
#include "tests/fixtures/PastaTemporaria.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Linha {
    std::string momento;
    std::string nivel;
    std::string evento;
    std::map<std::string, std::string> campos;
};

std::string Desfazer(const std::string& citado)
{
    std::string valor;
    for (std::size_t i = 1; i + 1 < citado.size(); ++i) {
        if (citado[i] != '\\') {
            valor += citado[i];
            continue;
        }
        const char c = citado[++i];
        valor += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return valor;
}

// "<date> <time> <level> <event> key=value ...", a value bare or quoted.
Linha Interpretar(const std::string& texto)
{
    static const std::regex kLinha(
        R"(^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) (info|warning|error) (\w+)((?: \w+=(?:"(?:[^"\\\n]|\\.)*"|[^ "]+))*)$)");
    static const std::regex kCampo(R"( (\w+)=("(?:[^"\\]|\\.)*"|[^ "]+))");
    std::smatch partes;
    if (!std::regex_match(texto, partes, kLinha))
        throw std::runtime_error("linha fora do formato: " + texto);
    Linha linha{partes[1], partes[2], partes[3], {}};
    const std::string campos = partes[4];
    for (std::sregex_iterator campo(campos.begin(), campos.end(), kCampo), fim; campo != fim; ++campo) {
        const std::string valor = (*campo)[2];
        linha.campos[(*campo)[1]] = valor.front() == '"' ? Desfazer(valor) : valor;
    }
    return linha;
}

std::vector<std::string> LinhasDoArquivo(const std::string& caminho)
{
    std::ifstream arquivo(caminho);
    std::vector<std::string> linhas;
    for (std::string linha; std::getline(arquivo, linha);)
        linhas.push_back(linha);
    return linhas;
}

std::string Local(std::chrono::system_clock::time_point momento)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(momento);
    std::tm partes{};
    localtime_r(&t, &partes);
    char texto[32];
    std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M:%S", &partes);
    return texto;
}

const std::chrono::system_clock::time_point kInicio = std::chrono::system_clock::from_time_t(1'715'000'000);

const std::string kAvisoNotas =
    "Algumas NFs de venda não tiveram a comissão atualizada pois já foram gerados "
    "pagamentos de comissão.";

ResumoRodada RodadaComDeixadaEAviso()
{
    ResumoRodada resumo;
    resumo.inicio = kInicio;
    resumo.fim = kInicio + 12'400ms;
    resumo.modo = ModoRodada::Manual;
    resumo.banco = R"(srvdados:D:\Sistema\Dados\BANCO "A".FDB)";
    resumo.fases = {{1, 7, 0, 0.5}, {5, 120, 340, 2.314}};
    resumo.deixadas = {{"NF 123", "base de comissão zero", kGrupoNotasVenda}};
    resumo.avisos = {kAvisoNotas, "duas linhas\nno \"mesmo\" aviso\t\\"};
    return resumo;
}

}  // namespace

TEST(RegistroRodada, ResumoViraUmaLinhaPorEventoNaOrdemDaRodada)
{
    const PastaTemporaria pasta;
    ResumoRodada falhou = RodadaComDeixadaEAviso();
    falhou.modo = ModoRodada::Residente;
    falhou.fases.resize(1);
    falhou.deixadas.clear();
    falhou.avisos.clear();
    falhou.falha = "Error reading data from the connection.";
    falhou.desfecho = DesfechoRodada::Falha;

    RegistroRodada registro;
    EXPECT_EQ(registro.Registrar(pasta.Caminho(), EventosRodada(RodadaComDeixadaEAviso())), std::nullopt);
    EXPECT_EQ(registro.Registrar(pasta.Caminho() + "/", EventosRodada(falhou)), std::nullopt);

    const auto texto = LinhasDoArquivo(pasta.Caminho() + "/telmoraComissao2.log");
    std::vector<Linha> linhas;
    std::transform(texto.begin(), texto.end(), std::back_inserter(linhas), Interpretar);
    ASSERT_EQ(linhas.size(), 11u);

    const std::string inicio = Local(kInicio), fim = Local(kInicio + 12'400ms);
    const std::vector<std::pair<std::string, std::string>> esperados = {
        {"info", "inicio"},   {"info", "fase"},     {"info", "fase"}, {"warning", "deixada"},
        {"warning", "aviso"}, {"warning", "aviso"}, {"info", "fim"},  {"info", "inicio"},
        {"info", "fase"},     {"error", "falha"},   {"error", "fim"}};
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        SCOPED_TRACE(texto[i]);
        EXPECT_EQ(linhas[i].nivel, esperados[i].first);
        EXPECT_EQ(linhas[i].evento, esperados[i].second);
        EXPECT_EQ(linhas[i].momento, linhas[i].evento == "inicio" ? inicio : fim);
    }

    using Campos = std::map<std::string, std::string>;
    EXPECT_EQ(linhas[0].campos, (Campos{{"modo", "manual"}, {"banco", R"(srvdados:D:\Sistema\Dados\BANCO "A".FDB)"}}));
    EXPECT_EQ(linhas[1].campos, (Campos{{"numero", "1"}, {"fontes", "7"}, {"linhas", "0"}, {"segundos", "0.50"}}));
    EXPECT_EQ(linhas[2].campos, (Campos{{"numero", "5"}, {"fontes", "120"}, {"linhas", "340"}, {"segundos", "2.31"}}));
    EXPECT_EQ(linhas[3].campos, (Campos{{"fonte", "NF 123"}, {"motivo", "base de comissão zero"}}));
    EXPECT_EQ(linhas[4].campos, (Campos{{"texto", kAvisoNotas}}));
    EXPECT_EQ(linhas[5].campos, (Campos{{"texto", "duas linhas\nno \"mesmo\" aviso\t\\"}}));
    EXPECT_EQ(linhas[6].campos, (Campos{{"segundos", "12.40"}, {"resultado", "ok"}}));
    EXPECT_EQ(linhas[7].campos.at("modo"), "residente");
    EXPECT_EQ(linhas[9].campos, (Campos{{"texto", "Error reading data from the connection."}}));
    EXPECT_EQ(linhas[10].campos, (Campos{{"segundos", "12.40"}, {"resultado", "falha"}}));

    // The console prints the very lines the log holds.
    const auto console = LinhasRodada(RodadaComDeixadaEAviso());
    EXPECT_EQ(console, std::vector<std::string>(texto.begin(), texto.begin() + 7));
}

TEST(RegistroRodada, RotacaoMantemPoucosArquivosComOsMaisNovosNoAtual)
{
    const PastaTemporaria pasta;
    RegistroRodada registro(2'000, 2);
    ResumoRodada resumo = RodadaComDeixadaEAviso();
    for (int rodada = 0; rodada < 60; ++rodada) {
        resumo.banco = "rodada " + std::to_string(rodada);
        ASSERT_EQ(registro.Registrar(pasta.Caminho(), EventosRodada(resumo)), std::nullopt);
    }

    std::vector<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(pasta.Caminho()))
        nomes.push_back(entrada.path().filename());
    std::sort(nomes.begin(), nomes.end());
    ASSERT_EQ(nomes,
              (std::vector<std::string>{"telmoraComissao2.1.log", "telmoraComissao2.2.log", "telmoraComissao2.log"}));

    // Runs found in each file, from the oldest file to the current one.
    std::vector<int> rodadas;
    for (const char* nome : {"telmoraComissao2.2.log", "telmoraComissao2.1.log", "telmoraComissao2.log"}) {
        const std::string caminho = pasta.Caminho() + "/" + nome;
        EXPECT_LE(fs::file_size(caminho), 2'000u) << nome;
        for (const auto& texto : LinhasDoArquivo(caminho)) {
            const Linha linha = Interpretar(texto);
            if (linha.evento == "inicio")
                rodadas.push_back(std::stoi(linha.campos.at("banco").substr(7)));
        }
    }
    ASSERT_FALSE(rodadas.empty());
    EXPECT_TRUE(std::is_sorted(rodadas.begin(), rodadas.end()));
    EXPECT_EQ(rodadas.back(), 59);
}

namespace {

struct CasoIlegivel {
    const char* nome;
    // Puts the obstacle in the data folder; returns the folder to give the log.
    std::string (*preparar)(const std::string& pasta);
};

void PrintTo(const CasoIlegivel& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class LogQueNaoSeGrava : public ::testing::TestWithParam<CasoIlegivel> {};

}  // namespace

TEST_P(LogQueNaoSeGrava, InformadoUmaVezSemLancarNemEscreverForaDaPasta)
{
    const PastaTemporaria pasta;
    const std::string dados = GetParam().preparar(pasta.Caminho());
    RegistroRodada registro;

    std::optional<std::string> primeira;
    ASSERT_NO_THROW(primeira = registro.Registrar(dados, EventosRodada(RodadaComDeixadaEAviso())));
    ASSERT_TRUE(primeira.has_value());
    EXPECT_NE(primeira->find("Não foi possível gravar o log da rodada " + dados), std::string::npos) << *primeira;
    EXPECT_EQ(primeira->find('\n'), std::string::npos) << *primeira;

    std::optional<std::string> segunda{"?"};
    ASSERT_NO_THROW(segunda = registro.Registrar(dados, EventosRodada(RodadaComDeixadaEAviso())));
    EXPECT_EQ(segunda, std::nullopt);

    EXPECT_FALSE(fs::exists(pasta.Caminho() + "/alvo.txt"));
    EXPECT_FALSE(fs::exists(pasta.Caminho() + "/nao-existe"));
}

INSTANTIATE_TEST_SUITE_P(
    RegistroRodada, LogQueNaoSeGrava,
    ::testing::Values(CasoIlegivel{"pasta_inexistente",
                                   [](const std::string& pasta) { return pasta + "/nao-existe/"; }},
                      CasoIlegivel{"pasta_vazia", [](const std::string&) { return std::string(); }},
                      CasoIlegivel{"pasta_no_lugar_do_arquivo",
                                   [](const std::string& pasta) {
                                       fs::create_directory(pasta + "/telmoraComissao2.log");
                                       return pasta + "/";
                                   }},
                      CasoIlegivel{"link_no_lugar_do_arquivo",
                                   [](const std::string& pasta) {
                                       fs::create_symlink(pasta + "/alvo.txt", pasta + "/telmoraComissao2.log");
                                       return pasta + "/";
                                   }}),
    [](const auto& caso) { return std::string(caso.param.nome); });

TEST(RegistroRodada, NovaFalhaDepoisDeUmaGravacaoEInformadaDeNovo)
{
    const PastaTemporaria pasta;
    const std::string log = pasta.Caminho() + "/telmoraComissao2.log";
    RegistroRodada registro;

    fs::create_directory(log);
    EXPECT_TRUE(registro.Registrar(pasta.Caminho(), EventosRodada(RodadaComDeixadaEAviso())).has_value());
    fs::remove(log);
    EXPECT_EQ(registro.Registrar(pasta.Caminho(), EventosRodada(RodadaComDeixadaEAviso())), std::nullopt);
    EXPECT_EQ(LinhasDoArquivo(log).size(), 7u);
    fs::remove(log);
    fs::create_directory(log);
    EXPECT_TRUE(registro.Registrar(pasta.Caminho(), EventosRodada(RodadaComDeixadaEAviso())).has_value());
}
