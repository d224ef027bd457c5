#include "frentes/qt/FrmMensagemConfirmarGenerica.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

QPointer<TfrmMensagemConfirmarGenerica> frmMensagemConfirmarGenerica;

namespace {

constexpr int kAlturaPainel = 40;

// A green tick; Qt derives the greyed image of the disabled button from it.
QIcon GlifoOk()
{
    QPixmap imagem(16, 16);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath traco;
    traco.moveTo(3, 8.5);
    traco.lineTo(6.5, 12);
    traco.lineTo(13, 4);
    pintor.drawPath(traco);
    return QIcon(imagem);
}

}  // namespace

TfrmMensagemConfirmarGenerica::TfrmMensagemConfirmarGenerica()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      lblMensagem(new QLabel(QStringLiteral("Mensagem Genérica"), this)),
      ckbConcordo(new QCheckBox(QStringLiteral("Estou ciente destas informações."), this)),
      Panel1(new QFrame(this)),
      btnOk(new QPushButton(GlifoOk(), QStringLiteral("OK"), Panel1))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Aviso do Sistema"));
    // Where Tahoma is not installed Qt substitutes a sans-serif face.
    QFont fonte(QStringLiteral("Tahoma"), 8);
    fonte.setStyleHint(QFont::SansSerif);
    setFont(fonte);
    setFixedSize(534, 175);

    // A text longer than the label's area is cut at its edge: the label never grows.
    lblMensagem->setWordWrap(true);
    lblMensagem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMensagem->move(8, 16);
    lblMensagem->setFixedSize(517, 72);

    ckbConcordo->setGeometry(8, 94, 185, 17);
    Panel1->setFrameShape(QFrame::NoFrame);
    btnOk->setGeometry(445, 7, 75, 25);
    btnOk->setEnabled(false);

    connect(ckbConcordo, &QCheckBox::toggled, this, &TfrmMensagemConfirmarGenerica::ckbConcordoClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmMensagemConfirmarGenerica::btnOkClick);
}

void TfrmMensagemConfirmarGenerica::DefinirLayout(bool concordo)
{
    ckbConcordo->setVisible(concordo);
    Panel1->setVisible(concordo);
    btnOk->setVisible(concordo);
    DefinirTamanhoExterno(QSize(540, concordo ? 200 : 80));
    repaint();
}

void TfrmMensagemConfirmarGenerica::ckbConcordoClick()
{
    btnOk->setEnabled(ckbConcordo->isChecked());
}

void TfrmMensagemConfirmarGenerica::btnOkClick()
{
    close();
}

void TfrmMensagemConfirmarGenerica::closeEvent(QCloseEvent* evento)
{
    if (frmMensagemConfirmarGenerica == this)
        frmMensagemConfirmarGenerica = nullptr;
    evento->accept();
}

void TfrmMensagemConfirmarGenerica::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    Panel1->setGeometry(0, height() - kAlturaPainel, width(), kAlturaPainel);
}

// The sizes are those of the whole window; the frame the windowing system
// draws around the client area is taken off.
void TfrmMensagemConfirmarGenerica::DefinirTamanhoExterno(const QSize& externo)
{
    setFixedSize(externo - (frameGeometry().size() - size()));
}
