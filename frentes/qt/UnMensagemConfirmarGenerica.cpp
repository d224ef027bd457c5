#include "frentes/qt/UnMensagemConfirmarGenerica.h"

#include <QApplication>
#include <QLabel>

#include "frentes/qt/FrmMensagemConfirmarGenerica.h"

void MostrarAvisoQt(const std::string& texto, bool concordo, bool fechamentoAutomatico,
                    const std::function<void(int)>& esperar)
{
    // Without the automatic close the window lives on by itself and frees
    // itself when it is closed.
    auto* janela = new TfrmMensagemConfirmarGenerica;
    frmMensagemConfirmarGenerica = janela;
    janela->show();
    janela->DefinirLayout(concordo);
    janela->lblMensagem->setText(QString::fromStdString(texto));
    janela->lblMensagem->repaint();
    QApplication::processEvents();
    if (!fechamentoAutomatico)
        return;
    esperar(5000);
    janela->close();
    // Freed now rather than when the event loop next runs: the caller may be
    // about to end the program before it does.
    delete janela;
}
