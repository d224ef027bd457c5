#include "plataforma/AreaTrabalho.h"
#include "plataforma/Arquivos.h"

#include "tests/fixtures/Casos.h"
#include "tests/fixtures/PastaTemporaria.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <optional>

#include <sys/stat.h>

namespace {

// Sets an environment variable for one test and puts the old value back.
class Variavel {
public:
    Variavel(const char* nome, const std::optional<std::string>& valor) : nome_(nome)
    {
        if (const char* atual = std::getenv(nome))
            anterior_ = atual;
        Definir(valor);
    }
    Variavel(const Variavel&) = delete;
    Variavel& operator=(const Variavel&) = delete;
    ~Variavel() { Definir(anterior_); }

private:
    void Definir(const std::optional<std::string>& valor)
    {
        if (valor)
            ::setenv(nome_, valor->c_str(), 1);
        else
            ::unsetenv(nome_);
    }
    const char* nome_;
    std::optional<std::string> anterior_;
};

struct CasoPasta {
    const char* nome;
    const char* conteudo;  // nullptr: no user-dirs.dirs
    bool configEmXdg;      // the file sits in $XDG_CONFIG_HOME instead of ~/.config
    const char* esperado;  // "~" stands for the home folder
};

void PrintTo(const CasoPasta& c, std::ostream* os)
{
    *os << c.nome;
}

class PastaAreaTrabalho : public ::testing::TestWithParam<CasoPasta> {
protected:
    PastaTemporaria pasta_;
};

TEST_P(PastaAreaTrabalho, DeUserDirsOuDesktop)
{
    const CasoPasta& caso = GetParam();
    const std::string home = pasta_.Caminho() + "/casa";
    const std::string xdg = pasta_.Caminho() + "/xdg";
    std::filesystem::create_directories(home + "/.config");
    std::filesystem::create_directories(xdg);
    const Variavel varHome("HOME", home);
    const Variavel varXdg("XDG_CONFIG_HOME", caso.configEmXdg ? std::optional<std::string>(xdg) : std::nullopt);
    if (caso.conteudo)
        GravarArquivo((caso.configEmXdg ? xdg : home + "/.config") + "/user-dirs.dirs", caso.conteudo);

    std::string esperado = caso.esperado;
    if (esperado.front() == '~')
        esperado.replace(0, 1, home);
    EXPECT_EQ(PastaAreaTrabalhoUsuario(), esperado);
}

INSTANTIATE_TEST_SUITE_P(
    AreaTrabalho, PastaAreaTrabalho,
    ::testing::Values(
        CasoPasta{"sem_arquivo", nullptr, false, "~/Desktop/"},
        CasoPasta{"relativa_ao_home",
                  "# gerado\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/Área de Trabalho\"\n", false,
                  "~/Área de Trabalho/"},
        CasoPasta{"absoluta", "XDG_DESKTOP_DIR=\"/srv/mesa/\"\n", false, "/srv/mesa/"},
        CasoPasta{"com_escape", "XDG_DESKTOP_DIR=\"$HOME/Mesa \\\"1\\\"\"\n", false, "~/Mesa \"1\"/"},
        CasoPasta{"comentada", "# XDG_DESKTOP_DIR=\"$HOME/Mesa\"\n", false, "~/Desktop/"},
        CasoPasta{"relativa_invalida", "XDG_DESKTOP_DIR=\"Mesa\"\n", false, "~/Desktop/"},
        CasoPasta{"em_xdg_config_home", "XDG_DESKTOP_DIR=\"$HOME/Escritorio\"\r\n", true, "~/Escritorio/"}),
    NomeDoCaso());

TEST(CriarAtalho, EntradaDeDesktopExecutavel)
{
    const PastaTemporaria pasta;
    const std::string atalho = pasta.Caminho() + "/Novo telmoraComissao2.desktop";
    GravarArquivo(atalho, "conteúdo antigo e mais longo que a entrada nova não deixa restos");

    ASSERT_TRUE(CriarAtalho(atalho, "telmoraComissao2", "/opt/telmora/telmoraComissao2.exe"));
    EXPECT_EQ(LerArquivo(atalho),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Novo telmoraComissao2\n"
              "Comment=telmoraComissao2\n"
              "Exec=\"/opt/telmora/telmoraComissao2.exe\"\n"
              "Terminal=false\n");
    struct stat info {};
    ASSERT_EQ(::stat(atalho.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
}

TEST(CriarAtalho, CaracteresEspeciaisDoAlvoEscapados)
{
    const PastaTemporaria pasta;
    const std::string atalho = pasta.Caminho() + "/a\\b.desktop";
    ASSERT_TRUE(CriarAtalho(atalho, "linha\nnova", "/opt/a b/x$%\"\\.exe"));
    const std::string texto = LerArquivo(atalho);
    EXPECT_NE(texto.find("Name=a\\\\b\n"), std::string::npos) << texto;
    EXPECT_NE(texto.find("Comment=linha\\nnova\n"), std::string::npos) << texto;
    EXPECT_NE(texto.find("Exec=\"/opt/a b/x\\\\$%%\\\\\"\\\\\\\\.exe\"\n"), std::string::npos) << texto;
}

TEST(CriarAtalho, FalsoQuandoNaoPodeGravar)
{
    const PastaTemporaria pasta;
    EXPECT_FALSE(CriarAtalho(pasta.Caminho() + "/falta/a.desktop", "x", "/bin/true"));
}

}  // namespace
