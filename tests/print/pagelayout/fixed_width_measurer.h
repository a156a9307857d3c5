#pragma once

#include "print/pagelayout/text_measurer.h"

namespace dvx::test {

// Every character is the same number of pixels wide, except that "W" is three times as wide:
// a deterministic stand-in for a printer's font metrics.
class FixedWidthMeasurer : public TextMeasurer {
public:
    explicit FixedWidthMeasurer(int charWidth) : charWidth_(charWidth) {}
    int textWidth(const QString& text) const override {
        ++calls;
        int width = 0;
        for (const QChar c : text) {
            width += c == u'W' ? 3 * charWidth_ : charWidth_;
        }
        return width;
    }
    mutable int calls = 0;

private:
    int charWidth_;
};

} // namespace dvx::test
