// The hour of the daily run in the window: the arrows step it without
// wrapping, leaving the field validates it, and the start-up fills it.
#include <gtest/gtest.h>

#include "tests/fixtures/Modelo.h"

namespace {

TEST(HoraAtualizacao, SetasAvancamERecuamSemDarAVolta)
{
    struct Caso {
        const char* inicial;
        bool subir;
        const char* esperado;
    };
    const Caso casos[] = {
        {"07", true, "8"}, {"22", true, "23"}, {"23", true, "23"},
        {"8", false, "7"}, {"1", false, "0"},  {"0", false, "0"},
    };
    ModeloTeste m;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.inicial) + (caso.subir ? " sobe" : " desce"));
        m.modelo.edtHoraAtualizacao.Text = caso.inicial;
        if (caso.subir)
            m.modelo.SpinButton1UpClick();
        else
            m.modelo.SpinButton1DownClick();
        EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, caso.esperado);
    }
}

TEST(HoraAtualizacao, SaidaDoCampoValidaEntreZeroEVinteETres)
{
    ModeloTeste m;
    for (const char* valida : {"0", "23", "07"}) {
        m.modelo.edtHoraAtualizacao.Text = valida;
        EXPECT_TRUE(m.modelo.edtHoraAtualizacaoExit()) << valida;
    }
    for (const char* invalida : {"24", "-1"}) {
        m.modelo.edtHoraAtualizacao.Text = invalida;
        EXPECT_FALSE(m.modelo.edtHoraAtualizacaoExit()) << invalida;
    }
    const MensagemGravada aviso{"A hora para atualização deve estar entre 0 e 23h", "Aviso Do Sistema", Icone::Aviso};
    EXPECT_EQ(m.tela.mensagens, (std::vector<MensagemGravada>{aviso, aviso}));
}

TEST(HoraAtualizacao, TextoQueNaoENumeroVaiParaAExibicaoDeErroEFicaComoEstava)
{
    ModeloTeste m;
    m.modelo.edtHoraAtualizacao.Text = "7h";
    m.modelo.ExecutarTratado([&] { m.modelo.SpinButton1UpClick(); });
    EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, "7h");
    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0].titulo, "telmora Monitor Comissão");
    EXPECT_EQ(m.tela.mensagens[0].icone, Icone::Erro);
    EXPECT_NE(m.tela.mensagens[0].texto.find("'7h'"), std::string::npos);
}

TEST(HoraAtualizacao, PartidaResidenteLeAHoraDoParametroELigaOsTemporizadores)
{
    struct Caso {
        const char* parametro;
        const char* esperado;
    };
    for (const Caso& caso : {Caso{"null", "07"}, Caso{"15", "15"}}) {
        SCOPED_TRACE(caso.parametro);
        ModeloTeste m({}, DataHora::De(2013, 3, 25, 7, 40));
        m.instalacao.PrepararAtualizacaoEmDia();
        m.banco.Executar(std::string("update tab_parametro set hr_atualizar_comissao = ") + caso.parametro);

        m.modelo.FormCreate();

        EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, caso.esperado);
        EXPECT_TRUE(m.modelo.Timer1.Enabled);
        EXPECT_TRUE(m.modelo.Timer2.Enabled);
        EXPECT_EQ(m.modelo.Sessao.IBD_BancoDados, nullptr);
        EXPECT_EQ(m.modelo.lblInicioAtualizacao.Caption, "00/00/0000 00:00");
        EXPECT_EQ(m.modelo.lblVersao.Caption.rfind("Versão: ", 0), 0u);
        EXPECT_TRUE(m.tela.mensagens.empty());
        m.modelo.FormClose();
    }
}

}  // namespace
