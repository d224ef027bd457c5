#include "frentes/qt/JanelaPrincipal.h"

#include <algorithm>
#include <functional>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/UnPrincipal.h"
#include "frentes/qt/Glifos.h"
#include "frentes/qt/UnMensagemConfirmarGenerica.h"

namespace {

constexpr int kLargura = 338;
constexpr int kAltura = 284;
constexpr int kReintentoBandejaMs = 2000;

QString Texto(const std::string& texto)
{
    return QString::fromStdString(texto);
}

QFont FonteControles()
{
    QFont fonte;
    // Where the window's font is absent, the nearest sans-serif of the desktop.
    fonte.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans Condensed"});
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPointSize(8);
    // Set explicitly, so the bold of a group box does not reach its children.
    fonte.setBold(false);
    return fonte;
}

QMessageBox::Icon IconeCaixa(Icone icone)
{
    switch (icone) {
    case Icone::Informacao:
        return QMessageBox::Information;
    case Icone::Aviso:
        return QMessageBox::Warning;
    case Icone::Erro:
        return QMessageBox::Critical;
    case Icone::Nenhum:
        break;
    }
    return QMessageBox::NoIcon;
}

void AplicarTexto(QLabel& controle, const QString& texto)
{
    controle.setText(texto);
    controle.adjustSize();  // labels size themselves; a fixed width stays
}

void AplicarTexto(QGroupBox& controle, const QString& texto)
{
    controle.setTitle(texto);
}

void AplicarTexto(QAbstractButton& controle, const QString& texto)
{
    controle.setText(texto);
}

template <class Controle>
void Copiar(Controle& controle, const Rotulo& rotulo)
{
    AplicarTexto(controle, Texto(rotulo.Caption));
    controle.setVisible(rotulo.Visible);
}

void Copiar(QAction& acao, const ItemMenu& item)
{
    acao.setText(Texto(item.Caption));
    acao.setSeparator(item.Caption == "-");
    acao.setVisible(item.Visible);
}

void Copiar(QProgressBar& barra, const Medidor& medidor)
{
    // A maximum of 0 shows an empty gauge, not Qt's busy indicator.
    const int maximo = std::max(1, medidor.MaxValue);
    barra.setRange(0, maximo);
    barra.setValue(std::clamp(medidor.Progress, 0, maximo));
    barra.setVisible(medidor.Visible);
}

// Setting an unchanged text or length would still rewrite the text and move
// the cursor under the typist, during a run on every record.
void Copiar(QLineEdit& edicao, const CaixaTexto& caixa)
{
    if (edicao.maxLength() != caixa.MaxLength)
        edicao.setMaxLength(caixa.MaxLength);
    if (edicao.text() != Texto(caixa.Text))
        edicao.setText(Texto(caixa.Text));
}

// The tray takes every hint to the desktop, changed or not.
void Copiar(QSystemTrayIcon& bandeja, const IconeBandeja& icone)
{
    if (bandeja.toolTip() != Texto(icone.Hint))
        bandeja.setToolTip(Texto(icone.Hint));
}

}  // namespace

JanelaPrincipal::JanelaPrincipal(Esperar esperar)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      esperar_(std::move(esperar)),
      laco_(*this)
{
    // The model decides when the program ends: closing the last message box
    // while the window is hidden in the tray must not end it.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    setFixedSize(kLargura, kAltura);
    setWindowIcon(IconeMonitor());
    NomearControles();
    PosicionarControles();
    DefinirFontes();
    MontarBandeja();
    LigarEventos();
}

// Tearing the controls down takes the focus from the hour; that is not the
// operator leaving the field, and the model may already be gone.
JanelaPrincipal::~JanelaPrincipal()
{
    edtHoraAtualizacao.removeEventFilter(this);
}

void JanelaPrincipal::NomearControles()
{
    const std::pair<QObject*, const char*> nomes[] = {
        {&GroupBox1, "GroupBox1"},
        {&Label2, "Label2"},
        {&edtHoraAtualizacao, "edtHoraAtualizacao"},
        {&SpinButton1, "SpinButton1"},
        {&SpinButton1Acima, "SpinButton1Acima"},
        {&SpinButton1Abaixo, "SpinButton1Abaixo"},
        {&GroupBox2, "GroupBox2"},
        {&Label3, "Label3"},
        {&lblInicioAtualizacao, "lblInicioAtualizacao"},
        {&Label1, "Label1"},
        {&lblUltimaAtualizacao, "lblUltimaAtualizacao"},
        {&lblVersao, "lblVersao"},
        {&Bevel2, "Bevel2"},
        {&lblAguarde, "lblAguarde"},
        {&Gauge1, "Gauge1"},
        {&Bevel1, "Bevel1"},
        {&BitBtn2, "BitBtn2"},
        {&BitBtn1, "BitBtn1"},
        {&PopupMenu1, "PopupMenu1"},
        {&ShowWindow1, "ShowWindow1"},
        {&HideWindow1, "HideWindow1"},
        {&ExplicarNF1, "ExplicarNF1"},
        {&btnExplicarNF, "btnExplicarNF"},
        {&N1, "N1"},
        {&Exit1, "Exit1"},
        {&TrayIcon1, "TrayIcon1"},
    };
    for (const auto& [objeto, nome] : nomes)
        objeto->setObjectName(nome);
}

void JanelaPrincipal::PosicionarControles()
{
    GroupBox1.setGeometry(8, 8, 321, 65);
    Label2.move(27, 29);
    edtHoraAtualizacao.setGeometry(141, 25, 28, 21);
    SpinButton1.setGeometry(171, 23, 20, 25);
    SpinButton1Acima.setGeometry(0, 0, 20, 12);
    SpinButton1Abaixo.setGeometry(0, 12, 20, 13);
    GroupBox2.setGeometry(8, 80, 321, 89);
    Label3.move(12, 28);
    lblInicioAtualizacao.move(48, 28);
    Label1.move(17, 60);
    lblUltimaAtualizacao.move(48, 60);
    lblVersao.move(16, 184);
    lblVersao.setFixedWidth(313);
    lblVersao.setAlignment(Qt::AlignCenter);
    Bevel2.setGeometry(-42, 208, 380, 2);
    lblAguarde.move(8, 216);
    lblAguarde.setFixedWidth(169);
    Gauge1.setGeometry(184, 215, 151, 14);
    Bevel1.setGeometry(-42, 238, 380, 2);
    BitBtn2.setGeometry(8, 246, 145, 25);
    BitBtn1.setGeometry(199, 246, 131, 25);
    btnExplicarNF.setGeometry(208, 54, 105, 25);

    for (QFrame* linha : {&Bevel2, &Bevel1}) {
        linha->setFrameShape(QFrame::HLine);
        linha->setFrameShadow(QFrame::Sunken);
    }
    BitBtn2.setIcon(GlifoAtualizar());
    BitBtn1.setIcon(GlifoMinimizar());
    SpinButton1Acima.setIcon(GlifoSeta(true));
    SpinButton1Abaixo.setIcon(GlifoSeta(false));
    for (QToolButton* seta : {&SpinButton1Acima, &SpinButton1Abaixo}) {
        seta->setIconSize(QSize(8, 5));
        seta->setAutoRepeat(true);
        // Pressing an arrow must not take the focus out of the hour, which
        // would run the hour's validation.
        seta->setFocusPolicy(Qt::NoFocus);
    }

    // GroupBox1 (its edit), BitBtn2, BitBtn1, then the explanation in GroupBox2.
    setTabOrder(&edtHoraAtualizacao, &BitBtn2);
    setTabOrder(&BitBtn2, &BitBtn1);
    setTabOrder(&BitBtn1, &btnExplicarNF);
}

void JanelaPrincipal::DefinirFontes()
{
    const QFont fonte = FonteControles();
    setFont(fonte);
    QFont negrito = fonte;
    negrito.setBold(true);
    GroupBox1.setFont(negrito);
    GroupBox2.setFont(negrito);
    for (QWidget* filho :
         std::initializer_list<QWidget*>{&Label2, &edtHoraAtualizacao, &SpinButton1, &Label3, &lblInicioAtualizacao,
                                         &Label1, &lblUltimaAtualizacao, &btnExplicarNF})
        filho->setFont(fonte);
}

void JanelaPrincipal::MontarBandeja()
{
    PopupMenu1.addActions({&ShowWindow1, &HideWindow1, &ExplicarNF1, &N1, &Exit1});
    TrayIcon1.setContextMenu(&PopupMenu1);
    TrayIcon1.setIcon(IconeMonitor());
    reintentoBandeja_.setInterval(kReintentoBandejaMs);
}

template <class Fonte, class Sinal>
void JanelaPrincipal::Encaminhar(Fonte* fonte, Sinal sinal, void (TfrmPrincipal::*handler)())
{
    // std::invoke, not (modelo_->*handler)(): GCC 12's UBSan vptr check gets that call wrong inside a lambda
    // (it checks a stale address and reports correct code), a compiler fault.
    connect(fonte, sinal, this,
            [this, handler] { laco_.Encaminhar([this, handler] { std::invoke(handler, modelo_); }); });
}

void JanelaPrincipal::LigarEventos()
{
    Encaminhar(&SpinButton1Acima, &QToolButton::clicked, &TfrmPrincipal::SpinButton1UpClick);
    Encaminhar(&SpinButton1Abaixo, &QToolButton::clicked, &TfrmPrincipal::SpinButton1DownClick);
    Encaminhar(&BitBtn2, &QPushButton::clicked, &TfrmPrincipal::BitBtn2Click);
    Encaminhar(&BitBtn1, &QPushButton::clicked, &TfrmPrincipal::BitBtn1Click);
    Encaminhar(&ShowWindow1, &QAction::triggered, &TfrmPrincipal::ShowWindow1Click);
    Encaminhar(&HideWindow1, &QAction::triggered, &TfrmPrincipal::HideWindow1Click);
    Encaminhar(&Exit1, &QAction::triggered, &TfrmPrincipal::Exit1Click);
    connect(&btnExplicarNF, &QPushButton::clicked, this, &JanelaPrincipal::PedirExplicacao);
    connect(&ExplicarNF1, &QAction::triggered, this, &JanelaPrincipal::PedirExplicacao);
    // Typing is not an event of the model: the text goes straight into its edit.
    connect(&edtHoraAtualizacao, &QLineEdit::textEdited, this,
            [this](const QString& texto) { modelo_->edtHoraAtualizacao.Text = texto.toStdString(); });
    edtHoraAtualizacao.installEventFilter(this);
    connect(&TrayIcon1, &QSystemTrayIcon::activated, this, &JanelaPrincipal::AtivarBandeja);
    connect(&reintentoBandeja_, &QTimer::timeout, this, &JanelaPrincipal::AplicarBandeja);
}

void JanelaPrincipal::Observar(TfrmPrincipal& modelo)
{
    modelo_ = &modelo;
    laco_.Observar(modelo);
}

void JanelaPrincipal::Mensagem(const std::string& texto, const std::string& titulo, Icone icone)
{
    QMessageBox caixa(IconeCaixa(icone), Texto(titulo), Texto(texto), QMessageBox::Ok, isVisible() ? this : nullptr);
    caixa.exec();
}

// The number is the front-end's to ask; the model explains it.
void JanelaPrincipal::PedirExplicacao()
{
    bool informado = false;
    const QString numero = QInputDialog::getText(isVisible() ? this : nullptr, Texto("Explicar NF"),
                                                 Texto("Número da NF:"), QLineEdit::Normal, QString(), &informado)
                               .trimmed();
    if (!informado || numero.isEmpty())
        return;
    laco_.Encaminhar([this, texto = numero.toStdString()] { modelo_->ExplicarNotaClick(texto); });
}

// A report is read, scrolled and copied: fixed-width text in a window of its own.
void JanelaPrincipal::MostrarRelatorio(const std::string& titulo, const std::string& texto)
{
    QDialog janela(isVisible() ? this : nullptr);
    janela.setObjectName("frmRelatorio");
    janela.setWindowTitle(Texto(titulo));
    QVBoxLayout disposicao(&janela);
    QPlainTextEdit conteudo(Texto(texto), &janela);
    conteudo.setObjectName("memRelatorio");
    conteudo.setReadOnly(true);
    conteudo.setLineWrapMode(QPlainTextEdit::NoWrap);
    conteudo.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QDialogButtonBox botoes(QDialogButtonBox::Close, &janela);
    QObject::connect(&botoes, &QDialogButtonBox::rejected, &janela, &QDialog::reject);
    disposicao.addWidget(&conteudo);
    disposicao.addWidget(&botoes);
    janela.resize(760, 520);
    janela.exec();
}

void JanelaPrincipal::ProcessarPendentes()
{
    QCoreApplication::processEvents();
}

void JanelaPrincipal::Repintar()
{
    const TfrmPrincipal& modelo = *modelo_;
    setWindowTitle(Texto(modelo.Caption));
    Copiar(GroupBox1, modelo.GroupBox1);
    Copiar(Label2, modelo.Label2);
    Copiar(edtHoraAtualizacao, modelo.edtHoraAtualizacao);
    Copiar(GroupBox2, modelo.GroupBox2);
    Copiar(Label3, modelo.Label3);
    Copiar(lblInicioAtualizacao, modelo.lblInicioAtualizacao);
    Copiar(Label1, modelo.Label1);
    Copiar(lblUltimaAtualizacao, modelo.lblUltimaAtualizacao);
    Copiar(lblVersao, modelo.lblVersao);
    Copiar(lblAguarde, modelo.lblAguarde);
    Copiar(Gauge1, modelo.Gauge1);
    Copiar(BitBtn2, modelo.BitBtn2);
    Copiar(BitBtn1, modelo.BitBtn1);
    Copiar(btnExplicarNF, modelo.btnExplicarNF);
    Copiar(ShowWindow1, modelo.ShowWindow1);
    Copiar(HideWindow1, modelo.HideWindow1);
    Copiar(ExplicarNF1, modelo.ExplicarNF1);
    Copiar(N1, modelo.N1);
    Copiar(Exit1, modelo.Exit1);
    Copiar(TrayIcon1, modelo.TrayIcon1);
    AplicarBandeja();
    laco_.SincronizarTemporizadores();
    repaint();
}

void JanelaPrincipal::AplicarBandeja()
{
    const bool pedida = modelo_->TrayIcon1.Visible;
    const bool disponivel = QSystemTrayIcon::isSystemTrayAvailable();
    TrayIcon1.setVisible(pedida && disponivel);
    if (pedida && !disponivel) {
        // Never hidden while no tray icon can bring it back; the tray may
        // come up later (a panel that starts after us at login).
        if (!isVisible())
            showMinimized();
        reintentoBandeja_.start();
        return;
    }
    reintentoBandeja_.stop();
    if (pedida && !modelo_->Visible)
        hide();
}

void JanelaPrincipal::MostrarJanela()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void JanelaPrincipal::EsconderJanela()
{
    // Without a tray the window stays on the taskbar, or nothing could bring it back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void JanelaPrincipal::EncerrarAplicacao()
{
    laco_.PedirFim();
}

void JanelaPrincipal::MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico)
{
    MostrarAvisoQt(texto, concordo, fechamentoAutomatico, esperar_);
}

// The close box ends the program like the tray's "&Sair".
void JanelaPrincipal::closeEvent(QCloseEvent* evento)
{
    laco_.Fechar();
    evento->accept();
}

bool JanelaPrincipal::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == &edtHoraAtualizacao && evento->type() == QEvent::FocusOut)
        SairDaHora(static_cast<QFocusEvent*>(evento)->reason());
    return QWidget::eventFilter(objeto, evento);
}

void JanelaPrincipal::SairDaHora(Qt::FocusReason motivo)
{
    // Switching to another window or opening a menu does not leave the field.
    if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason)
        return;
    bool aceita = false;
    laco_.Encaminhar([this, &aceita] { aceita = modelo_->edtHoraAtualizacaoExit(); });
    // Refused, or not a number at all: the focus stays in the edit.
    if (!aceita)
        edtHoraAtualizacao.setFocus();
}

void JanelaPrincipal::AtivarBandeja(QSystemTrayIcon::ActivationReason motivo)
{
    if (motivo == QSystemTrayIcon::Trigger && modelo_->TrayIcon1.PopupAutomatico)
        PopupMenu1.popup(QCursor::pos());
}
