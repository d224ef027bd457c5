// The real program's runs as an administrator meets them: a closing signal
// stops a manual run between two sources, and the next run takes up the
// rest; a database server that dies in the middle of a run ends the
// program; a password changed on the server is taken from ISC_PASSWORD; two
// installations on one database never run together. The run log's lines
// are read while the run is under way. Each program runs in a process name
// space of its own.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/Isql.h"
#include "tests/fixtures/ProcessoPrograma.h"
#include "tests/fixtures/ProgramaInstalado.h"
#include "tests/fixtures/ServidorFirebird.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLimiteSegundos = 120;

struct Instalado : ProgramaInstalado {
    using ProgramaInstalado::ProgramaInstalado;

    // True once the log has the text, false when the program ended first.
    bool AguardarNoLog(ProcessoPrograma& programa, const std::string& trecho) const
    {
        AguardarAte(kLimiteSegundos, [&] { return Log().find(trecho) != std::string::npos || programa.Esperar(0); });
        return !programa.Terminou() && Log().find(trecho) != std::string::npos;
    }
    ProcessoPrograma Manual(const std::vector<std::string>& ambiente = {}) const
    {
        return Iniciar({"manual"}, "saida.txt", ambiente);
    }
};

// Every insert of a commission row of this type waits this long in the
// database, so a phase lasts long enough to be caught in the middle.
void Retardar(const BancoTeste& banco, const std::string& tipo, int milissegundos)
{
    banco.Executar(
        "create trigger retarda_comissao for mov_comissao before insert as declare fim timestamp; begin"
        "  if (new.tp_registro = '" +
        tipo +
        "') then begin"
        "    fim = dateadd(" +
        std::to_string(milissegundos) +
        " millisecond to cast('NOW' as timestamp));"
        "    while (cast('NOW' as timestamp) < fim) do begin end"
        "  end "
        "end");
}

// A settlement pending recalculation: phase 7 turns it into a type "3" row.
void AcertoPendente(const BancoTeste& banco)
{
    banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao)"
        " values (1, '20.03.2013', 7, 10, 'A', 'N', 'Acerto', 1, 'S')");
}

// Phase 1 lets no events run between its invoices: the stop still comes
// before its next invoice, and no later phase starts.
TEST(RodadaProcesso, SigtermNaFase1InterrompeAntesDaFase2)
{
    const BancoTeste banco;
    ExecutarIsql(banco.Caminho(), DadosGerados(150));
    banco.Executar(
        "create trigger retarda_nota for mov_nf_comercio before update as declare fim timestamp; begin"
        "  fim = dateadd(20 millisecond to cast('NOW' as timestamp));"
        "  while (cast('NOW' as timestamp) < fim) do begin end "
        "end");
    const Instalado i(banco.Caminho());

    ProcessoPrograma programa = i.Manual();
    ASSERT_TRUE(i.AguardarNoLog(programa, "inicio_fase numero=1")) << programa.SaidaErro();
    programa.Sinalizar(SIGTERM);
    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 3) << programa.SaidaErro();
    EXPECT_NE(i.Log().find(" resultado=interrompida\n"), std::string::npos) << i.Log();
    EXPECT_EQ(i.Log().find("inicio_fase numero=2"), std::string::npos) << i.Log();
}

// What a run leaves, identifiers aside: rows, sums and pending sources.
std::vector<std::string> Totais(const BancoTeste& banco)
{
    const std::string movimentos =
        "select tp_registro || ':' || count(*) || ':' || sum(vl_comissao) || ':' || sum(vl_base_comissao)"
        " from mov_comissao group by tp_registro";
    std::vector<std::string> totais;
    for (const std::string& sql :
         {movimentos,
          std::string("select tp_acerto || ':' || count(*) || ':' || sum(vl_acerto) from mov_acerto_comissao"
                      " group by tp_acerto"),
          std::string("select 'nf:' || count(*) from mov_nf_comercio where st_calc_comissao = 'S'"),
          std::string("select 'dup:' || count(*) from mov_financeiro where st_calc_comissao = 'S'"),
          std::string("select 'acerto:' || count(*) from mov_acerto_comissao where st_calc_comissao = 'S'")})
        for (const auto& linha : banco.Ler(sql))
            totais.push_back(linha.begin()->second.Texto());
    return totais;
}

}  // namespace

struct CasoSinal {
    const char* nome;
    int sinal;
    bool emOrdem;  // the program ends in order: interrupted run logged, code 3
};

class InterrupcaoNaFase6 : public ::testing::TestWithParam<CasoSinal> {};

// The signal comes while phase 6 works through the receivables. SIGTERM: the
// run ends before its next one, logged as interrupted, with the code of an
// interrupted run. SIGKILL, as a crash: the sources of the group not yet
// committed go with their flags. Either way the next run completes, and the
// tables then equal those of a run that was never interrupted, on a copy of
// the same data: nothing lost, nothing doubled.
TEST_P(InterrupcaoNaFase6, AProximaRodadaCompletaSemPerderNemDobrar)
{
    const CasoSinal& caso = GetParam();
    const BancoTeste banco;
    ExecutarIsql(banco.Caminho(), DadosGerados(150));
    Retardar(banco, "2", 5);
    const BancoTeste referencia;
    fs::copy_file(banco.Caminho(), referencia.Caminho(), fs::copy_options::overwrite_existing);

    const Instalado i(banco.Caminho());
    {
        ProcessoPrograma programa = i.Manual();
        ASSERT_TRUE(i.AguardarNoLog(programa, "inicio_fase numero=6")) << programa.SaidaErro();
        programa.Sinalizar(caso.sinal);
        ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
        if (caso.emOrdem) {
            EXPECT_EQ(programa.CodigoSaida(), 3) << programa.SaidaErro();
        }
    }
    if (caso.emOrdem) {
        EXPECT_NE(i.Log().find("fim segundos="), std::string::npos) << i.Log();
        EXPECT_NE(i.Log().find(" resultado=interrompida\n"), std::string::npos) << i.Log();
    }
    EXPECT_EQ(i.Log().find("inicio_fase numero=7"), std::string::npos) << i.Log();
    EXPECT_GT(banco.Escalar("select count(*) from mov_financeiro where st_calc_comissao = 'S'").Inteiro(), 0);

    ProcessoPrograma seguinte = i.Manual();
    ASSERT_TRUE(seguinte.Esperar(kLimiteSegundos)) << seguinte.SaidaErro();
    EXPECT_EQ(seguinte.CodigoSaida(), 0) << seguinte.SaidaErro();

    const Instalado inteira(referencia.Caminho());
    ProcessoPrograma semInterrupcao = inteira.Manual();
    ASSERT_TRUE(semInterrupcao.Esperar(kLimiteSegundos)) << semInterrupcao.SaidaErro();
    EXPECT_EQ(semInterrupcao.CodigoSaida(), 0) << semInterrupcao.SaidaErro();
    EXPECT_EQ(Totais(banco), Totais(referencia));
}

INSTANTIATE_TEST_SUITE_P(RodadaProcesso, InterrupcaoNaFase6,
                         ::testing::Values(CasoSinal{"SIGTERM", SIGTERM, true}, CasoSinal{"SIGKILL", SIGKILL, false}),
                         [](const auto& caso) { return std::string(caso.param.nome); });

// The server is killed while phase 7 writes its row: the manual run fails
// with the lost connection and the program ends with code 1 instead of
// waiting in its event loop, the failure in the log.
TEST(RodadaProcesso, ServidorMortoEncerraAManual)
{
    const BancoTeste banco;
    AcertoPendente(banco);
    Retardar(banco, "3", 3000);
    ServidorFirebird servidor;
    const Instalado i(banco.Caminho(), servidor.Servidor());

    ProcessoPrograma programa = i.Manual();
    ASSERT_TRUE(i.AguardarNoLog(programa, "inicio_fase numero=7")) << programa.SaidaErro();
    servidor.Matar();

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 1) << programa.SaidaErro();
    EXPECT_NE(i.Log().find("error falha texto=\"Error reading data"), std::string::npos) << i.Log();
    EXPECT_NE(i.Log().find(" resultado=falha\n"), std::string::npos) << i.Log();
}

// The administrator changed SYSDBA's password on the server: without the
// new one the program cannot start; with ISC_PASSWORD it runs.
TEST(RodadaProcesso, SenhaTrocadaNoServidorPeloIscPassword)
{
    const BancoTeste banco;
    AcertoPendente(banco);
    ServidorFirebird servidor;
    const std::string local = servidor.Servidor() + ":" + banco.Caminho();
    ExecutarIsql(local, "alter user SYSDBA password 'Trocada9' using plugin Srp;\ncommit;\n");
    const Instalado i(banco.Caminho(), servidor.Servidor());

    ProcessoPrograma semSenha = i.Manual();
    ASSERT_TRUE(semSenha.Esperar(kLimiteSegundos)) << semSenha.SaidaErro();
    EXPECT_EQ(semSenha.CodigoSaida(), 2) << semSenha.SaidaErro();
    EXPECT_NE(semSenha.SaidaErro().find("user name and password are not defined"), std::string::npos)
        << semSenha.SaidaErro();

    ProcessoPrograma comSenha = i.Manual({"ISC_USER=SYSDBA", "ISC_PASSWORD=Trocada9"});
    ASSERT_TRUE(comSenha.Esperar(kLimiteSegundos)) << comSenha.SaidaErro();
    EXPECT_EQ(comSenha.CodigoSaida(), 0) << comSenha.SaidaErro();
    EXPECT_NE(comSenha.SaidaErro().find("Processamento concluído com sucesso!"), std::string::npos)
        << comSenha.SaidaErro();
    EXPECT_EQ(comSenha.SaidaErro().find("Trocada9"), std::string::npos) << comSenha.SaidaErro();
    EXPECT_EQ(i.Log().find("Trocada9"), std::string::npos) << i.Log();
}

// Two installations name one database through the server. While the first
// runs, the second says so in one line, touches nothing and ends; the
// first completes.
TEST(RodadaProcesso, DuasInstalacoesNoMesmoBancoNaoRodamJuntas)
{
    const BancoTeste banco;
    AcertoPendente(banco);
    Retardar(banco, "3", 3000);
    ServidorFirebird servidor;
    const Instalado primeira(banco.Caminho(), servidor.Servidor());
    const Instalado segunda(banco.Caminho(), servidor.Servidor());

    ProcessoPrograma rodando = primeira.Manual();
    ASSERT_TRUE(primeira.AguardarNoLog(rodando, "info inicio modo=manual")) << rodando.SaidaErro();
    ProcessoPrograma outra = segunda.Manual();

    ASSERT_TRUE(outra.Esperar(kLimiteSegundos)) << outra.SaidaErro();
    EXPECT_EQ(outra.CodigoSaida(), 4) << outra.SaidaErro();
    EXPECT_NE(outra.SaidaErro().find("Aviso do Sistema: Outro monitor está processando as comissões deste banco de "
                                     "dados; esta rodada não foi feita.\n"),
              std::string::npos)
        << outra.SaidaErro();
    EXPECT_EQ(segunda.Log().find("inicio modo="), std::string::npos) << segunda.Log();

    ASSERT_TRUE(rodando.Esperar(kLimiteSegundos)) << rodando.SaidaErro();
    EXPECT_EQ(rodando.CodigoSaida(), 0) << rodando.SaidaErro();
    EXPECT_NE(primeira.Log().find(" resultado=ok\n"), std::string::npos) << primeira.Log();
    servidor.Matar();
    EXPECT_EQ(banco.Escalar("select count(*) from mov_comissao").Inteiro(), 1);
}
