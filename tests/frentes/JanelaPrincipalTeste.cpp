// The desktop front-end under the offscreen platform: the form's controls
// where it puts them, its tray menu, and that clicks, focus changes and the
// close box reach the model through its generic error display.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/ArquivoTrava.h"
#include "app/UnPrincipal.h"
#include "frentes/qt/JanelaPrincipal.h"
#include "tests/fixtures/Dubles.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/frentes/AplicacaoQt.h"

namespace {

struct CaixaVista {
    std::string titulo;
    std::string texto;
    QMessageBox::Icon icone;
    bool operator==(const CaixaVista&) const = default;
};

void PrintTo(const CaixaVista& caixa, std::ostream* saida)
{
    *saida << caixa.titulo << ": " << caixa.texto << " (" << caixa.icone << ")";
}

// Answers every message box as the operator pressing OK would, and keeps
// what each one showed.
class RespondeCaixas {
public:
    RespondeCaixas()
    {
        QObject::connect(&vigia_, &QTimer::timeout, &vigia_, [this] { Responder(); });
        vigia_.start(0);
    }

    std::vector<CaixaVista> vistas;

private:
    void Responder()
    {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caixa)
            return;
        vistas.push_back({caixa->windowTitle().toStdString(), caixa->text().toStdString(), caixa->icon()});
        caixa->button(QMessageBox::Ok)->click();
    }

    QTimer vigia_;
};

QString TextoDe(const QWidget& controle)
{
    if (auto* rotulo = qobject_cast<const QLabel*>(&controle))
        return rotulo->text();
    if (auto* grupo = qobject_cast<const QGroupBox*>(&controle))
        return grupo->title();
    if (auto* botao = qobject_cast<const QAbstractButton*>(&controle))
        return botao->text();
    if (auto* edicao = qobject_cast<const QLineEdit*>(&controle))
        return edicao->text();
    return {};
}

// Replaces the hour's text key by key, as the operator types it.
void DigitarNaHora(JanelaPrincipal& janela, const QString& texto)
{
    auto& edicao = *janela.findChild<QLineEdit*>("edtHoraAtualizacao");
    edicao.selectAll();
    QKeyEvent apagar(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(&edicao, &apagar);
    for (const QChar letra : texto) {
        QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(letra));
        QCoreApplication::sendEvent(&edicao, &tecla);
    }
}

class Janela : public ComAplicacaoQt<QApplication> {
protected:
    Janela()
    {
        janela.Observar(modelo);
        janela.Repintar();
    }

    template <class Controle = QWidget>
    Controle& Achar(const char* nome)
    {
        auto* controle = janela.findChild<Controle*>(QString(nome));
        if (!controle)
            throw std::runtime_error(std::string("controle ausente: ") + nome);
        return *controle;
    }

    void Digitar(const QString& texto) { DigitarNaHora(janela, texto); }

    void Ativar()
    {
        janela.show();
        janela.activateWindow();
        QCoreApplication::processEvents();
    }

    RelogioFixo relogio{DataHora::De(2013, 3, 25, 7, 5)};
    FinalizadorGravado finalizador;
    const InstalacaoTeste instalacao;
    JanelaPrincipal janela{[](int) {}};
    TfrmPrincipal modelo{janela, ServicosTeste(relogio, instalacao.Programa(), finalizador), {}};
};

}  // namespace

TEST_F(Janela, ControlesNoLugarComOsTextosDoFormulario)
{
    // Width or height 0: the label sizes itself to its text.
    struct Lugar {
        const char* nome;
        const char* pai;
        int esquerda, topo, largura, altura;
        const char* texto;
        bool visivel;
    };
    const Lugar lugares[] = {
        {"GroupBox1", nullptr, 8, 8, 321, 65, "Programação Diária", true},
        {"Label2", "GroupBox1", 27, 29, 0, 0, "Hora para Atualização:", true},
        {"edtHoraAtualizacao", "GroupBox1", 141, 25, 28, 21, "", true},
        {"SpinButton1", "GroupBox1", 171, 23, 20, 25, "", true},
        {"GroupBox2", nullptr, 8, 80, 321, 89, "Última Atualização", true},
        {"Label3", "GroupBox2", 12, 28, 0, 0, "Início:", true},
        {"lblInicioAtualizacao", "GroupBox2", 48, 28, 0, 0, "00/00/0000 00:00", true},
        {"Label1", "GroupBox2", 17, 60, 0, 0, "Final:", true},
        {"lblUltimaAtualizacao", "GroupBox2", 48, 60, 0, 0, "00/00/0000 00:00", true},
        {"lblVersao", nullptr, 16, 184, 313, 0, "lblVersao", true},
        {"Bevel2", nullptr, -42, 208, 380, 0, "", true},
        {"lblAguarde", nullptr, 8, 216, 169, 0, "Aguarde...", false},
        {"Gauge1", nullptr, 184, 215, 151, 14, "", false},
        {"Bevel1", nullptr, -42, 238, 380, 0, "", true},
        {"BitBtn2", nullptr, 8, 246, 145, 25, "Atualizar as Comissões", true},
        {"BitBtn1", nullptr, 199, 246, 131, 25, "Minimizar", true},
    };
    for (const Lugar& lugar : lugares) {
        SCOPED_TRACE(lugar.nome);
        const QWidget& controle = Achar(lugar.nome);
        const QWidget& pai = lugar.pai ? Achar(lugar.pai) : janela;
        EXPECT_EQ(controle.parentWidget(), &pai);
        EXPECT_EQ(controle.pos(), QPoint(lugar.esquerda, lugar.topo));
        if (lugar.largura) {
            EXPECT_EQ(controle.width(), lugar.largura);
        }
        if (lugar.altura) {
            EXPECT_EQ(controle.height(), lugar.altura);
        }
        EXPECT_EQ(TextoDe(controle), QString(lugar.texto));
        EXPECT_EQ(!controle.isHidden(), lugar.visivel);
    }
    EXPECT_EQ(Achar<QLabel>("lblVersao").alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(Achar<QLineEdit>("edtHoraAtualizacao").maxLength(), 2);
}

TEST_F(Janela, FixaSoComMinimizarEComImagensProprias)
{
    EXPECT_EQ(janela.windowTitle(), "telmora Monitor Comissão");
    EXPECT_EQ(janela.minimumSize(), QSize(338, 284));
    EXPECT_EQ(janela.maximumSize(), QSize(338, 284));
    EXPECT_TRUE(janela.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(janela.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(janela.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const char* nome : {"BitBtn2", "BitBtn1", "SpinButton1Acima", "SpinButton1Abaixo"})
        EXPECT_FALSE(Achar<QAbstractButton>(nome).icon().isNull()) << nome;
    EXPECT_FALSE(Achar<QSystemTrayIcon>("TrayIcon1").icon().isNull());
}

TEST_F(Janela, FonteDoFormularioComGruposEmNegrito)
{
    for (const QWidget* controle : janela.findChildren<QWidget*>()) {
        if (controle->isWindow())
            continue;
        SCOPED_TRACE(controle->objectName().toStdString());
        EXPECT_EQ(controle->font().families().value(0), "MS Sans Serif");
        EXPECT_EQ(controle->font().pointSize(), 8);
        const bool grupo = qobject_cast<const QGroupBox*>(controle) != nullptr;
        EXPECT_EQ(controle->font().bold(), grupo);
    }
}

TEST_F(Janela, TabulacaoVaiDaHoraAosBotoes)
{
    QWidget* const inicio = &Achar("edtHoraAtualizacao");
    std::vector<QString> ordem;
    QWidget* atual = inicio;
    do {
        if (atual->focusPolicy() & Qt::TabFocus)
            ordem.push_back(atual->objectName());
        atual = atual->nextInFocusChain();
    } while (atual != inicio);
    EXPECT_EQ(ordem, (std::vector<QString>{"edtHoraAtualizacao", "BitBtn2", "BitBtn1", "btnExplicarNF"}));
}

TEST_F(Janela, MenuDaBandejaComOItemDeMinimizarOculto)
{
    auto& menu = Achar<QMenu>("PopupMenu1");
    const auto& bandeja = Achar<QSystemTrayIcon>("TrayIcon1");
    EXPECT_EQ(bandeja.contextMenu(), &menu);
    EXPECT_EQ(bandeja.toolTip(), "telmora Monitor Comissão");

    const QList<QAction*> itens = menu.actions();
    ASSERT_EQ(itens.size(), 5);
    EXPECT_EQ(itens[0]->text(), "&Abrir Monitor Comissão");
    EXPECT_TRUE(itens[0]->isVisible());
    EXPECT_EQ(itens[1]->text(), "&Minimizar Monitor de Comissão 2");
    EXPECT_FALSE(itens[1]->isVisible());
    EXPECT_EQ(itens[2]->text(), "E&xplicar NF...");
    EXPECT_TRUE(itens[2]->isVisible());
    EXPECT_TRUE(itens[3]->isSeparator());
    EXPECT_TRUE(itens[3]->isVisible());
    EXPECT_EQ(itens[4]->text(), "&Sair");
    EXPECT_TRUE(itens[4]->isVisible());
}

// The arrows step the typed hour through the model; a text that is no
// number fails in the model and reaches the generic error display.
TEST_F(Janela, SetasDaHoraPassamPeloModelo)
{
    struct Caso {
        const char* digitado;
        const char* seta;
        const char* resultado;
        std::vector<CaixaVista> caixas;
    };
    const Caso casos[] = {
        {"07", "SpinButton1Acima", "8", {}},
        {"07", "SpinButton1Abaixo", "6", {}},
        {"x",
         "SpinButton1Acima",
         "x",
         {{"telmora Monitor Comissão", "'x' is not a valid integer value", QMessageBox::Critical}}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.digitado) + " " + caso.seta);
        Digitar(caso.digitado);
        ASSERT_EQ(modelo.edtHoraAtualizacao.Text, caso.digitado);
        const RespondeCaixas respostas;
        Achar<QAbstractButton>(caso.seta).click();
        EXPECT_EQ(Achar<QLineEdit>("edtHoraAtualizacao").text(), QString(caso.resultado));
        EXPECT_EQ(respostas.vistas, caso.caixas);
    }
}

// Leaving the hour runs its validation; refused or unreadable, the focus
// stays in the edit.
TEST_F(Janela, SaidaDaHoraValidadaMantemOFocoQuandoRecusada)
{
    struct Caso {
        const char* digitado;
        const char* focoFinal;
        std::vector<CaixaVista> caixas;
    };
    const Caso casos[] = {
        {"0", "BitBtn2", {}},
        {"23", "BitBtn2", {}},
        {"24",
         "edtHoraAtualizacao",
         {{"Aviso Do Sistema", "A hora para atualização deve estar entre 0 e 23h", QMessageBox::Warning}}},
        {"",
         "edtHoraAtualizacao",
         {{"telmora Monitor Comissão", "'' is not a valid integer value", QMessageBox::Critical}}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.digitado);
        Ativar();
        ASSERT_EQ(QApplication::activeWindow(), &janela);
        Achar("edtHoraAtualizacao").setFocus(Qt::OtherFocusReason);
        Digitar(caso.digitado);
        const RespondeCaixas respostas;
        Achar("BitBtn2").setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        // The window's focus child: the one that has the focus once the
        // window is active again after the message box.
        ASSERT_NE(janela.focusWidget(), nullptr);
        EXPECT_EQ(janela.focusWidget()->objectName(), caso.focoFinal);
        EXPECT_EQ(respostas.vistas, caso.caixas);
    }
}

// The program's end destroys the window with the focus maybe in a refused
// hour: that is no leaving of the field, and asks nothing.
TEST_F(Janela, DestruidaComFocoNaHoraRecusadaNaoValida)
{
    const RespondeCaixas respostas;
    auto outra = std::make_unique<JanelaPrincipal>([](int) {});
    TfrmPrincipal outroModelo(*outra, ServicosTeste(relogio, instalacao.Programa(), finalizador), {});
    outra->Observar(outroModelo);
    outra->Repintar();
    outra->show();
    outra->activateWindow();
    QCoreApplication::processEvents();
    outra->findChild<QLineEdit*>("edtHoraAtualizacao")->setFocus(Qt::OtherFocusReason);
    DigitarNaHora(*outra, "24");

    outra.reset();
    EXPECT_TRUE(respostas.vistas.empty());
}

// The close box is an orderly close: FormClose deletes the resident
// monitor's lock file, and the event loop then does not run.
TEST_F(Janela, BotaoFecharRodaFormCloseEEncerra)
{
    instalacao.EscreverIniServidor("[Database]\r\n");
    const std::string dados = instalacao.PastaDados() + "/";
    CriarArquivoTrava(instalacao.Programa(), dados);

    Ativar();
    janela.close();

    bool lacoRodou = false;
    QTimer::singleShot(0, &janela, [&lacoRodou] {
        lacoRodou = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(janela.Laco().Executar(), 0);
    EXPECT_FALSE(lacoRodou);
    EXPECT_FALSE(ExisteArquivoTrava(instalacao.Programa(), dados));
    EXPECT_FALSE(janela.isVisible());
}

// A request to end lets the handler that made it run on, message boxes
// included; the loop ends once the handler has returned.
TEST_F(Janela, PedidoDeFimEsperaOHandlerTerminar)
{
    const RespondeCaixas respostas;
    QTimer::singleShot(0, &janela, [this] {
        janela.Laco().Encaminhar([this] {
            janela.EncerrarAplicacao();
            modelo.Mensagem("Depois do pedido", "Aviso do Sistema", Icone::Aviso);
        });
    });
    const LimiteDoLaco limite;
    EXPECT_EQ(janela.Laco().Executar(), 0);
    EXPECT_EQ(respostas.vistas,
              (std::vector<CaixaVista>{{"Aviso do Sistema", "Depois do pedido", QMessageBox::Warning}}));
}
