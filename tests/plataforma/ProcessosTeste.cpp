#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "plataforma/Processos.h"

#include "tests/fixtures/PastaTemporaria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Bounded wait for something another process does; never a timing assertion.
template <class Condicao>
bool Aguardar(Condicao condicao)
{
    for (int tentativa = 0; tentativa < 3000; ++tentativa) {
        if (condicao())
            return true;
        ::usleep(10'000);
    }
    return false;
}

std::string Maiusculas(std::string texto)
{
    std::transform(texto.begin(), texto.end(), texto.begin(), [](unsigned char c) { return std::toupper(c); });
    return texto;
}

// Copies of /bin/sleep under a name no real program has, so that terminating
// by name can only reach processes this test started.
class FinalizarPorNome : public ::testing::Test {
protected:
    FinalizarPorNome()
        : nome_("zzteste-fin-" + std::to_string(::getpid()) + ".bin"), programa_(pasta_.Caminho() + "/" + nome_)
    {
        if (!CopiarArquivoSemSobrescrever("/bin/sleep", programa_))
            throw std::runtime_error("cópia de /bin/sleep falhou");
    }

    ~FinalizarPorNome() override
    {
        for (const pid_t pid : vivos_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    pid_t Iniciar()
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execl(programa_.c_str(), nome_.c_str(), "300", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        vivos_.push_back(pid);
        const std::string exe = "/proc/" + std::to_string(pid) + "/exe";
        // The name counts only once the child has replaced its image.
        EXPECT_TRUE(Aguardar([&] {
            char destino[4096];
            const ssize_t n = ::readlink(exe.c_str(), destino, sizeof destino);
            return n > 0 && NomeArquivo(std::string(destino, static_cast<std::size_t>(n))).rfind(nome_, 0) == 0;
        }));
        return pid;
    }

    // True when the process ended by SIGKILL; it is then reaped.
    bool MortoPorSigkill(pid_t pid)
    {
        int situacao;
        if (::waitpid(pid, &situacao, 0) != pid)
            return false;
        vivos_.erase(std::find(vivos_.begin(), vivos_.end(), pid));
        return WIFSIGNALED(situacao) && WTERMSIG(situacao) == SIGKILL;
    }

    bool Vivo(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == 0; }

    PastaTemporaria pasta_;
    std::string nome_;
    std::string programa_;
    std::vector<pid_t> vivos_;
};

TEST_F(FinalizarPorNome, SoOPrimeiroEmOrdemDeIdMorrePorChamada)
{
    const pid_t a = Iniciar();
    const pid_t b = Iniciar();
    const pid_t menor = std::min(a, b);
    const pid_t maior = std::max(a, b);

    FinalizarProcesso(Maiusculas(nome_));
    EXPECT_TRUE(MortoPorSigkill(menor));
    EXPECT_TRUE(Vivo(maior));

    FinalizarProcesso(nome_);
    EXPECT_TRUE(MortoPorSigkill(maior));

    FinalizarProcesso(nome_);  // nothing left of that name: returns quietly
}

TEST_F(FinalizarPorNome, ExecutavelApagadoAindaTemNome)
{
    const pid_t pid = Iniciar();
    ASSERT_TRUE(ApagarArquivo(programa_));
    FinalizarProcesso(nome_);
    EXPECT_TRUE(MortoPorSigkill(pid));
}

TEST_F(FinalizarPorNome, NomeDiferenteNaoMata)
{
    const pid_t pid = Iniciar();
    FinalizarProcesso("zz" + nome_);
    FinalizarProcesso(nome_.substr(1));
    EXPECT_TRUE(Vivo(pid));
}

// A copy of this test program started with this variable set does nothing
// but end itself by its own file name, before any test runs.
const char* const kFinalizarProprio = "ZZTESTE_FINALIZAR_PROPRIO";
[[maybe_unused]] const bool kCopiaQueSeFinaliza = [] {
    if (const char* marca = std::getenv(kFinalizarProprio)) {
        GravarArquivo(marca, "antes");
        FinalizarProcesso(Maiusculas(NomeArquivo(NomeCompletoPrograma())));
        std::_Exit(3);
    }
    return false;
}();

// The copy bears the name of a process started before it, as a monitor of
// another installation would: that one has the lower id and must live on.
TEST_F(FinalizarPorNome, ProprioNomeEncerraSoOProprioProcessoComCodigoZero)
{
    const pid_t outro = Iniciar();
    const std::string pastaCopia = pasta_.Caminho() + "/proprio";
    const std::string copia = pastaCopia + "/" + nome_;
    const std::string marca = pasta_.Caminho() + "/marca";
    ASSERT_TRUE(CriarPasta(pastaCopia));
    ASSERT_TRUE(CopiarArquivoSemSobrescrever(NomeCompletoPrograma(), copia));

    const pid_t copiaPid = ::fork();
    if (copiaPid == 0) {
        ::setenv(kFinalizarProprio, marca.c_str(), 1);
        ::execl(copia.c_str(), copia.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(copiaPid, outro);
    int situacao;
    ASSERT_EQ(::waitpid(copiaPid, &situacao, 0), copiaPid);
    EXPECT_TRUE(ArquivoExiste(marca));
    ASSERT_TRUE(WIFEXITED(situacao));
    EXPECT_EQ(WEXITSTATUS(situacao), 0);
    EXPECT_TRUE(Vivo(outro));
}

TEST(EncerrarProcessoImediatamente, EsvaziaOsBuffersESaiComOCodigo)
{
    EXPECT_EXIT(
        {
            FILE* bufferizado = ::fdopen(::dup(STDERR_FILENO), "w");
            std::setvbuf(bufferizado, nullptr, _IOFBF, 4096);
            std::fputs("ainda no buffer", bufferizado);
            EncerrarProcessoImediatamente(7);
        },
        ::testing::ExitedWithCode(7), "ainda no buffer");
}

TEST(NomeCompletoPrograma, EOExecutavelEmExecucao)
{
    struct stat programa {};
    struct stat proprio {};
    ASSERT_EQ(::stat(NomeCompletoPrograma().c_str(), &programa), 0);
    ASSERT_EQ(::stat("/proc/self/exe", &proprio), 0);
    EXPECT_EQ(programa.st_ino, proprio.st_ino);
    EXPECT_EQ(programa.st_dev, proprio.st_dev);
    EXPECT_EQ(NomeCompletoPrograma().front(), '/');
}

class IniciarDesacoplado : public ::testing::Test {
protected:
    // A script that records its arguments, one per line, and its process,
    // parent and session ids; the rename makes the record appear whole.
    std::string CriarScript()
    {
        const std::string script = pasta_.Caminho() + "/registra.sh";
        GravarArquivo(script,
                      "#!/bin/sh\n"
                      "printf '%s\\n' \"$@\" > \"$0.tmp\"\n"
                      "cut -d' ' -f1,4,6 /proc/$$/stat >> \"$0.tmp\"\n"
                      "mv \"$0.tmp\" \"$0.saida\"\n");
        ::chmod(script.c_str(), 0755);
        return script;
    }

    PastaTemporaria pasta_;
};

TEST_F(IniciarDesacoplado, ProgramaRecebeOsArgumentosEmSessaoPropria)
{
    const std::string script = CriarScript();
    ASSERT_TRUE(IniciarProgramaDesacoplado(script, {"@F1", "@M/srv/Minha§Pasta/Update", "com espaço", ""}));
    ASSERT_TRUE(Aguardar([&] { return ArquivoExiste(script + ".saida"); }));

    const std::string saida = LerArquivo(script + ".saida");
    const std::string argumentos = "@F1\n@M/srv/Minha§Pasta/Update\ncom espaço\n\n";
    ASSERT_EQ(saida.substr(0, argumentos.size()), argumentos);
    int pid = 0, pai = 0, sessao = 0;
    ASSERT_EQ(std::sscanf(saida.c_str() + argumentos.size(), "%d %d %d", &pid, &pai, &sessao), 3);
    EXPECT_EQ(sessao, pid);
    EXPECT_NE(pai, ::getpid());
}

TEST_F(IniciarDesacoplado, FalsoQuandoNaoPodeExecutar)
{
    const std::string semPermissao = pasta_.Caminho() + "/sem-permissao.sh";
    GravarArquivo(semPermissao, "#!/bin/sh\n");
    ::chmod(semPermissao.c_str(), 0644);
    EXPECT_FALSE(IniciarProgramaDesacoplado(pasta_.Caminho() + "/nao-existe", {}));
    EXPECT_FALSE(IniciarProgramaDesacoplado(semPermissao, {"x"}));
    EXPECT_FALSE(IniciarProgramaDesacoplado(pasta_.Caminho(), {}));
}

}  // namespace
