// The lock file of a resident monitor: its name, its exact bytes, and the
// three operations on one folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>

#include "app/ArquivoTrava.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/PastaTemporaria.h"

namespace fs = std::filesystem;

namespace {

struct CasoNome {
    const char* nome;
    const char* programa;  // file name, placed in a folder below
    const char* trava;
};

void PrintTo(const CasoNome& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class NomeTrava : public ::testing::TestWithParam<CasoNome> {};

std::string Conteudo(const std::string& caminho)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(arquivo), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_P(NomeTrava, CriadaEncontradaEApagadaPeloMesmoNome)
{
    const PastaTemporaria pasta;
    const std::string dados = pasta.Caminho() + "/";
    const std::string programa = "/opt/Sistema.v2/Bin/" + std::string(GetParam().programa);

    EXPECT_FALSE(ExisteArquivoTrava(programa, dados));
    CriarArquivoTrava(programa, dados);
    EXPECT_TRUE(fs::is_regular_file(dados + GetParam().trava));
    EXPECT_EQ(std::distance(fs::directory_iterator(dados), fs::directory_iterator()), 1);
    EXPECT_TRUE(ExisteArquivoTrava(programa, dados));

    ApagarArquivoTrava(programa, dados);
    EXPECT_FALSE(ExisteArquivoTrava(programa, dados));
    EXPECT_TRUE(fs::is_empty(dados));
}

INSTANTIATE_TEST_SUITE_P(
    ArquivoTrava, NomeTrava,
    ::testing::Values(CasoNome{"programa", "telmoraComissao2.exe", "telmoraComissao2.lock"},
                      CasoNome{"so_o_ultimo_ponto_corta", "telmora.Comissao.exe", "telmora.Comissao.lock"},
                      CasoNome{"sem_ponto", "telmoraComissao2", ".lock"},
                      CasoNome{"brancos_em_volta", "  telmoraComissao2.exe  ", "telmoraComissao2.lock"},
                      CasoNome{"branco_interno_fica", "telmora Comissao2.exe", "telmora Comissao2.lock"}),
    [](const auto& i) { return std::string(i.param.nome); });

TEST(ArquivoTrava, UmaLinhaEmWin1252ComCrLfENomeCompleto)
{
    const PastaTemporaria pasta;
    const std::string dados = pasta.Caminho() + "/";
    CriarArquivoTrava("/srv/Minha Pasta/Bin/telmoraComissao2.exe", dados);
    EXPECT_EQ(Conteudo(dados + "telmoraComissao2.lock"),
              "Este arquivo indica que o monitor /srv/Minha Pasta/Bin/telmoraComissao2.exe "
              "est\xE1 em execu\xE7\xE3o.\r\n");
}

TEST(ArquivoTrava, CriarSubstituiArquivoExistente)
{
    const PastaTemporaria pasta;
    const std::string dados = pasta.Caminho() + "/";
    std::ofstream(dados + "telmoraComissao2.lock") << std::string(500, 'x');
    CriarArquivoTrava("/b/telmoraComissao2.exe", dados);
    EXPECT_EQ(Conteudo(dados + "telmoraComissao2.lock"),
              "Este arquivo indica que o monitor /b/telmoraComissao2.exe est\xE1 em execu\xE7\xE3o.\r\n");
}

// Start-up does not catch this: the sequence ends at the lock step.
TEST(ArquivoTrava, CriarEmPastaInexistenteFalha)
{
    const PastaTemporaria pasta;
    EXPECT_THROW(CriarArquivoTrava("/b/telmoraComissao2.exe", pasta.Caminho() + "/falta/"), std::runtime_error);
}

// A link planted as the lock file must not make the monitor create or write
// its target, which may lie anywhere on the machine.
TEST(ArquivoTrava, PastaOuLinkNoLugarDaTravaEErroQueNomeiaOArquivo)
{
    const PastaTemporaria pasta;
    const std::string dados = pasta.Caminho() + "/";
    const std::string trava = dados + "telmoraComissao2.lock";
    const std::string alvo = pasta.Caminho() + "/fora-da-instalacao";
    const struct {
        std::function<void()> preparar;
        std::string motivo;
    } casos[] = {
        {[&] { fs::create_symlink(alvo, trava); }, "o caminho é um link simbólico"},
        {[&] { fs::create_directory(trava); }, "o caminho é uma pasta"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.motivo);
        fs::remove(trava);
        caso.preparar();
        try {
            CriarArquivoTrava("/b/telmoraComissao2.exe", dados);
            ADD_FAILURE();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Não foi possível gravar o arquivo " + trava + ": " + caso.motivo + ".");
        }
        EXPECT_FALSE(fs::exists(alvo));
    }
}

TEST(ArquivoTrava, ApagarSemArquivoNaoFalha)
{
    const PastaTemporaria pasta;
    EXPECT_NO_THROW(ApagarArquivoTrava("/b/telmoraComissao2.exe", pasta.Caminho() + "/"));
    EXPECT_NO_THROW(ApagarArquivoTrava("/b/telmoraComissao2.exe", pasta.Caminho() + "/falta/"));
}
