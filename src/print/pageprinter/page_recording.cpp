#include "print/pageprinter/page_recording.h"

#include <QPainter>

namespace dvx {

PageRecording::PageRecording() = default;

PageRecording::~PageRecording() {
    finish();
}

void PageRecording::clear() {
    finish();
    finished_.clear();
}

void PageRecording::setFont(const QFont& drawingFont, int ascent) {
    font_ = drawingFont;
    ascent_ = ascent;
    if (painter_) {
        painter_->setFont(font_);
    }
}

void PageRecording::startPage() {
    finish();
    current_ = std::make_unique<QPicture>();
    painter_ = std::make_unique<QPainter>(current_.get());
    painter_->setFont(font_);
    painter_->setPen(Qt::black);
    painter_->setBackgroundMode(Qt::TransparentMode);
}

void PageRecording::drawText(int x, int y, const QString& text) {
    if (painter_ && !text.isEmpty()) {
        painter_->drawText(QPointF(x, y + ascent_), text);
    }
}

void PageRecording::finish() {
    if (!painter_) {
        return;
    }
    painter_->end();
    painter_.reset();
    finished_.append(*current_);
    current_.reset();
}

QList<QPicture> PageRecording::pages() const {
    QList<QPicture> all = finished_;
    if (current_) {
        all.append(*current_);
    }
    return all;
}

qsizetype PageRecording::pageCount() const {
    return finished_.size() + (current_ ? 1 : 0);
}

} // namespace dvx
