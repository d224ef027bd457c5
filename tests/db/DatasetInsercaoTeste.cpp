// The two cached-update datasets write whole rows through their insert
// statements: every column set reads back as written, the others are NULL,
// and texts reach the database as Windows-1252.
#include <gtest/gtest.h>

#include "commission/FontePendente.h"
#include "commission/MovimentoComissao.h"
#include "db/firebird/ErroBanco.h"
#include "tests/fixtures/Modelo.h"

namespace {

class DatasetInsercaoTeste : public ::testing::Test {
protected:
    DatasetInsercaoTeste() { janela.ConectarBanco(janela.LerCaminhoBanco()); }
    ~DatasetInsercaoTeste() override { janela.DesconectarBanco(); }

    ModeloTeste m;
    TfrmPrincipal& janela = m.modelo;
};

TEST_F(DatasetInsercaoTeste, MovimentoDeComissaoGravadoColunaAColuna)
{
    const DataHora emissao = DataHora::De(2013, 3, 25);
    ContextoFase contexto{janela.Sessao, janela, m.relogio};
    UnidadeFonte unidade(contexto);
    GravarMovimentoComissao(contexto, [&](DatasetInsercao& d) {
        d.DefinirCampo("ID_COMISSAO", Valor::DeInteiro(42));
        d.DefinirCampo("TP_REGISTRO", Valor::DeTexto("1"));
        d.DefinirCampo("ID_NF_COMERCIO", Valor::DeInteiro(123));
        d.DefinirCampo("ID_VENDEDOR", Valor::DeInteiro(7));
        d.DefinirCampo("NM_CLIENTE", Valor::DeTexto("JOÃO D'ÁVILA ÇÕ"));
        d.DefinirCampo("DT_EMISSAO", Valor::DeData(emissao));
        d.DefinirCampo("VL_COMISSAO", Valor::DeDinheiro(Dinheiro::DeUnidades(160'000)));
        d.DefinirCampo("PO_COMISSAO", Valor::DeDinheiro(Dinheiro::DeUnidades(17'778)));
    });
    unidade.Confirmar();
    ConfirmarGrupo(contexto);

    const auto linhas = m.banco.Ler("select * from mov_comissao");
    ASSERT_EQ(linhas.size(), 1u);
    const auto& l = linhas.front();
    EXPECT_EQ(l.at("ID_COMISSAO").Inteiro(), 42);
    EXPECT_EQ(l.at("TP_REGISTRO").Texto(), "1");
    EXPECT_EQ(l.at("ID_NF_COMERCIO").Inteiro(), 123);
    EXPECT_EQ(l.at("ID_VENDEDOR").Inteiro(), 7);
    EXPECT_EQ(l.at("NM_CLIENTE").Texto(), "JOÃO D'ÁVILA ÇÕ");
    EXPECT_EQ(l.at("DT_EMISSAO").Data(), emissao);
    EXPECT_EQ(l.at("VL_COMISSAO").ComoDinheiro().Unidades(), 160'000);
    // The column keeps two decimals: the server rounds 1.7778 to 1.78.
    EXPECT_EQ(l.at("PO_COMISSAO").ComoDinheiro().Unidades(), 17'800);
    for (const char* nula :
         {"ID_FINANCEIRO", "ID_ACERTO_COMISSAO", "DS_SERIE", "VL_BASE_COMISSAO", "ID_COMISSAO_GERADA", "ST_ESTORNO_1"})
        EXPECT_TRUE(l.at(nula).Nulo()) << nula;
    EXPECT_EQ(m.banco.Escalar("select octet_length(nm_cliente) from mov_comissao").Inteiro(), 15);
}

TEST_F(DatasetInsercaoTeste, AcertoGravadoEConfirmadoLinhaALinha)
{
    DatasetInsercao& acerto = janela.Sessao.IBD_AcertoComissao;
    acerto.Abrir();
    for (int id : {1, 2}) {
        acerto.Inserir();
        acerto.DefinirCampo("ID_ACERTO_COMISSAO", Valor::DeInteiro(id));
        acerto.DefinirCampo("DT_PAGAMENTO", Valor::DeData(DataHora::De(2013, 3, 25)));
        acerto.DefinirCampo("ID_VENDEDOR", Valor::DeInteiro(7));
        acerto.DefinirCampo("VL_ACERTO", Valor::DeDinheiro(Dinheiro::DeUnidades(120'000)));
        acerto.DefinirCampo("TP_ACERTO", Valor::DeTexto("D"));
        acerto.DefinirCampo("ST_IRRF", Valor::DeTexto("S"));
        acerto.DefinirCampo("DS_ACERTO", Valor::DeTexto("Estorno da comissão antecipada da NF 10"));
        acerto.DefinirCampo("ID_EMPRESA", Valor::DeInteiro(1));
        acerto.Postar();
        acerto.AplicarAtualizacoes();
        acerto.TransacaoAtual()->ConfirmarMantendo();
        EXPECT_EQ(m.banco.Escalar("select count(*) from mov_acerto_comissao").Inteiro(), id);
    }
    EXPECT_EQ(m.banco.Escalar("select ds_acerto from mov_acerto_comissao where id_acerto_comissao = 2").Texto(),
              "Estorno da comissão antecipada da NF 10");
    EXPECT_TRUE(
        m.banco.Escalar("select id_comissao_estornada from mov_acerto_comissao where id_acerto_comissao = 1").Nulo());
}

TEST_F(DatasetInsercaoTeste, ColunaDesconhecidaRecusada)
{
    janela.Sessao.IBQ_MovComissao.Abrir();
    janela.Sessao.IBQ_MovComissao.Inserir();
    EXPECT_THROW(janela.Sessao.IBQ_MovComissao.DefinirCampo("COLUNA_ERRADA", Valor::DeInteiro(1)), ErroBanco);
}

}  // namespace
