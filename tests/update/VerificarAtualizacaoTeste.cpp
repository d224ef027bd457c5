// The start-up update check in a temporary installation, on the model's own
// connection: the marker file, the updater's download (verified TLS only,
// nothing left behind by a failure, no link followed, a request to end
// honoured), the comparison with the program's copy at two-second resolution
// and the hand-over to an updater that records the arguments it was started
// with.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <functional>
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
#include "tests/update/AutoridadeTeste.h"
#include "tests/update/ServidorHttpTeste.h"
#include "tests/update/VariavelAmbienteTeste.h"
#include "update/CaminhosAtualizacao.h"
#include "update/VerificarAtualizacao.h"

namespace {

namespace fs = std::filesystem;
using Servidor = ServidorHttpTeste;

constexpr std::time_t kHorario = 1364205600;  // even: a two-second step starts here
const char* const kTitulo = "Aviso do Sistema";
const char* const kPublicado = "update/Atualizacao/telmora Dovezed/telmoraAtualizador.exe";
const char* const kPedido = "/update/Atualizacao/telmora%20Dovezed/telmoraAtualizador.exe";
const char* const kCorpoAtualizador = "atualizador baixado\n";
const char* const kFalhaDownload =
    "Não foi possível baixar o aplicativo para atualização inicial do seu sistema. Tente novamente mais tarde ou "
    "entre em contato com o suporte técnico da telmora.";

void Gravar(const std::string& caminho, const std::string& conteudo, std::time_t modificacao)
{
    fs::create_directories(fs::path(caminho).parent_path());
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
    fs::permissions(atualizador, fs::perms::owner_all);
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

std::vector<std::string> Conteudo(const std::string& pasta)
{
    std::vector<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(pasta))
        nomes.push_back(entrada.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

// The local ini naming the server ini and, when arquivoCA is not empty, the CA file.
std::string IniLocal(const InstalacaoTeste& instalacao, const std::string& arquivoCA)
{
    std::string ini = "[IniServidor]\r\nnomearquivo=" + instalacao.IniServidor() + "\r\n";
    if (!arquivoCA.empty())
        ini += "[Atualizacao]\r\nArquivoCA=" + arquivoCA + "\r\n";
    return ini;
}

struct Opcoes {
    bool comEspacos = false;
    bool comVersao = true;
    std::string nomePrograma = "telmoraComissao2.exe";
    std::string arquivoCA{};  // the local ini's [Atualizacao] ArquivoCA; empty: no such key
};

// The model connected the way the start-up connects, so the update paths
// are the ones the start-up works out. The program file is a small file
// modified at kHorario. The site is a port that refuses until a test names
// another host.
struct Cenario {
    explicit Cenario(const Opcoes& opcoes = {})
        : banco(opcoes.comVersao),
          instalacao(opcoes.comEspacos),
          programa(instalacao.PastaPrograma() + "/" + opcoes.nomePrograma),
          modelo(tela, ServicosTeste(relogio, programa, finalizador), {})
    {
        instalacao.ApontarBanco(banco.Caminho());
        instalacao.EscreverIniLocal(IniLocal(instalacao, opcoes.arquivoCA));
        Gravar(programa, "programa", kHorario);
        modelo.ConectarBanco(modelo.LerCaminhoBanco());
    }

    std::string Update() const { return instalacao.Raiz() + "/Update"; }
    std::string NaUpdate(const std::string& nome) const { return Update() + "/" + nome; }

    void GravarCopia(std::time_t modificacao) const
    {
        Gravar(NaUpdate(fs::path(programa).filename().string()), "copia", modificacao);
    }

    void InstalarAtualizadorGravador() const { GravarAtualizadorGravador(Update(), ArquivoArgumentos()); }

    std::string ArquivoArgumentos() const { return instalacao.Raiz() + "/argumentos"; }

    bool Verificar(int modo = 1)
    {
        return VerificarAtualizacao(
            tela, *modelo.Sessao.IBD_BancoDados, modo, modelo.CaminhosDaAtualizacao(),
            {programa, host, [this](int codigo) { encerramentos.push_back(codigo); }, fimPedido});
    }

    // Releases the model's connection first: the count must see committed work only.
    std::int64_t ColunasVersao()
    {
        modelo.DesconectarBanco();
        return banco
            .Escalar(
                "select count(*) from rdb$relation_fields where rdb$relation_name = 'TAB_PARAMETRO'"
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
    std::string host = HostRecusado();
    std::function<bool()> fimPedido = [] { return false; };
    std::vector<int> encerramentos;  // exit codes of the process ends asked for
};

std::string FaltaNaUpdate(const Cenario& c, const std::string& nome)
{
    return "Falha na atualização do aplicativo. Não foi encontrado o arquivo " + nome + " na pasta " + c.Update() +
           ".\rO Sistema será finalizado.";
}

// The working folder of the test process, changed for the life of the object.
class PastaDeTrabalho {
public:
    explicit PastaDeTrabalho(const std::string& pasta) : anterior_(fs::current_path()) { fs::current_path(pasta); }
    ~PastaDeTrabalho() { fs::current_path(anterior_); }
    PastaDeTrabalho(const PastaDeTrabalho&) = delete;
    PastaDeTrabalho& operator=(const PastaDeTrabalho&) = delete;

private:
    fs::path anterior_;
};

class VerificarAtualizacaoTeste : public ::testing::Test {
protected:
    static void SetUpTestSuite() { autoridade = std::make_unique<AutoridadeTeste>(); }

    static void TearDownTestSuite()
    {
        for (auto* servidor : {&valido, &vazio, &cortado, &desviado, &parado, &autoAssinado, &simples})
            servidor->reset();
        autoridade.reset();
    }

    static std::string ArquivoCA() { return autoridade->Arquivo(); }

    // The sites, each answering the updater's request in its own way.
    static const Servidor& Valido()
    {
        return SobDemanda(valido, [] { return Publicando(Seguro()); });
    }
    static const Servidor& Vazio()
    {
        return SobDemanda(vazio, [] { return Seguro(); });
    }
    static const Servidor& Cortado()
    {
        return SobDemanda(cortado, [] {
            auto site = Publicando(Seguro());
            site->Cortar(kPedido);
            return site;
        });
    }
    static const Servidor& Parado()
    {
        return SobDemanda(parado, [] {
            auto site = Publicando(Seguro());
            site->Parar(kPedido);
            return site;
        });
    }
    static const Servidor& Desviado()
    {
        return SobDemanda(desviado, [] {
            auto site = Seguro();
            site->Redirecionar(kPedido, Simples().Endereco(kPedido));
            return site;
        });
    }
    static const Servidor& AutoAssinado()
    {
        return SobDemanda(autoAssinado,
                          [] { return Publicando(std::make_unique<Servidor>(autoridade->AutoAssinado())); });
    }
    static const Servidor& Simples()
    {
        return SobDemanda(simples, [] { return Publicando(std::make_unique<Servidor>()); });
    }

private:
    static std::unique_ptr<Servidor> Seguro() { return std::make_unique<Servidor>(autoridade->Emitir()); }
    static std::unique_ptr<Servidor> Publicando(std::unique_ptr<Servidor> site)
    {
        site->Publicar(kPublicado, kCorpoAtualizador);
        return site;
    }

    static inline std::unique_ptr<AutoridadeTeste> autoridade;
    static inline std::unique_ptr<Servidor> valido;        // publishes the updater
    static inline std::unique_ptr<Servidor> vazio;         // answers 404 for it
    static inline std::unique_ptr<Servidor> cortado;       // breaks it off half-way
    static inline std::unique_ptr<Servidor> parado;        // stops sending half-way
    static inline std::unique_ptr<Servidor> desviado;      // redirects it to the plain server
    static inline std::unique_ptr<Servidor> autoAssinado;  // publishes it, certificate signed by itself
    static inline std::unique_ptr<Servidor> simples;       // publishes it over plain HTTP
};

TEST_F(VerificarAtualizacaoTeste, MarcadorDesligaTudoMenosAMensagem)
{
    Cenario c({.comVersao = false});
    c.instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    c.instalacao.Gravar("Bin/Exec-telmoraComissao2.exe", "copia");

    EXPECT_TRUE(c.Verificar());

    const std::vector<MensagemGravada> esperadas = {{"O aplicativo telmoraComissao2.exe não será atualizado. A pasta " +
                                                         c.instalacao.PastaPrograma() +
                                                         " está com o arquivo DebugarZorvel.tmp",
                                                     kTitulo, Icone::Aviso}};
    EXPECT_EQ(c.tela.mensagens, esperadas);
    EXPECT_EQ(c.tela.pedidosEncerrar, 0);
    EXPECT_FALSE(PastaExiste(c.Update()));
    EXPECT_TRUE(ArquivoExiste(c.instalacao.PastaPrograma() + "/Exec-telmoraComissao2.exe"));
    EXPECT_EQ(c.ColunasVersao(), 0);
}

// The CA file named in the local ini, absolute or from the program's folder,
// verifies the site; the download goes to the secure address.
TEST_F(VerificarAtualizacaoTeste, AtualizadorFaltandoEhBaixadoPorTlsVerificado)
{
    for (const std::string& arquivoCA : {ArquivoCA(), std::string("certificados/autoridade.pem")}) {
        SCOPED_TRACE(arquivoCA);
        Cenario c({.comVersao = false, .arquivoCA = arquivoCA});
        c.instalacao.Gravar("Bin/certificados/autoridade.pem", LerArquivo(ArquivoCA()));
        c.host = Valido().Host();
        c.GravarCopia(kHorario);

        EXPECT_TRUE(c.Verificar());

        EXPECT_TRUE(c.tela.mensagens.empty());
        EXPECT_EQ(c.tela.pedidosEncerrar, 0);
        EXPECT_TRUE(c.encerramentos.empty());
        EXPECT_EQ(Valido().Pedidos().back().caminho, kPedido);
        EXPECT_EQ(LerArquivo(c.NaUpdate("telmoraAtualizador.exe")), kCorpoAtualizador);
        EXPECT_EQ(::access(c.NaUpdate("telmoraAtualizador.exe").c_str(), X_OK), 0);
        EXPECT_EQ(Conteudo(c.Update()), (std::vector<std::string>{"telmoraAtualizador.exe", "telmoraComissao2.exe"}));
        EXPECT_EQ(c.ColunasVersao(), 2);
    }
}

// Nothing that could not be verified, nor a partial body, is left in the
// update folder. The check goes on after the failure: the schema upkeep
// still runs.
TEST_F(VerificarAtualizacaoTeste, DownloadFalhoAvisaNaoDeixaNadaEPedeOFim)
{
    const struct {
        const char* nome;
        std::string host;
        std::string arquivoCA;
    } casos[] = {
        {"status_404", Vazio().Host(), ArquivoCA()},
        {"resposta_cortada", Cortado().Host(), ArquivoCA()},
        {"redirecionado_a_http", Desviado().Host(), ArquivoCA()},
        {"autoassinado_sem_arquivo_ca", AutoAssinado().Host(), ""},
        {"autoridade_fora_do_arquivo_ca", Valido().Host(), ""},
        {"so_http", Simples().Host(), ArquivoCA()},
        {"recusado", HostRecusado(), ArquivoCA()},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        Cenario c({.comVersao = false, .arquivoCA = caso.arquivoCA});
        c.host = caso.host;
        c.GravarCopia(kHorario);

        EXPECT_TRUE(c.Verificar());

        const std::vector<MensagemGravada> esperadas = {{kFalhaDownload, kTitulo, Icone::Nenhum}};
        EXPECT_EQ(c.tela.mensagens, esperadas);
        EXPECT_EQ(c.tela.pedidosEncerrar, 1);
        EXPECT_EQ(Conteudo(c.Update()), std::vector<std::string>{"telmoraComissao2.exe"});
        EXPECT_EQ(c.ColunasVersao(), 2);
    }
    // Only a verified site is asked for the executable.
    EXPECT_FALSE(Simples().Recebeu(kPedido));
}

// A link planted under the download's name is replaced, never written
// through, whether the download succeeds or fails.
TEST_F(VerificarAtualizacaoTeste, LinkNoAlvoDoDownloadNaoEhSeguido)
{
    for (const Servidor* site : {&Valido(), &Vazio()}) {
        SCOPED_TRACE(site->Host());
        Cenario c({.arquivoCA = ArquivoCA()});
        c.host = site->Host();
        c.GravarCopia(kHorario);
        const std::string alheio = c.banco.Pasta() + "/alheio.txt";
        GravarArquivo(alheio, "arquivo de fora da instalação");
        fs::create_symlink(alheio, c.NaUpdate("oldtelmoraAtualizador.exe"));

        EXPECT_TRUE(c.Verificar());

        EXPECT_EQ(LerArquivo(alheio), "arquivo de fora da instalação");
        EXPECT_FALSE(fs::is_symlink(c.NaUpdate("oldtelmoraAtualizador.exe")));
        EXPECT_FALSE(fs::is_symlink(c.NaUpdate("telmoraAtualizador.exe")));
    }
}

// A request to end arrives while the download stalls: the check stops at
// once, shows nothing, asks nothing, leaves nothing, and skips the schema
// upkeep, since the start-up does not go on.
TEST_F(VerificarAtualizacaoTeste, PedidoDeFimDuranteODownloadParaEmSilencio)
{
    Cenario c({.comVersao = false, .arquivoCA = ArquivoCA()});
    c.host = Parado().Host();
    c.fimPedido = [] { return Parado().Recebeu(kPedido); };
    c.GravarCopia(kHorario);

    EXPECT_FALSE(c.Verificar());

    EXPECT_TRUE(c.tela.mensagens.empty());
    EXPECT_EQ(c.tela.pedidosEncerrar, 0);
    EXPECT_TRUE(c.encerramentos.empty());
    EXPECT_EQ(Conteudo(c.Update()), std::vector<std::string>{"telmoraComissao2.exe"});
    EXPECT_EQ(c.ColunasVersao(), 0);
}

// Without the server ini the update folder is unknown: no folder appears in
// the working folder and the site is not asked, even with the updater missing.
TEST_F(VerificarAtualizacaoTeste, SemIniLocalNadaDeUpdateNemSite)
{
    const struct {
        const char* nome;
        std::function<void(const InstalacaoTeste&)> estragar;
    } casos[] = {
        {"ini_ausente", [](const InstalacaoTeste& i) { fs::remove(i.IniLocal()); }},
        {"ini_vazio", [](const InstalacaoTeste& i) { i.EscreverIniLocal(""); }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        Cenario c;
        c.host = Valido().Host();
        caso.estragar(c.instalacao);
        c.modelo.ConectarBanco(c.modelo.LerCaminhoBanco());
        const PastaTemporaria trabalho;
        const PastaDeTrabalho dentro(trabalho.Caminho());
        const std::size_t pedidos = Valido().Pedidos().size();
        const std::size_t mensagens = c.tela.mensagens.size();

        EXPECT_TRUE(c.Verificar());

        EXPECT_TRUE(fs::is_empty(trabalho.Caminho()));
        EXPECT_FALSE(PastaExiste(c.Update()));
        EXPECT_EQ(Valido().Pedidos().size(), pedidos);
        EXPECT_EQ(c.tela.mensagens.size(), mensagens);
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

    EXPECT_TRUE(c.Verificar());

    const std::vector<MensagemGravada> esperadas = {{FaltaNaUpdate(c, "telmoraComissao2.exe"), kTitulo, Icone::Aviso}};
    EXPECT_EQ(c.tela.mensagens, esperadas);
    EXPECT_EQ(c.tela.pedidosEncerrar, 1);
    EXPECT_TRUE(c.encerramentos.empty());
}

TEST_F(VerificarAtualizacaoTeste, OutroModoParaDepoisDaEstrutura)
{
    Cenario c({.comVersao = false});
    c.InstalarAtualizadorGravador();

    EXPECT_TRUE(c.Verificar(0));

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

        EXPECT_TRUE(c.Verificar());

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

        EXPECT_TRUE(c.Verificar());

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
    Cenario c({.arquivoCA = ArquivoCA()});
    c.host = Vazio().Host();
    c.GravarCopia(kHorario + 2);

    EXPECT_TRUE(c.Verificar());

    const std::vector<MensagemGravada> esperadas = {
        {kFalhaDownload, kTitulo, Icone::Nenhum}, {FaltaNaUpdate(c, "telmoraAtualizador.exe"), kTitulo, Icone::Aviso}};
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

    EXPECT_TRUE(c.Verificar());

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
    ::posix_spawn_file_actions_addopen(&arquivos.acoes, STDERR_FILENO, saidaErros.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
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
