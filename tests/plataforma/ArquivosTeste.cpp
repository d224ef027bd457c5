#include "comum/DataHora.h"
#include "plataforma/Arquivos.h"

#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/PastaTemporaria.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class Arquivos : public ::testing::Test {
protected:
    std::string Criar(const std::string& nome, const std::string& bytes = "x")
    {
        GravarArquivo(pasta_.Caminho() + "/" + nome, bytes);
        return pasta_.Caminho() + "/" + nome;
    }
    std::string CriarSubpasta(const std::string& nome)
    {
        std::filesystem::create_directory(pasta_.Caminho() + "/" + nome);
        return pasta_.Caminho() + "/" + nome;
    }

    PastaTemporaria pasta_;
};

time_t HoraLocal(int ano, int mes, int dia, int hora, int minuto, int segundo)
{
    std::tm t{};
    t.tm_year = ano - 1900;
    t.tm_mon = mes - 1;
    t.tm_mday = dia;
    t.tm_hour = hora;
    t.tm_min = minuto;
    t.tm_sec = segundo;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

void MudarModificacao(const std::string& caminho, time_t quando)
{
    const timespec tempos[2] = {{quando, 0}, {quando, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, caminho.c_str(), tempos, 0), 0);
}

TEST_F(Arquivos, ExistenciaDeArquivoEPasta)
{
    const std::string arquivo = Criar("a.txt");
    const std::string sub = CriarSubpasta("sub");
    EXPECT_TRUE(ArquivoExiste(arquivo));
    EXPECT_FALSE(PastaExiste(arquivo));
    EXPECT_TRUE(PastaExiste(sub));
    EXPECT_FALSE(ArquivoExiste(sub));
    EXPECT_FALSE(ArquivoExiste(pasta_.Caminho() + "/nada"));
    EXPECT_FALSE(PastaExiste(pasta_.Caminho() + "/nada"));
}

TEST_F(Arquivos, CriarPastaDeUmNivel)
{
    EXPECT_TRUE(CriarPasta(pasta_.Caminho() + "/Update"));
    EXPECT_TRUE(PastaExiste(pasta_.Caminho() + "/Update"));
    EXPECT_FALSE(CriarPasta(pasta_.Caminho() + "/Update"));
    EXPECT_FALSE(CriarPasta(pasta_.Caminho() + "/falta/Update"));
}

TEST_F(Arquivos, ApagarArquivoAusenteNaoEErro)
{
    const std::string arquivo = Criar("a.lock");
    EXPECT_TRUE(ApagarArquivo(arquivo));
    EXPECT_FALSE(ArquivoExiste(arquivo));
    EXPECT_TRUE(ApagarArquivo(arquivo));
    EXPECT_FALSE(ApagarArquivo(CriarSubpasta("sub")));
}

TEST_F(Arquivos, RenomearNaoSubstituiDestino)
{
    const std::string de = Criar("old.exe", "novo");
    EXPECT_TRUE(RenomearArquivo(de, pasta_.Caminho() + "/a.exe"));
    EXPECT_FALSE(ArquivoExiste(de));
    EXPECT_EQ(LerArquivo(pasta_.Caminho() + "/a.exe"), "novo");

    const std::string outro = Criar("b.exe", "outro");
    EXPECT_FALSE(RenomearArquivo(outro, pasta_.Caminho() + "/a.exe"));
    EXPECT_EQ(LerArquivo(pasta_.Caminho() + "/a.exe"), "novo");
    EXPECT_EQ(LerArquivo(outro), "outro");
    EXPECT_FALSE(RenomearArquivo(pasta_.Caminho() + "/nada", pasta_.Caminho() + "/c.exe"));
}

TEST_F(Arquivos, CopiaGuardaBytesPermissaoEHora)
{
    const std::string bytes("MZ\0\x01\xFF\r\n", 7);
    const std::string de = Criar("prog.exe", bytes);
    ASSERT_EQ(::chmod(de.c_str(), 0750), 0);
    MudarModificacao(de, HoraLocal(2013, 3, 25, 14, 5, 9));
    const std::string para = pasta_.Caminho() + "/copia.exe";

    ASSERT_TRUE(CopiarArquivoSemSobrescrever(de, para));
    struct stat info {};
    ASSERT_EQ(::stat(para.c_str(), &info), 0);
    EXPECT_EQ(LerArquivo(para), bytes);
    EXPECT_EQ(info.st_mode & 0777, 0750u);
    EXPECT_EQ(DataModificacao(para), DataModificacao(de));
}

TEST_F(Arquivos, CopiaNaoSobrescreveNemDeixaRestos)
{
    const std::string de = Criar("prog.exe", "novo");
    const std::string existente = Criar("existente.exe", "antigo");
    EXPECT_FALSE(CopiarArquivoSemSobrescrever(de, existente));
    EXPECT_EQ(LerArquivo(existente), "antigo");
    EXPECT_FALSE(CopiarArquivoSemSobrescrever(pasta_.Caminho() + "/nada", pasta_.Caminho() + "/destino.exe"));
    EXPECT_FALSE(CopiarArquivoSemSobrescrever(CriarSubpasta("sub"), pasta_.Caminho() + "/destino.exe"));
    EXPECT_FALSE(ArquivoExiste(pasta_.Caminho() + "/destino.exe"));
}

TEST_F(Arquivos, ListarArquivosPorPadrao)
{
    for (const char* nome : {"b.exe", "a.exe", "c.EXE", "d.exe.bak", ".e.exe", "ab.exe"})
        Criar(nome);
    CriarSubpasta("f.exe");

    EXPECT_EQ(ListarArquivos(pasta_.Caminho() + "/*.exe"),
              (std::vector<std::string>{".e.exe", "a.exe", "ab.exe", "b.exe"}));
    EXPECT_EQ(ListarArquivos(pasta_.Caminho() + "/?.exe"), (std::vector<std::string>{"a.exe", "b.exe"}));
    EXPECT_EQ(ListarArquivos(pasta_.Caminho() + "/*.EXE"), (std::vector<std::string>{"c.EXE"}));
    EXPECT_TRUE(ListarArquivos(pasta_.Caminho() + "/nada/*.exe").empty());
}

TEST_F(Arquivos, DataModificacaoLocalEmSegundosPares)
{
    const std::string arquivo = Criar("prog.exe");
    MudarModificacao(arquivo, HoraLocal(2013, 3, 25, 14, 5, 9));
    EXPECT_EQ(DataModificacao(arquivo), DataHora::De(2013, 3, 25, 14, 5, 8));
    MudarModificacao(arquivo, HoraLocal(2013, 3, 25, 14, 5, 10));
    EXPECT_EQ(DataModificacao(arquivo), DataHora::De(2013, 3, 25, 14, 5, 10));
    EXPECT_TRUE(DataModificacao(pasta_.Caminho() + "/nada").DiaZero());
}

TEST_F(Arquivos, GravarSubstituiELerDevolveOsBytes)
{
    const std::string arquivo = Criar("a.bin", "conteudo mais longo");
    const std::string bytes("a\0b\r\n", 5);
    GravarArquivo(arquivo, bytes);
    EXPECT_EQ(LerArquivo(arquivo), bytes);
    GravarArquivo(arquivo, "");
    EXPECT_EQ(LerArquivo(arquivo), "");
}

TEST_F(Arquivos, FalhasDeLeituraEGravacaoLancam)
{
    const std::string ausente = pasta_.Caminho() + "/nada.txt";
    EXPECT_EQ(TextoDoErro<std::runtime_error>([&] { LerArquivo(ausente); }),
              "Não foi possível ler o arquivo " + ausente + ".");
    EXPECT_THROW(LerPrimeiraLinha(ausente), std::runtime_error);
    EXPECT_THROW(LerArquivo(CriarSubpasta("sub")), std::runtime_error);
}

// What stands in the file's place is refused, never written through; the
// text names the file and the reason.
TEST_F(Arquivos, GravarRecusaOQueNaoEArquivoComum)
{
    const std::string alvo = pasta_.Caminho() + "/alvo.txt";
    const std::string existente = Criar("existente.txt", "intacto");
    const std::string fifo = pasta_.Caminho() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_symlink(alvo, pasta_.Caminho() + "/link-solto");
    std::filesystem::create_symlink(existente, pasta_.Caminho() + "/link-existente");
    const struct {
        std::string caminho;
        std::string motivo;
    } casos[] = {
        {pasta_.Caminho() + "/link-solto", "o caminho é um link simbólico"},
        {pasta_.Caminho() + "/link-existente", "o caminho é um link simbólico"},
        {CriarSubpasta("pasta"), "o caminho é uma pasta"},
        {fifo, "o caminho não é um arquivo comum"},
        {pasta_.Caminho() + "/falta/a.txt", "a pasta não existe"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caminho);
        try {
            GravarArquivo(caso.caminho, "novo");
            ADD_FAILURE();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Não foi possível gravar o arquivo " + caso.caminho + ": " + caso.motivo + ".");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(alvo));
    EXPECT_EQ(LerArquivo(existente), "intacto");
}

// The kernel's file size limit makes the write fail after the file was
// created; run in a child process, which ends with 0 when the file is gone.
[[noreturn]] void GravarAlemDoLimiteDeTamanho(const std::string& caminho)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite{4, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::string erro;
    try {
        GravarArquivo(caminho, "mais de quatro bytes");
    } catch (const std::runtime_error& e) {
        erro = e.what();
    }
    limite.rlim_cur = RLIM_INFINITY;  // the error output is a file too
    ::setrlimit(RLIMIT_FSIZE, &limite);
    std::fputs(erro.c_str(), stderr);
    std::_Exit(ArquivoExiste(caminho) ? 1 : 0);
}

TEST_F(Arquivos, GravacaoQueFalhaNaoDeixaOArquivoQueCriou)
{
    const std::string novo = pasta_.Caminho() + "/novo.txt";
    EXPECT_EXIT(GravarAlemDoLimiteDeTamanho(novo), ::testing::ExitedWithCode(0),
                "Não foi possível gravar o arquivo .*/novo.txt: ");
}

TEST_F(Arquivos, PrimeiraLinhaSemFimDeLinha)
{
    const struct {
        std::string conteudo;
        const char* linha;
    } casos[] = {
        {"DESCONECTAR\r\noutra", "DESCONECTAR"},
        {"DESCONECTAR\n", "DESCONECTAR"},
        {"DESCONECTAR", "DESCONECTAR"},
        {"DESCONECTAR \r\n", "DESCONECTAR "},
        {"a\rb", "a"},
        {"\nDESCONECTAR", ""},
        {"", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LerPrimeiraLinha(Criar("Conectado.txt", c.conteudo)), c.linha) << c.conteudo;
}

}  // namespace
