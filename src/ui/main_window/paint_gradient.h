#pragma once

#include <QColor>

class QPainter;

namespace dvx {

// Fills (0, 0)-(width, height) with a left-to-right gradient of 256 vertical bands: band 0 has
// the start colour and band 255 the end colour, each part moving by i x d div 255.
void PaintGradient(QPainter& canvas, int width, int height, const QColor& start, const QColor& end);

} // namespace dvx
