// The site's base address, the reachability probe and the download, against
// servers on 127.0.0.1: TLS with a certificate of the tests' own authority,
// one for another host name and a self-signed one, plain HTTP, redirects,
// error statuses, bodies cut short or stalled, a port that refuses and one
// that never answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plataforma/Arquivos.h"
#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/PastaTemporaria.h"
#include "tests/update/AutoridadeTeste.h"
#include "tests/update/ServidorHttpTeste.h"
#include "update/Http.h"

namespace {

namespace fs = std::filesystem;
using Servidor = ServidorHttpTeste;

const char* const kPublicado = "pasta com espaço/arquivo.bin";
const char* const kCaminho = "/pasta%20com%20espa%C3%A7o/arquivo.bin";

// Every byte value, zero included, and longer than one network read.
std::string CorpoBinario()
{
    std::string corpo;
    for (int i = 0; i < 300'000; ++i)
        corpo += static_cast<char>(i * 7 % 256);
    return corpo;
}

ConfiguracaoHttp Configuracao(const std::string& arquivoCA)
{
    return {arquivoCA, [] { return false; }};
}

std::vector<std::string> ArquivosDa(const std::string& pasta)
{
    std::vector<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(pasta))
        nomes.push_back(entrada.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

class HttpTeste : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        autoridade = std::make_unique<AutoridadeTeste>();
        recusado = HostRecusado();
    }

    static void TearDownTestSuite()
    {
        for (auto* servidor : {&valido, &outroNome, &autoAssinado, &simples})
            servidor->reset();
        autoridade.reset();
    }

    // Signed by the authority for 127.0.0.1, with the redirects, statuses and
    // broken bodies of the tests below.
    static const Servidor& Valido()
    {
        return SobDemanda(valido, [] {
            auto site = Publicando(std::make_unique<Servidor>(autoridade->Emitir()));
            site->Redirecionar("/para-https", site->Endereco(kCaminho));
            site->Redirecionar("/para-http", Simples().Endereco(kCaminho));
            site->Redirecionar("/laco", site->Endereco("/laco"));
            site->Responder("/erro-404", 404);
            site->Responder("/erro-500", 500);
            site->Responder("/movido", 302);
            site->Cortar(kCaminho + std::string("?cortado"));
            for (const char* parado : {"parado.bin", "interrompido.bin"}) {
                site->Publicar(parado, CorpoBinario());
                site->Parar(std::string("/") + parado);
            }
            return site;
        });
    }
    // Signed by the authority for another name.
    static const Servidor& OutroNome()
    {
        return SobDemanda(
            outroNome, [] { return Publicando(std::make_unique<Servidor>(autoridade->Emitir("DNS:outro.invalid"))); });
    }
    // Its own authority; its certificate is in certificadoAutoAssinado once it runs.
    static const Servidor& AutoAssinado()
    {
        return SobDemanda(autoAssinado, [] {
            const AutoridadeTeste::Certificado proprio = autoridade->AutoAssinado();
            certificadoAutoAssinado = proprio.certificado;
            return Publicando(std::make_unique<Servidor>(proprio));
        });
    }
    static const Servidor& Simples()
    {
        return SobDemanda(simples, [] { return Publicando(std::make_unique<Servidor>()); });
    }

    static inline std::unique_ptr<AutoridadeTeste> autoridade;
    static inline std::string certificadoAutoAssinado;
    static inline std::string recusado;

    std::string NaPasta(const std::string& nome) const { return pasta.Caminho() + "/" + nome; }

    PastaTemporaria pasta;

private:
    static std::unique_ptr<Servidor> Publicando(std::unique_ptr<Servidor> site)
    {
        site->Publicar(kPublicado, CorpoBinario());
        return site;
    }

    static inline std::unique_ptr<Servidor> valido;
    static inline std::unique_ptr<Servidor> outroNome;
    static inline std::unique_ptr<Servidor> autoAssinado;
    static inline std::unique_ptr<Servidor> simples;
};

TEST_F(HttpTeste, EnderecoBaseEhOSeguroSoQuandoOCertificadoSeVerifica)
{
    const std::string hostAutoAssinado = AutoAssinado().Host();
    const struct {
        const char* nome;
        std::string host;
        std::string arquivoCA;
        bool seguro;
    } casos[] = {
        {"autoridade_no_arquivo_ca", Valido().Host(), autoridade->Arquivo(), true},
        {"autoridade_desconhecida_do_sistema", Valido().Host(), "", false},
        {"autoassinado_sem_arquivo_ca", hostAutoAssinado, "", false},
        {"autoassinado_como_arquivo_ca", hostAutoAssinado, certificadoAutoAssinado, true},
        {"nome_de_outro_host", OutroNome().Host(), autoridade->Arquivo(), false},
        {"arquivo_ca_inexistente", Valido().Host(), NaPasta("falta.pem"), false},
        {"so_http", Simples().Host(), autoridade->Arquivo(), false},
        {"recusado", recusado, autoridade->Arquivo(), false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(EnderecoBaseSite(caso.host, Configuracao(caso.arquivoCA)),
                  (caso.seguro ? "https://" : "http://") + caso.host);
    }
}

TEST_F(HttpTeste, SiteAcessivelSoComStatus2xxNoFim)
{
    const struct {
        const char* nome;
        std::string endereco;
        bool esperado;
    } casos[] = {
        {"tls_verificado", Valido().Endereco(), true},
        {"http", Simples().Endereco(), true},
        {"redirecionado_a_https", Valido().Endereco("/para-https"), true},
        {"redirecionado_a_http", Valido().Endereco("/para-http"), false},
        {"redirecionamento_em_laco", Valido().Endereco("/laco"), false},
        {"302_sem_destino", Valido().Endereco("/movido"), false},
        {"status_404", Valido().Endereco("/erro-404"), false},
        {"status_500", Valido().Endereco("/erro-500"), false},
        {"tls_num_servidor_http", "https://" + Simples().Host(), false},
        {"resposta_cortada", Valido().Endereco(kCaminho + std::string("?cortado")), false},
        {"recusado", "http://" + recusado, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(SiteAcessivel(caso.endereco, Configuracao(autoridade->Arquivo())), caso.esperado);
    }
}

// The previous file is replaced whole, through a redirect too, and nothing
// else is left beside it.
TEST_F(HttpTeste, BaixarSubstituiOArquivoPeloCorpoExato)
{
    const std::string destino = NaPasta("baixado.bin");
    for (const std::string& endereco : {Valido().Endereco(kCaminho), Valido().Endereco("/para-https")}) {
        SCOPED_TRACE(endereco);
        GravarArquivo(destino, CorpoBinario() + "sobra de um arquivo anterior");
        EXPECT_TRUE(BaixarArquivo(endereco, destino, Configuracao(autoridade->Arquivo())));
        EXPECT_EQ(LerArquivo(destino), CorpoBinario());
        EXPECT_EQ(ArquivosDa(pasta.Caminho()), std::vector<std::string>{"baixado.bin"});
    }
}

// A failure leaves the previous file as it was and nothing beside it. A
// plain address is not even requested.
TEST_F(HttpTeste, DownloadFalhoDeixaOArquivoAnteriorIntacto)
{
    const struct {
        const char* nome;
        std::string endereco;
        std::string arquivoCA;
    } casos[] = {
        {"http", Simples().Endereco(kCaminho), autoridade->Arquivo()},
        {"autoassinado_sem_arquivo_ca", AutoAssinado().Endereco(kCaminho), ""},
        {"nome_de_outro_host", OutroNome().Endereco(kCaminho), autoridade->Arquivo()},
        {"redirecionado_a_http", Valido().Endereco("/para-http"), autoridade->Arquivo()},
        {"redirecionamento_em_laco", Valido().Endereco("/laco"), autoridade->Arquivo()},
        {"302_sem_destino", Valido().Endereco("/movido"), autoridade->Arquivo()},
        {"status_404", Valido().Endereco("/erro-404"), autoridade->Arquivo()},
        {"status_500", Valido().Endereco("/erro-500"), autoridade->Arquivo()},
        {"resposta_cortada", Valido().Endereco(kCaminho + std::string("?cortado")), autoridade->Arquivo()},
        {"recusado", "https://" + recusado + kCaminho, autoridade->Arquivo()},
    };
    const std::string destino = NaPasta("atualizador.exe");
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        GravarArquivo(destino, "versão anterior");
        EXPECT_FALSE(BaixarArquivo(caso.endereco, destino, Configuracao(caso.arquivoCA)));
        EXPECT_EQ(LerArquivo(destino), "versão anterior");
        EXPECT_EQ(ArquivosDa(pasta.Caminho()), std::vector<std::string>{"atualizador.exe"});
    }
    EXPECT_FALSE(Simples().Recebeu(kCaminho));
}

// A link planted under the target's name is replaced, never written through.
TEST_F(HttpTeste, LinkNoLugarDoDestinoNaoEhSeguido)
{
    const PastaTemporaria fora;
    const std::string alheio = fora.Caminho() + "/alheio";
    const std::string destino = NaPasta("baixado.bin");
    GravarArquivo(alheio, "de outro");
    fs::create_symlink(alheio, destino);

    EXPECT_FALSE(BaixarArquivo(Valido().Endereco("/erro-404"), destino, Configuracao(autoridade->Arquivo())));
    EXPECT_TRUE(fs::is_symlink(destino));
    EXPECT_TRUE(BaixarArquivo(Valido().Endereco(kCaminho), destino, Configuracao(autoridade->Arquivo())));

    EXPECT_FALSE(fs::is_symlink(destino));
    EXPECT_EQ(LerArquivo(destino), CorpoBinario());
    EXPECT_EQ(LerArquivo(alheio), "de outro");
}

TEST_F(HttpTeste, DestinoQueNaoPodeSerCriadoLancaAntesDeQualquerPedido)
{
    const std::string destino = NaPasta("nao existe/baixado.bin");
    const std::size_t pedidosAntes = Valido().Pedidos().size();
    try {
        (void)BaixarArquivo(Valido().Endereco(kCaminho), destino, Configuracao(autoridade->Arquivo()));
        FAIL() << "nenhum erro";
    } catch (const std::runtime_error& erro) {
        EXPECT_EQ(std::string(erro.what()), "Não foi possível criar o arquivo " + destino + ".");
    }
    EXPECT_EQ(Valido().Pedidos().size(), pedidosAntes);
}

TEST_F(HttpTeste, SondaEDownloadEnviamOsCabecalhosDoSite)
{
    const std::size_t antes = Valido().Pedidos().size();
    ASSERT_TRUE(SiteAcessivel(Valido().Endereco(), Configuracao(autoridade->Arquivo())));
    ASSERT_TRUE(
        BaixarArquivo(Valido().Endereco(kCaminho), NaPasta("baixado.bin"), Configuracao(autoridade->Arquivo())));

    const auto pedidos = Valido().Pedidos();
    ASSERT_EQ(pedidos.size(), antes + 2);
    EXPECT_EQ(pedidos[antes].caminho, "/");
    EXPECT_EQ(pedidos[antes + 1].caminho, kCaminho);
    for (std::size_t i = antes; i < pedidos.size(); ++i) {
        SCOPED_TRACE(pedidos[i].caminho);
        EXPECT_TRUE(pedidos[i].Tem("Content-Type: application/json"));
        EXPECT_TRUE(pedidos[i].Tem("Content-Encoding: utf-8"));
        EXPECT_TRUE(pedidos[i].Tem("Accept: text/javascript"));
        for (const char* ausente : {"Content-Length", "Range", "Authorization"})
            EXPECT_FALSE(pedidos[i].TemNome(ausente)) << ausente;
    }
}

// A site that takes the connection and never answers (the TLS handshake
// never ends), and one that stops sending half-way: each call gives up on
// its own. They wait side by side; the bound is far above the time-outs and
// only tells a give-up from a hang.
TEST_F(HttpTeste, SiteQueNaoRespondeEhAbandonado)
{
    const ServidorMudoTeste mudo;
    const std::string destino = NaPasta("baixado.bin");
    const auto inicio = std::chrono::steady_clock::now();
    auto sonda = std::async(std::launch::async, [&] {
        return SiteAcessivel("https://" + mudo.Host(), Configuracao(autoridade->Arquivo()));
    });
    auto semResposta = std::async(std::launch::async, [&] {
        return BaixarArquivo("https://" + mudo.Host() + kCaminho, NaPasta("mudo.bin"),
                             Configuracao(autoridade->Arquivo()));
    });
    auto parado = std::async(std::launch::async, [&] {
        return BaixarArquivo(Valido().Endereco("/parado.bin"), destino, Configuracao(autoridade->Arquivo()));
    });

    EXPECT_FALSE(sonda.get());
    EXPECT_FALSE(semResposta.get());
    EXPECT_FALSE(parado.get());
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(55));
    EXPECT_TRUE(fs::is_empty(pasta.Caminho()));
}

// The poll asks to stop once the stalled transfer has reached the server, or
// while the handshake hangs: the call throws soon after, with nothing left.
TEST_F(HttpTeste, InterrupcaoAbandonaATransferenciaELanca)
{
    const ServidorMudoTeste mudo;
    const struct {
        const char* nome;
        std::function<void(const ConfiguracaoHttp&)> transferir;
        std::function<bool()> interromper;
    } casos[] = {
        {"download_parado",
         [&](const ConfiguracaoHttp& c) {
             (void)BaixarArquivo(Valido().Endereco("/interrompido.bin"), NaPasta("x"), c);
         },
         [] { return Valido().Recebeu("/interrompido.bin"); }},
        {"sonda_sem_resposta", [&](const ConfiguracaoHttp& c) { (void)SiteAcessivel("https://" + mudo.Host(), c); },
         [] { return true; }},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const auto inicio = std::chrono::steady_clock::now();
        EXPECT_THROW(caso.transferir({autoridade->Arquivo(), caso.interromper}), TransferenciaInterrompida);
        EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(12));
        EXPECT_TRUE(fs::is_empty(pasta.Caminho()));
    }
}

}  // namespace
