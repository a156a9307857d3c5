#pragma once

#include <QString>

namespace dvx {

// Measures how wide a text is drawn, in the printer's pixels. The page printer measures with the
// printer's own font metrics; tests measure with a rule of their own.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(const QString& text) const = 0;
};

} // namespace dvx
