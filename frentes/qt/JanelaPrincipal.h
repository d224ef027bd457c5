#pragma once
// The desktop front-end: the fixed main window with its controls, the tray
// icon with its menu, modal message boxes and the notice window. It shows the
// model's state (Repintar) and forwards every click, tick and close to the
// model's handlers through LacoEventos; a slot decides nothing. The widgets
// carry the model's control names as object names. Observar must come
// before anything else.
#include <functional>

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "comum/Apresentacao.h"
#include "frentes/laco/LacoEventos.h"
#include "frentes/laco/SinaisEncerramento.h"

class TfrmPrincipal;

class JanelaPrincipal : public QWidget, public Apresentacao {
    Q_OBJECT

public:
    using Esperar = std::function<void(int milissegundos)>;

    // esperar: the notice's automatic-close wait (a test records it instead).
    explicit JanelaPrincipal(Esperar esperar);
    ~JanelaPrincipal() override;

    void Observar(TfrmPrincipal& modelo);
    LacoEventos& Laco() { return laco_; }

    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) override;
    void ProcessarPendentes() override;
    void Repintar() override;
    void MostrarJanela() override;
    void EsconderJanela() override;
    void EncerrarAplicacao() override;
    void MostrarAviso(const std::string& texto, bool concordo, bool fechamentoAutomatico) override;
    void MostrarRegistro(const std::string&, Icone) override {}
    void MostrarRelatorio(const std::string& titulo, const std::string& texto) override;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void NomearControles();
    void PosicionarControles();
    void DefinirFontes();
    void MontarBandeja();
    void LigarEventos();
    template <class Fonte, class Sinal>
    void Encaminhar(Fonte* fonte, Sinal sinal, void (TfrmPrincipal::*handler)());
    void AplicarBandeja();
    void SairDaHora(Qt::FocusReason motivo);
    void AtivarBandeja(QSystemTrayIcon::ActivationReason motivo);
    void PedirExplicacao();

    Esperar esperar_;
    LacoEventos laco_;
    // The session's end (SIGTERM at logout) closes like the close box, so a
    // resident monitor does not leave its lock file behind.
    SinaisEncerramento sinais_{[this] { laco_.Fechar(); }};
    TfrmPrincipal* modelo_ = nullptr;

    QGroupBox GroupBox1{this};
    QLabel Label2{&GroupBox1};
    QLineEdit edtHoraAtualizacao{&GroupBox1};
    QWidget SpinButton1{&GroupBox1};
    QToolButton SpinButton1Acima{&SpinButton1};
    QToolButton SpinButton1Abaixo{&SpinButton1};
    QGroupBox GroupBox2{this};
    QLabel Label3{&GroupBox2};
    QLabel lblInicioAtualizacao{&GroupBox2};
    QLabel Label1{&GroupBox2};
    QLabel lblUltimaAtualizacao{&GroupBox2};
    QLabel lblVersao{this};
    QFrame Bevel2{this};
    QLabel lblAguarde{this};
    QProgressBar Gauge1{this};
    QFrame Bevel1{this};
    QPushButton BitBtn2{this};
    QPushButton BitBtn1{this};
    QPushButton btnExplicarNF{&GroupBox2};
    QMenu PopupMenu1{this};
    QAction ShowWindow1{this};
    QAction HideWindow1{this};
    QAction ExplicarNF1{this};
    QAction N1{this};
    QAction Exit1{this};
    QSystemTrayIcon TrayIcon1{this};
    QTimer reintentoBandeja_;
};
