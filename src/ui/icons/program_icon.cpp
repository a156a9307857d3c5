#include "ui/icons/painted_icon_engine.h"
#include "ui/icons/picture_canvas.h"
#include "ui/icons/pictures.h"

#include <QtMath>

namespace dvx {

namespace {

void drawClock(QPainter& p) {
    p.setPen(OutlinePen(1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(13, 13), 11, 11);
    p.setPen(QPen(QColor(0, 0, 128), 1.2));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal angle = hour * M_PI / 6;
        p.drawLine(QPointF(13 + 8.5 * qSin(angle), 13 - 8.5 * qCos(angle)),
                   QPointF(13 + 10 * qSin(angle), 13 - 10 * qCos(angle)));
    }
    p.setPen(QPen(QColor(200, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 13), QPointF(13, 5.5));
    p.drawLine(QPointF(13, 13), QPointF(18, 15));
}

void drawCoin(QPainter& p) {
    p.setPen(OutlinePen(1.2));
    p.setBrush(QColor(240, 190, 40));
    p.drawEllipse(QPointF(23, 23), 8, 8);
    p.setPen(QPen(QColor(170, 120, 0), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(23, 23), 5.5, 5.5);
    p.drawLine(QPointF(23, 19.5), QPointF(23, 26.5));
}

} // namespace

QIcon ProgramIcon() {
    return QIcon(new PaintedIconEngine(
        [](QPainter& p) {
            drawClock(p);
            drawCoin(p);
        },
        {16, 22, 24, 32, 48, 64, 128}));
}

} // namespace dvx
