#pragma once

#include "print/pagelayout/text_measurer.h"

#include <QFont>
#include <QFontMetrics>

class QPaintDevice;

namespace dvx {

// Measures text with a font's metrics on a paint device (the printer), in its pixels.
class FontMetricsMeasurer : public TextMeasurer {
public:
    FontMetricsMeasurer();
    void setFont(const QFont& font, QPaintDevice* device);
    int textWidth(const QString& text) const override;

private:
    QFontMetrics metrics_;
};

} // namespace dvx
