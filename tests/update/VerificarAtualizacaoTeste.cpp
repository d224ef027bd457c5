// The start-up update check in a temporary installation, on the model's own
// connection: the marker file, the updater's download, the comparison with
// the program's copy at two-second resolution and the hand-over to an
// updater that records the arguments it was started with.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "plataforma/Arquivos.h"
#include "plataforma/Processos.h"
#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/Modelo.h"
#include "tests/update/ServidorHttpTeste.h"
#include "tests/update/VariavelAmbienteTeste.h"
#include "update/VerificarAtualizacao.h"

namespace {

using Servidor = ServidorHttpTeste;

constexpr std::time_t kHorario = 1364205600;   // even: a two-second step starts here
const char* const kTitulo = "Aviso do Sistema";
const char* const kPublicado = "update/Atualizacao/telmora Dovezed/telmoraAtualizador.exe";
const char* const kCorpoAtualizador = "atualizador baixado\n";
const char* const kFalhaDownload =
    "Não foi possível baixar o aplicativo para atualização inicial do seu sistema. Tente novamente mais tarde ou "
    "entre em contato com o suporte técnico da telmora.";

void Gravar(const std::string& caminho, const std::string& conteudo, std::time_t modificacao)
{
    std::filesystem::create_directories(std::filesystem::path(caminho).parent_path());
    GravarArquivo(caminho, conteudo);
    const timespec tempos[2] = {{modificacao, 0}, {modificacao, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, caminho.c_str(), tempos, 0), 0);
}

// An updater that writes its arguments, one a line, to the file saida.
void GravarAtualizadorGravador(const std::string& pastaUpdate, const std::string& saida)
{
    const std::string atualizador = pastaUpdate + "/telmoraAtualizador.exe";
    Gravar(atualizador,
           "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + saida + ".tmp' && mv '" + saida + ".tmp' '" + saida + "'\n",
           kHorario);
    std::filesystem::permissions(atualizador, std::filesystem::perms::owner_all);
}

// The updater runs detached; the limit only keeps a missing start from
// hanging the test.
std::vector<std::string> ArgumentosGravados(const std::string& saida)
{
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!ArquivoExiste(saida) && std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::vector<std::string> argumentos;
    std::string texto = ArquivoExiste(saida) ? LerArquivo(saida) : "";
    for (std::size_t fim; (fim = texto.find('\n')) != std::string::npos; texto.erase(0, fim + 1))
        argumentos.push_back(texto.substr(0, fim));
    return argumentos;
}

// The updater's arguments for an installation with blanks ("Minha Pasta"):
// "§" in both folders, the file name unchanged.
std::vector<std::string> ArgumentosEsperados(const InstalacaoTeste& instalacao, const std::string& nomePrograma)
{
    const std::string& raiz = instalacao.Raiz();
    const std::string raizParametro = raiz.substr(0, raiz.rfind('/')) + "/Minha§Pasta";
    return {"@F1", "@M" + raizParametro + "/Update", "@E" + raizParametro + "/Bin", "@A" + nomePrograma};
}

struct Opcoes {
    bool comEspacos = false;
    bool comVersao = true;
    std::string nomePrograma = "telmoraComissao2.exe";
};

// The model connected the way the start-up connects, so the update paths are
// the ones the connection set-up fixed. The program file is a small file
// modified at kHorario.
struct Cenario {
    explicit Cenario(const Opcoes& opcoes = {})
        : banco(opcoes.comVersao),
          instalacao(opcoes.comEspacos),
          programa(instalacao.PastaPrograma() + "/" + opcoes.nomePrograma),
          modelo(tela, ServicosTeste(relogio, programa, finalizador), {})
    {
        instalacao.ApontarBanco(banco.Caminho());
        Gravar(programa, "programa", kHorario);
        DefinirNomeCompletoPrograma(programa);
        modelo.ConectarBanco(modelo.LerCaminhoBanco());
    }

    std::string NaUpdate(const std::string& nome) const { return instalacao.Raiz() + "/Update/" + nome; }

    void GravarCopia(std::time_t modificacao) const
    {
        Gravar(NaUpdate(std::filesystem::path(programa).filename().string()), "copia", modificacao);
    }

    void InstalarAtualizadorGravador() const
    {
        GravarAtualizadorGravador(instalacao.Raiz() + "/Update", ArquivoArgumentos());
    }

    std::string ArquivoArgumentos() const { return instalacao.Raiz() + "/argumentos"; }

    void Verificar(int modo = 1)
    {
        VerificarAtualizacao(tela, *modelo.Sessao.IBD_BancoDados, modo,
                             [this](int codigo) { encerramentos.push_back(codigo); });
    }

    // Releases the model's connection first: the count must see committed work only.
    std::int64_t ColunasVersao()
    {
        modelo.DesconectarBanco();
        return banco
            .Escalar("select count(*) from rdb$relation_fields where rdb$relation_name = 'TAB_PARAMETRO'"
                     " and rdb$field_name in ('SCRIPT_RODADO', 'VERSAO_ERP')")
            .Inteiro();
    }

    BancoTeste banco;
    InstalacaoTeste instalacao;
    ApresentacaoGravada tela;
    RelogioFixo relogio{DataHora::De(2013, 3, 25, 7, 5)};
    FinalizadorGravado finalizador;
    std::string programa;
    TfrmPrincipal modelo;
    std::vector<int> encerramentos;   // exit codes of the process ends asked for
};

std::string FaltaNaUpdate(const Cenario& c, const std::string& nome)
{
    return "Falha na atualização do aplicativo. Não foi encontrado o arquivo " + nome + " na pasta " +
           c.instalacao.Raiz() + "/Update.\rO Sistema será finalizado.";
}

class VerificarAtualizacaoTeste : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        seguro = std::make_unique<Servidor>(Servidor::Protocolo::Https);
        vazio = std::make_unique<Servidor>(Servidor::Protocolo::Http);
        cortado = std::make_unique<Servidor>(Servidor::Protocolo::Http, Servidor::Resposta::Cortada);
        seguro->Publicar(kPublicado, kCorpoAtualizador);
        cortado->Publicar(kPublicado, kCorpoAtualizador);
        recusado = HostRecusado();
    }

    static void TearDownTestSuite()
    {
        seguro.reset();
        vazio.reset();
        cortado.reset();
    }

    static inline std::unique_ptr<Servidor> seguro;   // publishes the updater
    static inline std::unique_ptr<Servidor> vazio;    // answers 404 for it
    static inline std::unique_ptr<Servidor> cortado;  // breaks it off half-way
    static inline std::string recusado;

    // No test may reach the maker's real site.
    VariavelAmbienteTeste host{"TELMORA_SITE_HOST", recusado};
};

TEST_F(VerificarAtualizacaoTeste, MarcadorDesligaTudoMenosAMensagem)
{
    Cenario c({.comVersao = false});
    c.instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    c.instalacao.Gravar("Bin/Exec-telmoraComissao2.exe", "copia");

    c.Verificar();

    const std::vector<MensagemGravada> esperadas = {
        {"O aplicativo telmoraComissao2.exe não será atualizado. A pasta " + c.instalacao.PastaPrograma() +
             " está com o arquivo DebugarZorvel.tmp",
         kTitulo, Icone::Aviso}};
    EXPECT_EQ(c.tela.mensagens, esperadas);
    EXPECT_EQ(c.tela.pedidosEncerrar, 0);
    EXPECT_FALSE(PastaExiste(c.instalacao.Raiz() + "/Update"));
    EXPECT_TRUE(ArquivoExiste(c.instalacao.PastaPrograma() + "/Exec-telmoraComissao2.exe"));
    EXPECT_EQ(c.ColunasVersao(), 0);
}

TEST_F(VerificarAtualizacaoTeste, AtualizadorFaltandoEhBaixadoPeloEnderecoSeguro)
{
    const VariavelAmbienteTeste site("TELMORA_SITE_HOST", seguro->Host());
    Cenario c({.comVersao = false});
    c.GravarCopia(kHorario);

    c.Verificar();

    EXPECT_TRUE(c.tela.mensagens.empty());
    EXPECT_EQ(c.tela.pedidosEncerrar, 0);
    EXPECT_TRUE(c.encerramentos.empty());
    EXPECT_EQ(seguro->Pedidos().back().caminho, "/update/Atualizacao/telmora%20Dovezed/telmoraAtualizador.exe");
    EXPECT_EQ(LerArquivo(c.NaUpdate("telmoraAtualizador.exe")), kCorpoAtualizador);
    EXPECT_EQ(::access(c.NaUpdate("telmoraAtualizador.exe").c_str(), X_OK), 0);
    EXPECT_FALSE(ArquivoExiste(c.NaUpdate("oldtelmoraAtualizador.exe")));
    EXPECT_EQ(c.ColunasVersao(), 2);
}

// The check goes on after the failure: the schema upkeep still runs.
TEST_F(VerificarAtualizacaoTeste, DownloadFalhoAvisaApagaOAlvoEPedeOFim)
{
    const struct {
        const char* nome;
        std::string host;
    } casos[] = {
        {"status_404", vazio->Host()},
        {"resposta_cortada", cortado->Host()},
        {"recusado", recusado},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const VariavelAmbienteTeste site("TELMORA_SITE_HOST", caso.host);
        Cenario c({.comVersao = false});
        c.GravarCopia(kHorario);

        c.Verificar();

        const std::vector<MensagemGravada> esperadas = {{kFalhaDownload, kTitulo, Icone::Nenhum}};
        EXPECT_EQ(c.tela.mensagens, esperadas);
        EXPECT_EQ(c.tela.pedidosEncerrar, 1);
        EXPECT_FALSE(ArquivoExiste(c.NaUpdate("oldtelmoraAtualizador.exe")));
        EXPECT_FALSE(ArquivoExiste(c.NaUpdate("telmoraAtualizador.exe")));
        EXPECT_EQ(c.ColunasVersao(), 2);
    }
}

// The download file cannot be created where a file stands in for the update
// folder: that error is the caller's, with nothing shown here.
TEST_F(VerificarAtualizacaoTeste, DestinoDoDownloadImpossivelDeixaOErroPassar)
{
    Cenario c;
    c.instalacao.Gravar("Update", "um arquivo no lugar da pasta");
    EXPECT_EQ(TextoDoErro<std::runtime_error>([&] { c.Verificar(); }),
              "Não foi possível criar o arquivo " + c.NaUpdate("oldtelmoraAtualizador.exe") + ".");
    EXPECT_TRUE(c.tela.mensagens.empty());
}

TEST_F(VerificarAtualizacaoTeste, CopiaFaltandoAvisaEPedeOFim)
{
    Cenario c;
    c.InstalarAtualizadorGravador();

    c.Verificar();

    const std::vector<MensagemGravada> esperadas = {{FaltaNaUpdate(c, "telmoraComissao2.exe"), kTitulo, Icone::Aviso}};
    EXPECT_EQ(c.tela.mensagens, esperadas);
    EXPECT_EQ(c.tela.pedidosEncerrar, 1);
    EXPECT_TRUE(c.encerramentos.empty());
}

TEST_F(VerificarAtualizacaoTeste, OutroModoParaDepoisDaEstrutura)
{
    Cenario c({.comVersao = false});
    c.InstalarAtualizadorGravador();

    c.Verificar(0);

    EXPECT_TRUE(c.tela.mensagens.empty());
    EXPECT_EQ(c.tela.pedidosEncerrar, 0);
    EXPECT_EQ(c.ColunasVersao(), 2);
}

TEST_F(VerificarAtualizacaoTeste, CopiaNoMesmoPassoDeDoisSegundosEhAMesmaVersao)
{
    for (const std::time_t diferenca : {0, 1}) {
        SCOPED_TRACE(diferenca);
        Cenario c;
        c.InstalarAtualizadorGravador();
        c.GravarCopia(kHorario + diferenca);

        c.Verificar();

        EXPECT_TRUE(c.tela.mensagens.empty());
        EXPECT_TRUE(c.tela.avisos.empty());
        EXPECT_EQ(c.tela.pedidosEncerrar, 0);
        EXPECT_TRUE(c.encerramentos.empty());
    }
}

// Blanks in both folders reach the updater as "§"; the file name goes unchanged.
TEST_F(VerificarAtualizacaoTeste, CopiaMaisAntigaOuMaisNovaPassaAoAtualizador)
{
    for (const std::time_t diferenca : {-2, 2}) {
        SCOPED_TRACE(diferenca);
        Cenario c({.comEspacos = true});
        c.InstalarAtualizadorGravador();
        c.GravarCopia(kHorario + diferenca);

        c.Verificar();

        const std::vector<AvisoGravado> avisos = {
            {"AVISO: Existe uma nova versão do aplicativo telmoraComissao2. A atualização será feita "
             "automaticamente. Aguarde...",
             false, true}};
        EXPECT_EQ(c.tela.avisos, avisos);
        EXPECT_TRUE(c.tela.mensagens.empty());
        EXPECT_EQ(c.encerramentos, std::vector<int>{0});
        EXPECT_EQ(ArgumentosGravados(c.ArquivoArgumentos()), ArgumentosEsperados(c.instalacao, "telmoraComissao2.exe"));
    }
}

TEST_F(VerificarAtualizacaoTeste, AtualizadorFaltandoComCopiaDiferenteAvisaDuasVezes)
{
    const VariavelAmbienteTeste site("TELMORA_SITE_HOST", vazio->Host());
    Cenario c;
    c.GravarCopia(kHorario + 2);

    c.Verificar();

    const std::vector<MensagemGravada> esperadas = {
        {kFalhaDownload, kTitulo, Icone::Nenhum},
        {FaltaNaUpdate(c, "telmoraAtualizador.exe"), kTitulo, Icone::Aviso}};
    EXPECT_EQ(c.tela.mensagens, esperadas);
    EXPECT_EQ(c.tela.pedidosEncerrar, 2);
    EXPECT_TRUE(c.tela.avisos.empty());
    EXPECT_TRUE(c.encerramentos.empty());
}

TEST_F(VerificarAtualizacaoTeste, NomeSemPontoDeixaONomeDoAvisoVazio)
{
    Cenario c({.nomePrograma = "telmoraComissao2"});
    c.InstalarAtualizadorGravador();
    c.GravarCopia(kHorario + 2);

    c.Verificar();

    const std::vector<AvisoGravado> avisos = {
        {"AVISO: Existe uma nova versão do aplicativo . A atualização será feita automaticamente. Aguarde...", false,
         true}};
    EXPECT_EQ(c.tela.avisos, avisos);
    EXPECT_EQ(ArgumentosGravados(c.ArquivoArgumentos()).back(), "@AtelmoraComissao2");
}

// The layout the demo lays out: the update folder beside the server ini's
// folder holds the updater and a copy with the program's own time, so the
// start-up passes the check quietly, with the schema upkeep done.
TEST(VerificarAtualizacaoInicio, CopiaIgualDeixaAInicializacaoSeguir)
{
    ModeloTeste m;
    m.instalacao.PrepararAtualizacaoEmDia();

    m.modelo.FormCreate();

    EXPECT_TRUE(m.tela.mensagens.empty());
    EXPECT_EQ(m.tela.pedidosEncerrar, 0);
    EXPECT_TRUE(m.modelo.Timer1.Enabled);
    EXPECT_TRUE(m.modelo.Timer2.Enabled);
    EXPECT_EQ(m.banco.Escalar("select VERSAO_ERP from tab_parametro").Texto(), "Versao Inicial");
}

// Runs the program, its standard error into a file. A program that has not
// ended after a generous limit is killed, which fails the test instead of
// hanging it. The exit code, or -1 when it did not exit normally.
int ExecutarPrograma(const std::string& programa, const std::string& saidaErros)
{
    struct Acoes {
        posix_spawn_file_actions_t acoes;
        Acoes() { ::posix_spawn_file_actions_init(&acoes); }
        ~Acoes() { ::posix_spawn_file_actions_destroy(&acoes); }
    } arquivos;
    ::posix_spawn_file_actions_addopen(&arquivos.acoes, STDERR_FILENO, saidaErros.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string nome = programa;
    char* argv[] = {nome.data(), nullptr};
    pid_t pid;
    if (::posix_spawn(&pid, programa.c_str(), &arquivos.acoes, nullptr, argv, environ) != 0)
        return -1;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int situacao = 0;
    while (::waitpid(pid, &situacao, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limite) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &situacao, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(situacao) ? WEXITSTATUS(situacao) : -1;
}

// The real program: the hand-over ends the process at once with exit code 0,
// so none of its shutdown runs and its lock file stays behind.
TEST(VerificarAtualizacaoPrograma, EntregaAoAtualizadorETerminaComCodigoZero)
{
    const VariavelAmbienteTeste semTela("QT_QPA_PLATFORM", "offscreen");
    const VariavelAmbienteTeste site("TELMORA_SITE_HOST", HostRecusado());
    const BancoTeste banco(true);
    const InstalacaoTeste instalacao(true);
    instalacao.ApontarBanco(banco.Caminho());
    instalacao.CopiarPrograma();
    Gravar(instalacao.Raiz() + "/Update/telmoraComissao2.exe", "versão anterior", kHorario);
    const std::string argumentos = instalacao.Raiz() + "/argumentos";
    GravarAtualizadorGravador(instalacao.Raiz() + "/Update", argumentos);
    const std::string erros = instalacao.Raiz() + "/erros";

    EXPECT_EQ(ExecutarPrograma(instalacao.Programa(), erros), 0);

    EXPECT_EQ(ArgumentosGravados(argumentos), ArgumentosEsperados(instalacao, "telmoraComissao2.exe"));
    EXPECT_NE(LerArquivo(erros).find("AVISO: Existe uma nova versão do aplicativo telmoraComissao2. A atualização será "
                                     "feita automaticamente. Aguarde..."),
              std::string::npos)
        << LerArquivo(erros);
    EXPECT_TRUE(ArquivoExiste(instalacao.PastaDados() + "/telmoraComissao2.lock"));
}

}  // namespace
