// The real program's start-up update check against sites that hang: a
// closing signal while the updater's download stalls ends the program in
// order at once, and a site that never answers is given up on its own. Each
// program runs in a process name space of its own.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"
#include "tests/update/AutoridadeTeste.h"
#include "tests/update/ServidorHttpTeste.h"
#include "tests/update/VariavelAmbienteTeste.h"

namespace {

namespace fs = std::filesystem;

const char* const kPublicado = "update/Atualizacao/telmora Dovezed/telmoraAtualizador.exe";
const char* const kPedido = "/update/Atualizacao/telmora%20Dovezed/telmoraAtualizador.exe";
const char* const kFalhaDownload = "Não foi possível baixar o aplicativo para atualização inicial do seu sistema.";
constexpr int kLimiteSegundos = 90;

// The real program on a fresh database, its updater missing, its site the
// host given; the local ini names the tests' authority as its CA file.
struct Instalado {
    Instalado(const std::string& host, const std::string& arquivoCA) : site("TELMORA_SITE_HOST", host)
    {
        instalacao.CopiarPrograma();
        instalacao.ApontarBanco(banco.Caminho());
        instalacao.EscreverIniLocal("[IniServidor]\r\nnomearquivo=" + instalacao.IniServidor() +
                                    "\r\n[Atualizacao]\r\nArquivoCA=" + arquivoCA + "\r\n");
    }

    std::string Trava() const { return instalacao.PastaDados() + "/telmoraComissao2.lock"; }
    std::string Update() const { return instalacao.Raiz() + "/Update"; }

    ProcessoPrograma Iniciar() const
    {
        return ProcessoPrograma(instalacao.Programa(), {}, instalacao.Raiz() + "/saida.txt");
    }

    VariavelAmbienteTeste site;
    BancoTeste banco;
    InstalacaoTeste instalacao;
};

class SinalNoDownload : public ::testing::TestWithParam<int> {};

// The site answers the probe and stalls half-way through the updater. The
// signal arrives meanwhile: the resident monitor deletes its lock and ends
// with code 0 long before the 30 s without progress would have ended the
// download, with no message and nothing left in the update folder.
TEST_P(SinalNoDownload, EncerraEmOrdemSemEsperarOSite)
{
    AutoridadeTeste autoridade;
    const ServidorHttpTeste parado(autoridade.Emitir());
    parado.Publicar(kPublicado, std::string(100'000, 'x'));
    parado.Parar(kPedido);
    const Instalado i(parado.Host(), autoridade.Arquivo());
    ProcessoPrograma programa = i.Iniciar();
    ASSERT_TRUE(AguardarAte(kLimiteSegundos, [&] { return parado.Recebeu(kPedido); })) << programa.SaidaErro();
    ASSERT_TRUE(fs::exists(i.Trava()));

    programa.Sinalizar(GetParam());

    ASSERT_TRUE(programa.Esperar(20)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0);
    EXPECT_FALSE(fs::exists(i.Trava()));
    EXPECT_TRUE(fs::is_empty(i.Update()));
    EXPECT_EQ(programa.SaidaErro(), "");
}

INSTANTIATE_TEST_SUITE_P(AtualizacaoProcesso, SinalNoDownload, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& i) { return i.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

// The site takes the connection and never answers: the probe gives up, the
// plain address is not used for the executable, and the start-up reports the
// failed download and ends by itself.
TEST(AtualizacaoProcesso, SiteMudoNaoPrendeAInicializacao)
{
    const ServidorMudoTeste mudo;
    const AutoridadeTeste autoridade;
    const Instalado i(mudo.Host(), autoridade.Arquivo());
    ProcessoPrograma programa = i.Iniciar();

    ASSERT_TRUE(programa.Esperar(50)) << programa.SaidaErro();
    EXPECT_NE(programa.SaidaErro().find(kFalhaDownload), std::string::npos) << programa.SaidaErro();
    EXPECT_TRUE(fs::is_empty(i.Update()));
}

}  // namespace
