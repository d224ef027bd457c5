// The launcher ini beside the program: the desktop shortcut, the clean-up of
// the ini and the executable copy, and, for the suite's main program only,
// the master folder's executables copied into the update folder without
// replacing any file there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "plataforma/Arquivos.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/update/VariavelAmbienteTeste.h"
#include "update/CaminhosAtualizacao.h"
#include "update/IniExec.h"

namespace {

// An installation whose program has the given file name, with a home folder
// of its own so the shortcut lands in <home>/Desktop.
struct Cenario {
    explicit Cenario(const std::string& nomePrograma, bool comEspacos = false)
        : instalacao(comEspacos),
          home("HOME", instalacao.Raiz() + "/home"),
          configuracao("XDG_CONFIG_HOME", instalacao.Raiz() + "/home/.config")
    {
        std::filesystem::create_directories(Desktop());
        programa = instalacao.PastaPrograma() + "/" + nomePrograma;
        instalacao.Gravar("Bin/" + nomePrograma, "programa");
        instalacao.EscreverIniServidor("[Database]\r\n");
        caminhos = DefinirCaminhosAtualizacao(instalacao.IniServidor(), programa, instalacao.IniLocal());
    }

    std::string Desktop() const { return instalacao.Raiz() + "/home/Desktop"; }
    std::string NoBin(const std::string& nome) const { return instalacao.PastaPrograma() + "/" + nome; }

    InstalacaoTeste instalacao;
    VariavelAmbienteTeste home;
    VariavelAmbienteTeste configuracao;
    std::string programa;
    CaminhosAtualizacao caminhos;
};

TEST(TratarIniExec, SemIniSoApagaACopiaExecutavel)
{
    const Cenario c("telmoraComissao2.exe");
    c.instalacao.Gravar("Bin/Exec-telmoraComissao2.exe", "copia");

    TratarIniExec(c.programa, c.caminhos);

    EXPECT_FALSE(ArquivoExiste(c.NoBin("Exec-telmoraComissao2.exe")));
    EXPECT_TRUE(std::filesystem::is_empty(c.Desktop()));
}

// The ini name replaces ".exe" only in lower case: with ".EXE" the ini looked
// for is the executable copy's own name.
TEST(TratarIniExec, ComIniCriaOAtalhoEApagaIniECopia)
{
    const struct {
        const char* programa;
        const char* ini;
    } casos[] = {
        {"telmoraComissao2.exe", "Exec-telmoraComissao2.ini"},
        {"telmoraComissao2.EXE", "Exec-telmoraComissao2.EXE"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.programa);
        const Cenario c(caso.programa);
        c.instalacao.Gravar(std::string("Bin/") + caso.ini,
                            "[configuracao]\r\npastamestre=" + c.instalacao.Raiz() + "/Mestre\r\n");
        c.instalacao.Gravar(std::string("Bin/Exec-") + caso.programa, "copia");
        c.instalacao.Gravar("Mestre/outro.exe", "outro");

        TratarIniExec(c.programa, c.caminhos);

        const std::string atalho = LerArquivo(c.Desktop() + "/Novo telmoraComissao2.desktop");
        // Shown under the file's name; described by the short name.
        EXPECT_NE(atalho.find("\nName=Novo telmoraComissao2\n"), std::string::npos) << atalho;
        EXPECT_NE(atalho.find("\nComment=telmoraComissao2\n"), std::string::npos) << atalho;
        EXPECT_NE(atalho.find("\nExec=\"" + c.programa + "\"\n"), std::string::npos) << atalho;
        EXPECT_FALSE(ArquivoExiste(c.NoBin(caso.ini)));
        EXPECT_FALSE(ArquivoExiste(c.NoBin(std::string("Exec-") + caso.programa)));
        // Not the suite's main program: the master folder is not looked at.
        EXPECT_FALSE(ArquivoExiste(c.instalacao.Raiz() + "/Update/outro.exe"));
    }
}

TEST(TratarIniExec, ProgramaPrincipalCompletaAPastaUpdateSemSubstituir)
{
    const Cenario c("telmoraEmpresa.exe", true);
    const std::string mestre = c.instalacao.Raiz() + "/Mestre Rede";
    c.instalacao.Gravar("Bin/Exec-telmoraEmpresa.ini", "[configuracao]\r\npastamestre=" + mestre + "\r\n");
    c.instalacao.Gravar("Mestre Rede/novo.exe", "novo do mestre");
    c.instalacao.Gravar("Mestre Rede/antigo.exe", "antigo do mestre");
    c.instalacao.Gravar("Mestre Rede/leiame.txt", "texto");
    c.instalacao.Gravar("Update/antigo.exe", "antigo da pasta update");

    TratarIniExec(c.programa, c.caminhos);

    const std::string update = c.instalacao.Raiz() + "/Update/";
    EXPECT_EQ(LerArquivo(update + "novo.exe"), "novo do mestre");
    EXPECT_EQ(LerArquivo(update + "antigo.exe"), "antigo da pasta update");
    EXPECT_FALSE(ArquivoExiste(update + "leiame.txt"));
    EXPECT_TRUE(ArquivoExiste(c.Desktop() + "/Novo telmoraEmpresa.desktop"));
    EXPECT_FALSE(ArquivoExiste(c.NoBin("Exec-telmoraEmpresa.ini")));
}

}  // namespace
