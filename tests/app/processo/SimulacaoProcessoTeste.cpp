// The simulation as an administrator runs it beside a resident monitor: it
// shows what a run would change, per seller and per source, and leaves every
// table as it was and the monitor running with its lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/Isql.h"
#include "tests/fixtures/ProcessoPrograma.h"
#include "tests/fixtures/ProgramaInstalado.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLimiteSegundos = 120;

// Every row of every table of the suite's schema, as text, in a fixed order.
std::vector<std::string> Tabelas(const BancoTeste& banco)
{
    std::vector<std::string> linhas;
    for (const auto& tabela : banco.Ler("select trim(rdb$relation_name) as nome from rdb$relations where"
                                        " coalesce(rdb$system_flag, 0) = 0 and rdb$view_blr is null")) {
        const std::string nome = tabela.at("NOME").Texto();
        for (const auto& linha : banco.Ler("select * from " + nome)) {
            std::string texto = nome;
            for (const auto& [coluna, valor] : linha)
                texto += "|" + coluna + "=" + valor.Texto();
            linhas.push_back(texto);
        }
    }
    std::sort(linhas.begin(), linhas.end());
    return linhas;
}

// Totals in cents, per seller.
std::map<std::string, long long> ComissaoPorVendedor(const BancoTeste& banco)
{
    std::map<std::string, long long> totais;
    for (const auto& linha : banco.Ler("select id_vendedor, sum(vl_comissao) as total from mov_comissao"
                                       " group by id_vendedor"))
        totais[linha.at("ID_VENDEDOR").Texto()] = std::llround(linha.at("TOTAL").ComoDinheiro().Extended() * 100);
    return totais;
}

// "-1.234,50": -123450 cents.
long long SemMascara(std::string valor)
{
    valor.erase(std::remove_if(valor.begin(), valor.end(), [](char c) { return c == '.' || c == ','; }), valor.end());
    return std::stoll(valor);
}

// The report's per-seller lines: seller, before, after, difference.
std::map<std::string, std::pair<long long, long long>> VendedoresDoRelatorio(const std::string& saida)
{
    std::map<std::string, std::pair<long long, long long>> vendedores;
    const std::regex linha(R"(\n +(\d+) +(-?[\d.]+,\d\d) +(-?[\d.]+,\d\d) +(-?[\d.]+,\d\d)(?=\n))");
    for (auto it = std::sregex_iterator(saida.begin(), saida.end(), linha); it != std::sregex_iterator(); ++it)
        vendedores[(*it)[1]] = {SemMascara((*it)[2]), SemMascara((*it)[3])};
    return vendedores;
}

}  // namespace

TEST(SimulacaoProcesso, MostraOQueARodadaMudariaSemMudarNadaEComOResidenteRodando)
{
    const BancoTeste banco;
    ExecutarIsql(banco.Caminho(), DadosGerados(120));
    const BancoTeste copia;
    fs::copy_file(banco.Caminho(), copia.Caminho(), fs::copy_options::overwrite_existing);
    const std::map<std::string, long long> antesDaRodada = ComissaoPorVendedor(copia);
    const std::vector<std::string> tabelas = Tabelas(banco);

    const ProgramaInstalado i(banco.Caminho());
    ProcessoPrograma residente = i.Iniciar({}, "residente.txt");
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return i.Log().find("monitor_inicio") != std::string::npos; }))
        << residente.SaidaErro();
    const std::string trava = i.Ler("Dados/telmoraComissao2.lock");

    ProcessoPrograma simulacao = i.Iniciar({"simular", "--csv", i.instalacao.Raiz() + "/simulacao.csv"}, "saida.txt");
    ASSERT_TRUE(simulacao.Esperar(kLimiteSegundos)) << simulacao.SaidaErro();
    ASSERT_EQ(simulacao.CodigoSaida(), 0) << simulacao.SaidaErro();
    const std::string relatorio = simulacao.SaidaErro();

    EXPECT_EQ(Tabelas(banco), tabelas);
    EXPECT_FALSE(residente.Esperar(0));
    EXPECT_EQ(i.Ler("Dados/telmoraComissao2.lock"), trava);
    EXPECT_NE(i.Log().find("inicio modo=simulacao"), std::string::npos);

    const ProgramaInstalado real(copia.Caminho());
    ProcessoPrograma rodada = real.Iniciar({"manual"}, "saida.txt");
    ASSERT_TRUE(rodada.Esperar(kLimiteSegundos)) << rodada.SaidaErro();
    ASSERT_EQ(rodada.CodigoSaida(), 0) << rodada.SaidaErro();
    const std::map<std::string, long long> depoisDaRodada = ComissaoPorVendedor(copia);

    const auto vendedores = VendedoresDoRelatorio(relatorio);
    ASSERT_FALSE(vendedores.empty()) << relatorio;
    for (const auto& [vendedor, total] : depoisDaRodada) {
        const auto mudou = vendedores.find(vendedor);
        const long long antes = antesDaRodada.count(vendedor) > 0 ? antesDaRodada.at(vendedor) : 0;
        if (mudou == vendedores.end()) {
            EXPECT_EQ(total, antes) << "vendedor " << vendedor;
            continue;
        }
        EXPECT_EQ(mudou->second.first, antes) << "vendedor " << vendedor;
        EXPECT_EQ(mudou->second.second, total) << "vendedor " << vendedor;
    }
    const std::string csv = i.Ler("simulacao.csv");
    EXPECT_EQ(csv.rfind("fonte;vendedor;tipo_registro;mudanca;", 0), 0u) << csv;
    EXPECT_NE(csv.find(";incluída;"), std::string::npos) << csv;

    residente.Sinalizar(SIGTERM);
    ASSERT_TRUE(residente.Esperar(kLimiteSegundos)) << residente.SaidaErro();
    EXPECT_EQ(residente.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(i.instalacao.PastaDados() + "/telmoraComissao2.lock"));
}
