// The real resident monitor and the signals whose default would end a
// process: each closes it in order (its lock deleted, exit code 0), except
// SIGPIPE, which it ignores. Each program runs in a process name space of
// its own.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLimiteSegundos = 90;

// A resident monitor on a fresh database; the marker file keeps the update
// check off the network.
struct Residente {
    Residente()
    {
        instalacao.CopiarPrograma();
        instalacao.ApontarBanco(banco.Caminho());
        instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    }

    std::string Trava() const { return instalacao.PastaDados() + "/telmoraComissao2.lock"; }

    ProcessoPrograma Iniciar() const
    {
        return ProcessoPrograma(instalacao.Programa(), {}, instalacao.Raiz() + "/saida.txt");
    }
    // Past its start-up: the lock is there.
    bool Iniciado() const
    {
        return AguardarAte(kLimiteSegundos, [&] { return fs::exists(Trava()); });
    }

    BancoTeste banco;
    InstalacaoTeste instalacao;
};

class SinalAoResidente : public ::testing::TestWithParam<int> {};

TEST_P(SinalAoResidente, FechaEmOrdemEApagaATrava)
{
    const Residente r;
    ProcessoPrograma programa = r.Iniciar();
    ASSERT_TRUE(r.Iniciado()) << programa.SaidaErro();

    programa.Sinalizar(GetParam());

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(r.Trava()));
}

INSTANTIATE_TEST_SUITE_P(SinaisProcesso, SinalAoResidente, ::testing::Values(SIGHUP, SIGUSR1, SIGALRM),
                         [](const auto& i) { return std::string(sigabbrev_np(i.param)); });

// The monitor outlives SIGPIPE: the SIGTERM sent after it is the one that
// closes it, in order.
TEST(SinaisProcesso, SigpipeNaoEncerra)
{
    const Residente r;
    ProcessoPrograma programa = r.Iniciar();
    ASSERT_TRUE(r.Iniciado()) << programa.SaidaErro();

    programa.Sinalizar(SIGPIPE);
    programa.Sinalizar(SIGTERM);

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(r.Trava()));
}

}  // namespace
