#include "ui/icons/picture_canvas.h"

namespace dvx {

QPixmap PaintPicture(const std::function<void(QPainter&)>& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / qreal(kPictureSize), size / qreal(kPictureSize));
    draw(painter);
    return pixmap;
}

QPen OutlinePen(qreal width) {
    return QPen(QColor(40, 40, 40), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace dvx
