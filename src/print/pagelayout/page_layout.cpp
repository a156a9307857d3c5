#include "print/pagelayout/page_layout.h"

#include "print/pagelayout/line_breaking.h"

namespace dvx {

PageLayout::PageLayout(PageCanvas& canvas, const TextMeasurer& measurer)
    : canvas_(canvas), measurer_(measurer) {}

void PageLayout::begin(const LayoutSettings& settings) {
    settings_ = settings;
    pageNumber_ = 1;
    x_ = 0;
    y_ = 0;
    canvas_.startPage();
}

void PageLayout::writeLine(const QString& line) {
    const QString text = line.contains(u'\t') ? ExpandTabs(line, settings_.tabSize) : line;
    const int width = measurer_.textWidth(text);
    if (width > settings_.geometry.width && text.size() > 1) {
        if (settings_.wordWrap) {
            writeBroken(text);
        } else {
            writeLine(text.left(LongestFittingPrefix(text, settings_.geometry.width, measurer_)));
        }
        return;
    }
    x_ = alignedX(width);
    if (y_ + settings_.lineHeight >= settings_.geometry.height) {
        nextPage();
    }
    canvas_.drawText(settings_.geometry.leftOrigin + x_, settings_.geometry.topOrigin + y_, text);
    nextLine();
}

void PageLayout::writeBroken(const QString& text) {
    QString remaining = text;
    while (!remaining.isEmpty()) {
        writeLine(TakeNextPiece(remaining, settings_.geometry.width, measurer_));
    }
}

int PageLayout::alignedX(int width) const {
    switch (settings_.alignment) {
    case TextAlignment::right:
        return settings_.geometry.width - width;
    case TextAlignment::centre:
        return (settings_.geometry.width - width) / 2;
    case TextAlignment::left:
        break;
    }
    return 0;
}

void PageLayout::nextLine() {
    x_ = 0;
    y_ += settings_.lineHeight;
    if (y_ + settings_.lineHeight >= settings_.geometry.height) {
        nextPage();
    }
}

void PageLayout::nextPage() {
    ++pageNumber_;
    x_ = 0;
    y_ = 0;
    canvas_.startPage();
}

} // namespace dvx
