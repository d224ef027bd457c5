// The disconnect check on the window model: which "Conectado.txt" is a
// request, what an unreadable one does, and what the five-second tick does
// with the answer. The process terminator only records the name here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

#include "app/ArquivoTrava.h"
#include "app/UnPrincipal.h"
#include "tests/fixtures/Casos.h"
#include "tests/fixtures/Dubles.h"
#include "tests/fixtures/InstalacaoTeste.h"

namespace fs = std::filesystem;

namespace {

const MensagemGravada kFalhaLeitura{"Não foi possível acessar a pasta Dados no Servidor.", "Aviso do Sistema",
                                    Icone::Erro};

// An installation whose server data folder is <raiz>/Dados, with the model
// taking its program as its own file name. No database: the check needs none.
struct Monitor {
    Monitor() { instalacao.EscreverIniServidor("[Database]\r\n"); }

    std::string Conectado() const { return instalacao.PastaDados() + "/Conectado.txt"; }
    std::string Trava() const { return instalacao.PastaDados() + "/telmoraComissao2.lock"; }
    void GravarConectado(const std::string& bytes) const { instalacao.Gravar("Dados/Conectado.txt", bytes); }

    // A regular file that every reader, root included, fails to read: the
    // memory file of the reading process, whose first page is never mapped.
    void ConectadoIlegivel() const { fs::create_symlink("/proc/self/mem", Conectado()); }

    InstalacaoTeste instalacao;
    ApresentacaoGravada tela;
    RelogioFixo relogio{DataHora::De(2013, 3, 25, 7, 5)};
    FinalizadorGravado finalizador;
    TfrmPrincipal modelo{tela, ServicosTeste(relogio, instalacao.Programa(), finalizador), {}};
};

struct CasoPedido {
    const char* nome;
    std::function<void(const Monitor&)> preparar;
    bool liberada;
};

void PrintTo(const CasoPedido& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class PedidoDesconexao : public ::testing::TestWithParam<CasoPedido> {};

std::function<void(const Monitor&)> Conteudo(const std::string& bytes)
{
    return [bytes](const Monitor& m) { m.GravarConectado(bytes); };
}

}  // namespace

TEST_P(PedidoDesconexao, SoAPrimeiraLinhaExataPede)
{
    Monitor m;
    GetParam().preparar(m);
    EXPECT_EQ(m.modelo.ConexaoLiberada(), GetParam().liberada);
    for (const auto& mensagem : m.tela.mensagens)
        EXPECT_NE(mensagem, kFalhaLeitura);
}

INSTANTIATE_TEST_SUITE_P(
    ConexaoLiberada, PedidoDesconexao,
    ::testing::Values(
        CasoPedido{"palavra_sozinha", Conteudo("DESCONECTAR"), false},
        CasoPedido{"palavra_com_crlf_e_mais_linhas", Conteudo("DESCONECTAR\r\nOutra\r\n"), false},
        CasoPedido{"palavra_com_lf", Conteudo("DESCONECTAR\n"), false},
        CasoPedido{"minusculas", Conteudo("desconectar\r\n"), true},
        CasoPedido{"seguida_de_branco", Conteudo("DESCONECTAR \r\n"), true},
        CasoPedido{"precedida_de_branco", Conteudo(" DESCONECTAR\r\n"), true},
        CasoPedido{"so_na_segunda_linha", Conteudo("CONECTADO\r\nDESCONECTAR\r\n"), true},
        CasoPedido{"primeira_linha_vazia", Conteudo("\r\nDESCONECTAR\r\n"), true},
        CasoPedido{"arquivo_vazio", Conteudo(""), true}, CasoPedido{"sem_arquivo", [](const Monitor&) {}, true},
        // Only a file counts, as for the lock file.
        CasoPedido{"pasta_com_o_nome", [](const Monitor& m) { fs::create_directory(m.Conectado()); }, true},
        CasoPedido{"sem_pasta_dados",
                   [](const Monitor& m) {
                       m.GravarConectado("DESCONECTAR");
                       m.instalacao.EscreverIniLocal("[IniServidor]\r\nnomearquivo=" + m.instalacao.Raiz() +
                                                     "/Outra/Servidor.ini\r\n");
                   },
                   true}),
    NomeDoCaso());

TEST(ConexaoLiberada, ArquivoIlegivelAvisaACadaVerificacaoESegueLiberada)
{
    Monitor m;
    m.ConectadoIlegivel();
    EXPECT_TRUE(m.modelo.ConexaoLiberada());
    EXPECT_TRUE(m.modelo.ConexaoLiberada());
    EXPECT_EQ(m.tela.mensagens, (std::vector<MensagemGravada>{kFalhaLeitura, kFalhaLeitura}));
}

// The folder is looked up again at every check: a request written after the
// first check is seen by the next one, and one taken back is no longer seen.
TEST(ConexaoLiberada, LeDeNovoACadaVerificacao)
{
    Monitor m;
    EXPECT_TRUE(m.modelo.ConexaoLiberada());
    m.GravarConectado("DESCONECTAR\r\n");
    EXPECT_FALSE(m.modelo.ConexaoLiberada());
    m.GravarConectado("CONECTADO\r\n");
    EXPECT_TRUE(m.modelo.ConexaoLiberada());
}

TEST(Timer2Timer, PedidoApagaATravaEFinalizaOMonitor)
{
    Monitor m;
    CriarArquivoTrava(m.instalacao.Programa(), m.instalacao.PastaDados() + "/");
    m.GravarConectado("DESCONECTAR\r\n");
    m.modelo.Timer2Timer();
    EXPECT_FALSE(fs::exists(m.Trava()));
    EXPECT_EQ(m.finalizador.nomes, std::vector<std::string>{"telmoraComissao2.exe"});
    // The request file is the suite's: the monitor leaves it as it was.
    EXPECT_TRUE(fs::exists(m.Conectado()));
    EXPECT_TRUE(m.tela.mensagens.empty());
}

TEST(Timer2Timer, SemPedidoNadaAcontece)
{
    Monitor m;
    CriarArquivoTrava(m.instalacao.Programa(), m.instalacao.PastaDados() + "/");
    m.GravarConectado("desconectar\r\n");
    m.modelo.Timer2Timer();
    EXPECT_TRUE(fs::exists(m.Trava()));
    EXPECT_TRUE(m.finalizador.nomes.empty());
}

TEST(Timer2Timer, ArquivoIlegivelNaoFinaliza)
{
    Monitor m;
    CriarArquivoTrava(m.instalacao.Programa(), m.instalacao.PastaDados() + "/");
    m.ConectadoIlegivel();
    m.modelo.Timer2Timer();
    EXPECT_TRUE(fs::exists(m.Trava()));
    EXPECT_TRUE(m.finalizador.nomes.empty());
    EXPECT_EQ(m.tela.mensagens, std::vector<MensagemGravada>{kFalhaLeitura});
}
