#include "ui/icons/picture_canvas.h"
#include "ui/icons/pictures.h"

#include <QPainterPath>

namespace dvx {

namespace {

const QColor kGreen(30, 150, 50);

// A curved arrow along a circle around the middle, from `startDeg` through `spanDeg`.
void drawArcArrow(QPainter& p, qreal startDeg, qreal spanDeg) {
    const QRectF ring(3, 3, 26, 26);
    p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, int(startDeg * 16), int(spanDeg * 16));
    QPainterPath arc;
    arc.arcMoveTo(ring, startDeg + spanDeg);
    const QPointF tip = arc.currentPosition();
    QTransform turn;
    turn.translate(tip.x(), tip.y());
    turn.rotate(-(startDeg + spanDeg));
    const QPolygonF head = turn.map(QPolygonF({QPointF(-4, 0), QPointF(4, 0), QPointF(0, 5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(head);
}

void drawGlobe(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(QColor(60, 120, 220));
    p.drawEllipse(QPointF(16, 16), 8, 8);
    p.setPen(QPen(QColor(200, 230, 255), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 3.5, 8);
    p.drawLine(QPointF(8, 16), QPointF(24, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 70));
    p.drawEllipse(QPointF(13, 13), 3, 2);
    p.drawEllipse(QPointF(19, 19), 2.5, 2);
}

void drawComputer(QPainter& p, QPointF at) {
    p.setPen(OutlinePen());
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(at, QSizeF(12, 9)));
    p.setBrush(QColor(40, 80, 160));
    p.drawRect(QRectF(at + QPointF(2, 2), QSizeF(8, 5)));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(at + QPointF(3, 10), QSizeF(6, 2)));
}

} // namespace

QPixmap ResetPicture() {
    return PaintPicture([](QPainter& p) {
        drawGlobe(p);
        drawArcArrow(p, 100, 140);
        drawArcArrow(p, 280, 140);
    });
}

QPixmap SetChangesPicture() {
    return PaintPicture([](QPainter& p) {
        p.setPen(OutlinePen());
        p.setBrush(QColor(250, 220, 60));
        p.drawRect(QRectF(3, 2, 26, 10));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(3, 2, 26, 10), Qt::AlignCenter, QStringLiteral("PUSH"));
        p.drawLine(QPointF(16, 12), QPointF(16, 17));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(7, 25, 18, 5));
        p.setBrush(QColor(210, 30, 30));
        p.drawChord(QRectF(9, 18, 14, 14), 0, 180 * 16);
    });
}

QPixmap MonitorPicture() {
    return PaintPicture([](QPainter& p) {
        drawComputer(p, QPointF(1, 2));
        drawComputer(p, QPointF(19, 17));
        p.setPen(OutlinePen(0.8));
        p.setBrush(QColor(255, 210, 0));
        p.drawPolygon(QPolygonF({QPointF(13, 8), QPointF(20, 13), QPointF(16.5, 14.5),
                                 QPointF(21, 22), QPointF(12.5, 16), QPointF(16, 14.5)}));
    });
}

} // namespace dvx
