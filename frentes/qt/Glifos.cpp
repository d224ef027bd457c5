#include "frentes/qt/Glifos.h"

#include <functional>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QIcon Desenhar(int largura, int altura, const std::function<void(QPainter&)>& desenho)
{
    QPixmap imagem(largura, altura);
    imagem.fill(Qt::transparent);
    {
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        desenho(pintor);
    }
    return QIcon(imagem);
}

}  // namespace

QIcon IconeMonitor()
{
    return Desenhar(32, 32, [](QPainter& p) {
        p.setPen(QPen(QColor(0x8a, 0x6d, 0x00), 2));
        p.setBrush(QColor(0xf2, 0xc1, 0x2e));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setPen(QPen(QColor(0x3b, 0x2f, 0x00), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(21, 9), QPointF(11, 23));
        p.drawEllipse(QRectF(9, 8, 5, 5));
        p.drawEllipse(QRectF(18, 19, 5, 5));
    });
}

QIcon GlifoAtualizar()
{
    return Desenhar(16, 16, [](QPainter& p) {
        const QColor verde(0x1e, 0x8c, 0x3a);
        p.setPen(QPen(verde, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        QPainterPath ponta;
        ponta.moveTo(8, 0.5);
        ponta.lineTo(12.5, 3);
        ponta.lineTo(8, 5.5);
        ponta.closeSubpath();
        p.fillPath(ponta, verde);
    });
}

QIcon GlifoMinimizar()
{
    return Desenhar(16, 16, [](QPainter& p) {
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 12, 9));
        p.fillRect(QRectF(2, 2, 11.5, 2), QColor(0x1c, 0x4e, 0x9c));
        p.fillRect(QRectF(4, 13, 8, 2), QColor(0x1c, 0x4e, 0x9c));
    });
}

QIcon GlifoSeta(bool paraCima)
{
    return Desenhar(8, 5, [paraCima](QPainter& p) {
        QPainterPath seta;
        const qreal base = paraCima ? 4.5 : 0.5;
        const qreal ponta = paraCima ? 0.5 : 4.5;
        seta.moveTo(0.5, base);
        seta.lineTo(7.5, base);
        seta.lineTo(4, ponta);
        seta.closeSubpath();
        p.fillPath(seta, Qt::black);
    });
}
