#include "ui/icons/picture_canvas.h"
#include "ui/icons/pictures.h"

namespace dvx {

namespace {

// A hand coming from the top right with its index finger pressing down at (14, 17).
void drawPressingFinger(QPainter& p) {
    p.setPen(OutlinePen());
    p.setBrush(QColor(250, 205, 160));
    p.save();
    p.translate(14, 17);
    p.rotate(-35);
    p.drawRoundedRect(QRectF(-2.5, -13, 5, 13), 2.5, 2.5);
    p.drawRoundedRect(QRectF(-3, -20, 13, 9), 3, 3);
    p.restore();
}

QPixmap pressedButton(const std::function<void(QPainter&)>& symbol) {
    return PaintPicture([symbol](QPainter& p) {
        p.setPen(OutlinePen());
        p.setBrush(QColor(225, 225, 225));
        p.drawRoundedRect(QRectF(3, 15, 22, 15), 3, 3);
        symbol(p);
        drawPressingFinger(p);
    });
}

} // namespace

QPixmap ManualStartPicture() {
    return pressedButton([](QPainter& p) {
        p.setBrush(QColor(30, 170, 50));
        p.drawPolygon(QPolygonF({QPointF(9, 18), QPointF(20, 22.5), QPointF(9, 27)}));
    });
}

QPixmap ManualStopPicture() {
    return pressedButton([](QPainter& p) {
        p.setBrush(QColor(210, 30, 30));
        p.drawRect(QRectF(9, 18, 10, 9));
    });
}

} // namespace dvx
