#include "print/pageprinter/page_recording.h"

namespace dvx {

void PageRecording::clear() {
    recorded_.pages.clear();
    recorded_.fonts = {recorded_.fonts.at(font_)};
    font_ = 0;
}

void PageRecording::setFont(const QFont& drawingFont) {
    font_ = recorded_.fonts.indexOf(drawingFont);
    if (font_ < 0) {
        recorded_.fonts.append(drawingFont);
        font_ = recorded_.fonts.size() - 1;
    }
}

void PageRecording::startPage() {
    recorded_.pages.append(QList<PlacedText>());
}

void PageRecording::drawText(int x, int y, const QString& text) {
    if (recorded_.pages.isEmpty() || text.isEmpty()) {
        return;
    }
    recorded_.pages.last().append({QPointF(x, y), text, font_});
}

} // namespace dvx
