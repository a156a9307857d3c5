#include "ui/main_window/paint_gradient.h"

#include <QPainter>
#include <cstdint>

namespace dvx {

namespace {

constexpr int kBands = 256;

int partOfBand(int start, int end, int band) {
    const std::int64_t difference = end - start;
    return start + static_cast<int>(band * difference / (kBands - 1));
}

} // namespace

void PaintGradient(QPainter& canvas, int width, int height, const QColor& start,
                   const QColor& end) {
    for (int band = 0; band < kBands; ++band) {
        const int left = static_cast<int>(std::int64_t(band) * width / kBands);
        const int right = static_cast<int>(std::int64_t(band + 1) * width / kBands);
        const QColor colour(partOfBand(start.red(), end.red(), band),
                            partOfBand(start.green(), end.green(), band),
                            partOfBand(start.blue(), end.blue(), band));
        canvas.fillRect(left, 0, right - left, height, colour);
    }
}

} // namespace dvx
