// The notice window under the offscreen platform: its controls at creation,
// the two layouts, the OK button that follows the agreement box, and that
// the window is gone once closed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "frentes/qt/FrmMensagemConfirmarGenerica.h"
#include "frentes/qt/UnMensagemConfirmarGenerica.h"
#include "tests/frentes/AplicacaoQt.h"

namespace {

class Aviso : public ComAplicacaoQt<QApplication> {
protected:
    // A window a test left open goes before the next test.
    void TearDown() override { delete frmMensagemConfirmarGenerica.data(); }

    // Runs the deletion that closing a window asked for.
    static void ProcessarExclusoes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QSize TamanhoExterno(const QWidget& janela) { return janela.frameGeometry().size(); }

    std::vector<int> esperas;
    std::function<void(int)> Esperar()
    {
        return [this](int ms) { esperas.push_back(ms); };
    }
};

}  // namespace

TEST_F(Aviso, CriadaComOsControlesNoLugar)
{
    const std::unique_ptr<TfrmMensagemConfirmarGenerica> janela(new TfrmMensagemConfirmarGenerica);
    EXPECT_EQ(janela->windowTitle(), "Aviso do Sistema");
    EXPECT_EQ(janela->font().family(), "Tahoma");
    EXPECT_EQ(janela->font().pointSize(), 8);
    // Fixed border, no system menu and no close box.
    EXPECT_EQ(janela->minimumSize(), janela->maximumSize());
    EXPECT_FALSE(janela->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(janela->windowFlags() & Qt::WindowTitleHint);

    EXPECT_EQ(janela->lblMensagem->text(), "Mensagem Genérica");
    EXPECT_EQ(janela->lblMensagem->geometry(), QRect(8, 16, 517, 72));
    EXPECT_TRUE(janela->lblMensagem->wordWrap());
    EXPECT_EQ(janela->ckbConcordo->text(), "Estou ciente destas informações.");
    EXPECT_EQ(janela->ckbConcordo->geometry(), QRect(8, 94, 185, 17));
    EXPECT_FALSE(janela->ckbConcordo->isChecked());
    EXPECT_EQ(janela->btnOk->parentWidget(), janela->Panel1);
    EXPECT_EQ(janela->btnOk->text(), "OK");
    EXPECT_EQ(janela->btnOk->geometry(), QRect(445, 7, 75, 25));
    EXPECT_FALSE(janela->btnOk->isEnabled());
    EXPECT_FALSE(janela->btnOk->icon().isNull());
}

TEST_F(Aviso, LayoutDeConcordanciaHabilitaOkSoComACaixaMarcada)
{
    MostrarAvisoQt("Leia com atenção.", true, false, Esperar());
    const QPointer<TfrmMensagemConfirmarGenerica> janela = frmMensagemConfirmarGenerica;
    ASSERT_TRUE(janela);
    EXPECT_TRUE(esperas.empty());
    EXPECT_TRUE(janela->isVisible());
    EXPECT_FALSE(janela->isModal());
    EXPECT_EQ(TamanhoExterno(*janela), QSize(540, 200));
    EXPECT_EQ(janela->lblMensagem->text(), "Leia com atenção.");
    EXPECT_TRUE(janela->ckbConcordo->isVisible());
    EXPECT_TRUE(janela->btnOk->isVisible());
    // The panel lies along the bottom edge, over the whole width.
    EXPECT_EQ(janela->Panel1->geometry(), QRect(0, janela->height() - 40, janela->width(), 40));

    EXPECT_FALSE(janela->btnOk->isEnabled());
    janela->ckbConcordo->click();
    EXPECT_TRUE(janela->btnOk->isEnabled());
    janela->ckbConcordo->click();
    EXPECT_FALSE(janela->btnOk->isEnabled());

    janela->ckbConcordo->click();
    janela->btnOk->click();
    EXPECT_FALSE(janela->isVisible());
    EXPECT_FALSE(frmMensagemConfirmarGenerica);
    ProcessarExclusoes();
    EXPECT_FALSE(janela);
}

// The duplicate-start and new-version notices: drawn with the text before
// the wait, then closed and freed before the call returns.
TEST_F(Aviso, CompactoComFechamentoAutomaticoEsperaCincoSegundosEFecha)
{
    const std::string texto =
        "O aplicativo /opt/Bin/telmoraComissao2.exe já está sendo executado "
        "em outra sessão de trabalho.";
    QPointer<TfrmMensagemConfirmarGenerica> janela;
    bool visivelNaEspera = false;
    MostrarAvisoQt(texto, false, true, [&](int ms) {
        esperas.push_back(ms);
        janela = frmMensagemConfirmarGenerica;
        ASSERT_TRUE(janela);
        visivelNaEspera = janela->isVisible();
        EXPECT_EQ(TamanhoExterno(*janela), QSize(540, 80));
        EXPECT_EQ(janela->lblMensagem->text(), QString::fromStdString(texto));
        EXPECT_FALSE(janela->ckbConcordo->isVisible());
        EXPECT_FALSE(janela->Panel1->isVisible());
        EXPECT_FALSE(janela->btnOk->isVisible());
    });
    EXPECT_EQ(esperas, std::vector<int>{5000});
    EXPECT_TRUE(visivelNaEspera);
    EXPECT_FALSE(janela);
    EXPECT_FALSE(frmMensagemConfirmarGenerica);
}

// Nothing in the window closes it: it stays until the program ends. The
// label keeps its size, so a long text is cut at its edge.
TEST_F(Aviso, CompactoSemFechamentoAutomaticoFicaAberto)
{
    MostrarAvisoQt(std::string(2000, 'x') + " fim", false, false, Esperar());
    const QPointer<TfrmMensagemConfirmarGenerica> janela = frmMensagemConfirmarGenerica;
    ASSERT_TRUE(janela);
    EXPECT_TRUE(esperas.empty());
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(TamanhoExterno(*janela), QSize(540, 80));
    EXPECT_FALSE(janela->btnOk->isVisible());
    EXPECT_EQ(janela->lblMensagem->size(), QSize(517, 72));
    ProcessarExclusoes();
    EXPECT_TRUE(janela);
}

// A second notice takes the reference; closing the first leaves it alone.
TEST_F(Aviso, SegundoAvisoSubstituiAReferencia)
{
    MostrarAvisoQt("primeiro", true, false, Esperar());
    const QPointer<TfrmMensagemConfirmarGenerica> primeiro = frmMensagemConfirmarGenerica;
    MostrarAvisoQt("segundo", true, false, Esperar());
    const QPointer<TfrmMensagemConfirmarGenerica> segundo = frmMensagemConfirmarGenerica;
    ASSERT_TRUE(primeiro && segundo);
    EXPECT_NE(primeiro, segundo);
    primeiro->close();
    ProcessarExclusoes();
    EXPECT_FALSE(primeiro);
    EXPECT_EQ(frmMensagemConfirmarGenerica, segundo);
}
