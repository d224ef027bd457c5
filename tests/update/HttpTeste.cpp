// The site's base address, the reachability probe and the download, against
// servers on 127.0.0.1: TLS with a self-signed certificate, plain HTTP, one
// that cuts every response half-way, and a port that refuses.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "plataforma/Arquivos.h"
#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/PastaTemporaria.h"
#include "tests/update/ServidorHttpTeste.h"
#include "tests/update/VariavelAmbienteTeste.h"
#include "update/Http.h"

namespace {

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

class HttpTeste : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        seguro = std::make_unique<Servidor>(Servidor::Protocolo::Https);
        simples = std::make_unique<Servidor>(Servidor::Protocolo::Http);
        cortado = std::make_unique<Servidor>(Servidor::Protocolo::Http, Servidor::Resposta::Cortada);
        for (const auto* servidor : {seguro.get(), simples.get(), cortado.get()})
            servidor->Publicar(kPublicado, CorpoBinario());
        recusado = HostRecusado();
    }

    static void TearDownTestSuite()
    {
        seguro.reset();
        simples.reset();
        cortado.reset();
    }

    static inline std::unique_ptr<Servidor> seguro;
    static inline std::unique_ptr<Servidor> simples;
    static inline std::unique_ptr<Servidor> cortado;
    static inline std::string recusado;

    std::string NaPasta(const std::string& nome) const { return pasta.Caminho() + "/" + nome; }

    PastaTemporaria pasta;
};

TEST_F(HttpTeste, EnderecoBaseEhOSeguroSoQuandoOSiteRespondeEmTls)
{
    const struct {
        const char* nome;
        std::string host;
        std::string esperado;
    } casos[] = {
        {"tls_autoassinado", seguro->Host(), "https://" + seguro->Host()},
        {"so_http", simples->Host(), "http://" + simples->Host()},
        {"recusado", recusado, "http://" + recusado},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const VariavelAmbienteTeste host("TELMORA_SITE_HOST", caso.host);
        EXPECT_EQ(EnderecoBaseSite(), caso.esperado);
    }
}

TEST_F(HttpTeste, SiteAcessivelSoQuandoOGetSeCompleta)
{
    const struct {
        const char* nome;
        std::string endereco;
        bool esperado;
    } casos[] = {
        {"tls_autoassinado", "https://" + seguro->Host(), true},
        {"http", "http://" + simples->Host(), true},
        {"status_404", "http://" + simples->Host() + "/falta", false},
        {"tls_num_servidor_http", "https://" + simples->Host(), false},
        {"resposta_cortada", "http://" + cortado->Host(), false},
        {"recusado", "http://" + recusado, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(SiteAcessivel(caso.endereco), caso.esperado);
    }
}

TEST_F(HttpTeste, BaixarSubstituiOArquivoPeloCorpoExato)
{
    const std::string destino = NaPasta("baixado.bin");
    for (const std::string& esquemaHost : {"https://" + seguro->Host(), "http://" + simples->Host()}) {
        SCOPED_TRACE(esquemaHost);
        GravarArquivo(destino, CorpoBinario() + "sobra de um arquivo anterior");
        EXPECT_TRUE(BaixarArquivo(esquemaHost + kCaminho, destino));
        EXPECT_EQ(LerArquivo(destino), CorpoBinario());
    }
}

TEST_F(HttpTeste, BaixarFalhaSemLancarErroDeRede)
{
    const struct {
        const char* nome;
        std::string endereco;
    } casos[] = {
        {"status_404", "http://" + simples->Host() + "/falta.exe"},
        {"resposta_cortada", "http://" + cortado->Host() + kCaminho},
        {"recusado", "http://" + recusado + kCaminho},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_FALSE(BaixarArquivo(caso.endereco, NaPasta("baixado.bin")));
    }
}

TEST_F(HttpTeste, DestinoQueNaoPodeSerCriadoLancaAntesDeQualquerPedido)
{
    const std::string destino = NaPasta("nao existe/baixado.bin");
    const std::size_t pedidosAntes = simples->Pedidos().size();
    EXPECT_EQ(TextoDoErro<std::runtime_error>([&] { BaixarArquivo("http://" + simples->Host() + kCaminho, destino); }),
              "Não foi possível criar o arquivo " + destino + ".");
    EXPECT_EQ(simples->Pedidos().size(), pedidosAntes);
}

TEST_F(HttpTeste, SondaEDownloadEnviamOsCabecalhosDoSite)
{
    const std::size_t antes = simples->Pedidos().size();
    ASSERT_TRUE(SiteAcessivel("http://" + simples->Host()));
    ASSERT_TRUE(BaixarArquivo("http://" + simples->Host() + kCaminho, NaPasta("baixado.bin")));

    const auto pedidos = simples->Pedidos();
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

}  // namespace
