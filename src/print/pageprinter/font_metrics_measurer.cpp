#include "print/pageprinter/font_metrics_measurer.h"

namespace dvx {

FontMetricsMeasurer::FontMetricsMeasurer() : metrics_(QFont()) {}

void FontMetricsMeasurer::setFont(const QFont& font, QPaintDevice* device) {
    metrics_ = QFontMetrics(font, device);
}

int FontMetricsMeasurer::textWidth(const QString& text) const {
    return metrics_.horizontalAdvance(text);
}

} // namespace dvx
