#include "print/pageprinter/recorded_pages.h"

#include <QPainter>

namespace dvx {

void PaintRecordedPage(QPainter& painter, const RecordedPages& recorded, qsizetype pageIndex) {
    painter.save();
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    qsizetype fontInUse = -1;
    for (const PlacedText& line : recorded.pages.at(pageIndex)) {
        if (line.font != fontInUse) {
            fontInUse = line.font;
            painter.setFont(recorded.fonts.at(fontInUse));
        }
        painter.drawText(QRectF(line.topLeft, QSizeF(1, 1)),
                         Qt::TextSingleLine | Qt::TextDontClip | Qt::TextForceLeftToRight,
                         line.text);
    }
    painter.restore();
}

} // namespace dvx
