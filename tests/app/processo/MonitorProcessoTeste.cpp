// The real program, one resident monitor per installation: the duplicate
// start, the disconnect request in both modes, and the orderly close by
// SIGTERM. Each program runs in a process name space of its own, where the
// monitor is the only process of its name.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>

#include "plataforma/TravaConsultiva.h"
#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"
#include "tests/fixtures/ProgramaInstalado.h"

namespace {

namespace fs = std::filesystem;

const char* const kTravaDeOutro = "trava de outro monitor\r\n";
const char* const kTituloAplicacao = "telmora Monitor Comissão: ";
constexpr int kLimiteSegundos = 90;

// Held before the installation that names it: bases are built in order.
struct BancoProprio {
    BancoTeste banco;
};

// The real program on a fresh database of its own.
struct Instalado : BancoProprio, ProgramaInstalado {
    Instalado() : ProgramaInstalado(banco.Caminho()) {}

    std::string Trava() const { return instalacao.PastaDados() + "/telmoraComissao2.lock"; }
    // The line a running monitor writes into its lock file, in the suite's code page.
    std::string TravaDoPrograma() const
    {
        return "Este arquivo indica que o monitor " + instalacao.Programa() + " est\xE1 em execu\xE7\xE3o.\r\n";
    }
    std::string LerTrava() const { return Ler("Dados/telmoraComissao2.lock"); }
    // The lock of a live resident monitor: its file, and its advisory lock
    // held by this test's process.
    void TravaDeOutroMonitor() const
    {
        instalacao.Gravar("Dados/telmoraComissao2.lock", kTravaDeOutro);
        travaDeOutro = TravaConsultiva::Tomar(Trava());
        ASSERT_TRUE(travaDeOutro.has_value());
    }
    void PedirDesconexao() const { instalacao.Gravar("Dados/Conectado.txt", "DESCONECTAR\r\n"); }
    // The start-up sequence then fails at the hour, after the connection, with
    // the database's error on the console; the steps after it do not run.
    void HoraIlegivel() const { banco.Executar("alter table tab_parametro drop hr_atualizar_comissao"); }

    mutable std::optional<TravaConsultiva> travaDeOutro;
};

// systemctl stop: the resident monitor closes in order and takes its lock file with it.
void FecharPorSigterm(const Instalado& i, ProcessoPrograma& programa)
{
    programa.Sinalizar(SIGTERM);
    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(i.Trava()));
}

}  // namespace

TEST(MonitorProcesso, SegundoResidenteAvisaSegueAteAHoraEEncerraSemTocarNaTrava)
{
    const Instalado i;
    i.TravaDeOutroMonitor();
    i.HoraIlegivel();
    ProcessoPrograma programa = i.Iniciar({});

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    // The start did not complete: the code tells it, whatever the notice said.
    EXPECT_EQ(programa.CodigoSaida(), 2);
    const std::string saida = programa.SaidaErro();
    EXPECT_EQ(saida.find("Aviso do Sistema: O aplicativo " + i.instalacao.Programa() +
                         " já está sendo executado em outra sessão de trabalho.\n"),
              0u)
        << saida;
    // The notice did not stop the sequence: the hour was read afterwards.
    const auto erroHora = saida.find(kTituloAplicacao);
    ASSERT_NE(erroHora, std::string::npos) << saida;
    EXPECT_NE(saida.find("HR_ATUALIZAR_COMISSAO", erroHora), std::string::npos) << saida;
    EXPECT_EQ(i.LerTrava(), kTravaDeOutro);
}

TEST(MonitorProcesso, ResidenteEncerraNoPedidoDeDesconexaoEApagaSuaTrava)
{
    const Instalado i;
    ProcessoPrograma programa = i.Iniciar({});
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return fs::exists(i.Trava()); })) << programa.SaidaErro();

    i.PedirDesconexao();
    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(i.Trava()));
    EXPECT_TRUE(fs::exists(i.instalacao.PastaDados() + "/Conectado.txt"));
}

// Two installations on one machine, so two monitors of the same file name;
// the second started ends itself on its disconnect request. Both run in one
// name space, where the first has the lower process id.
TEST(MonitorProcesso, DesconexaoDeUmaInstalacaoNaoEncerraOMonitorDaOutra)
{
    const Instalado primeira;
    const Instalado segunda;
    const std::string roteiro = "'" + primeira.instalacao.Programa() + "' & P=$!; until [ -e '" + primeira.Trava() +
                                "' ]; do sleep 0.1; done; '" + segunda.instalacao.Programa() +
                                "' & S=$!; wait $S; echo \"segunda:$?\"; " + "[ -e '" + primeira.Trava() +
                                "' ] && echo trava-da-primeira; kill -0 $P && echo primeira-viva; " +
                                "kill -TERM $P; wait $P; echo \"primeira:$?\"";
    ProcessoPrograma processo("/bin/sh", {"-c", roteiro}, primeira.instalacao.Raiz() + "/saida.txt");
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return fs::exists(segunda.Trava()); })) << processo.SaidaErro();

    segunda.PedirDesconexao();
    ASSERT_TRUE(processo.Esperar(kLimiteSegundos)) << processo.SaidaErro();
    const std::string saida = processo.SaidaErro();
    for (const char* linha : {"segunda:0\n", "trava-da-primeira\n", "primeira-viva\n", "primeira:0\n"})
        EXPECT_NE(saida.find(linha), std::string::npos) << linha << saida;
    EXPECT_FALSE(fs::exists(segunda.Trava()));
    EXPECT_FALSE(fs::exists(primeira.Trava()));
}

// The check runs inside the run, when the run lets pending events through.
// The run's connection (the second of the program) is held back in the
// database for longer than the check's interval, so the check is due before
// the first phase.
TEST(MonitorProcesso, ManualDuranteOPedidoApagaATravaDoResidenteEEncerra)
{
    const Instalado i;
    i.banco.Executar("create generator g_conexoes_ate_espera");
    i.banco.Executar(
        "create trigger espera_conexao on connect as declare fim timestamp; begin"
        "  if (gen_id(g_conexoes_ate_espera, -1) = 0) then begin"
        "    fim = dateadd(7 second to cast('NOW' as timestamp));"
        "    while (cast('NOW' as timestamp) < fim) do begin end"
        "  end "
        "end");
    i.banco.Executar("set generator g_conexoes_ate_espera to 2");
    i.TravaDeOutroMonitor();
    i.PedirDesconexao();
    ProcessoPrograma programa = i.Iniciar({"manual"});

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(i.Trava()));
    // Ended by the request, not by the end of its run.
    for (const char* fimDaRodada : {"Nenhum registro encontrado para atualização.", "Processamento concluído"})
        EXPECT_EQ(programa.SaidaErro().find(fimDaRodada), std::string::npos) << programa.SaidaErro();
}

TEST(MonitorProcesso, ResidenteFechadoPorSinalApagaSuaTrava)
{
    const Instalado i;
    ProcessoPrograma programa = i.Iniciar({});
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return fs::exists(i.Trava()); })) << programa.SaidaErro();
    EXPECT_EQ(i.LerTrava(), i.TravaDoPrograma());

    FecharPorSigterm(i, programa);
}

// Without its hour the manual monitor does not run: it tells why and ends by
// itself with the code of a start that could not complete, never touching
// the resident monitor's lock.
TEST(MonitorProcesso, ManualQueNaoIniciaEncerraComCodigoDoisSemTocarNaTrava)
{
    const Instalado i;
    i.TravaDeOutroMonitor();
    i.HoraIlegivel();
    ProcessoPrograma programa = i.Iniciar({"manual"});

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 2);
    EXPECT_NE(programa.SaidaErro().find(kTituloAplicacao), std::string::npos) << programa.SaidaErro();
    EXPECT_EQ(i.LerTrava(), kTravaDeOutro);
}

// A monitor killed outright leaves its file but not its advisory lock: the
// next resident start says so, takes its place and closes in order.
TEST(MonitorProcesso, ResidenteMortoDeixaATravaEOProximoAssume)
{
    const Instalado i;
    {
        ProcessoPrograma morto = i.Iniciar({});
        ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return fs::exists(i.Trava()); })) << morto.SaidaErro();
        morto.Sinalizar(SIGKILL);
        ASSERT_TRUE(morto.Esperar(kLimiteSegundos));
    }
    ASSERT_TRUE(fs::exists(i.Trava()));

    ProcessoPrograma programa = i.Iniciar({});
    const auto assumiu = [&] { return i.Log().find("monitor_inicio") != std::string::npos; };
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, assumiu)) << programa.SaidaErro();
    EXPECT_NE(programa.SaidaErro().find("Aviso do Sistema: O monitor " + i.instalacao.Programa() +
                                        " anterior terminou sem apagar seu arquivo de trava; este monitor assume o "
                                        "seu lugar.\n"),
              std::string::npos)
        << programa.SaidaErro();
    EXPECT_NE(programa.SaidaErro().find("warning trava_retomada"), std::string::npos) << programa.SaidaErro();
    EXPECT_EQ(i.LerTrava(), i.TravaDoPrograma());

    FecharPorSigterm(i, programa);
}
