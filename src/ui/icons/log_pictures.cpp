#include "ui/icons/picture_canvas.h"
#include "ui/icons/pictures.h"

namespace dvx {

QPixmap SaveLogPicture() {
    return PaintPicture([](QPainter& p) {
        p.setPen(OutlinePen());
        p.setBrush(QColor(40, 60, 140));
        p.drawPolygon(QPolygonF(
            {QPointF(4, 4), QPointF(25, 4), QPointF(28, 7), QPointF(28, 28), QPointF(4, 28)}));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(9, 4, 13, 8));
        p.setBrush(QColor(40, 60, 140));
        p.drawRect(QRectF(17, 5.5, 3, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 16, 16, 12));
        p.setPen(QPen(QColor(150, 150, 200), 1));
        p.drawLine(QPointF(10, 20), QPointF(22, 20));
        p.drawLine(QPointF(10, 24), QPointF(22, 24));
    });
}

QPixmap LoadLogPicture() {
    return PaintPicture([](QPainter& p) {
        p.setPen(OutlinePen());
        p.setBrush(QColor(220, 170, 40));
        p.drawPolygon(QPolygonF({QPointF(2, 8), QPointF(10, 8), QPointF(12, 10), QPointF(24, 10),
                                 QPointF(24, 26), QPointF(2, 26)}));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 5, 14, 12));
        p.setBrush(QColor(250, 210, 80));
        p.drawPolygon(
            QPolygonF({QPointF(7, 14), QPointF(30, 14), QPointF(24, 26), QPointF(2, 26)}));
    });
}

QPixmap PrintLogPicture() {
    return PaintPicture([](QPainter& p) {
        p.setPen(OutlinePen());
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 2, 14, 12));
        p.setBrush(QColor(170, 170, 175));
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
        p.setBrush(QColor(30, 200, 60));
        p.drawEllipse(QPointF(25, 16), 1.2, 1.2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 20, 16, 10));
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        for (qreal y : {23.0, 25.5, 28.0})
            p.drawLine(QPointF(10, y), QPointF(22, y));
    });
}

} // namespace dvx
