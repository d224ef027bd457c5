#pragma once
// The notice window: a fixed-size window without border icons, a text, an
// agreement box and an OK button that is enabled only while the box is
// ticked. The window frees itself once it is closed.
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class TfrmMensagemConfirmarGenerica : public QWidget {
public:
    TfrmMensagemConfirmarGenerica();

    // Agreement layout: box and button shown, outer size 540 x 200; compact:
    // both hidden, 540 x 80. The window must be shown, so that the size of
    // its frame is known.
    void DefinirLayout(bool concordo);

    void ckbConcordoClick();
    void btnOkClick();

    QLabel* lblMensagem;
    QCheckBox* ckbConcordo;
    QFrame* Panel1;
    QPushButton* btnOk;

protected:
    void closeEvent(QCloseEvent* evento) override;  // FormClose
    void resizeEvent(QResizeEvent* evento) override;

private:
    void DefinirTamanhoExterno(const QSize& externo);
};

// The open notice window, if any; cleared when that window closes.
extern QPointer<TfrmMensagemConfirmarGenerica> frmMensagemConfirmarGenerica;
