#pragma once

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace dvx {

inline constexpr int kPictureSize = 32;

// Paints a transparent square picture of `size` pixels. The drawing works in a 32 x 32 grid that
// is scaled to the size asked for; lines are smoothed.
QPixmap PaintPicture(const std::function<void(QPainter&)>& draw, int size = kPictureSize);

// A thin dark outline, the common edge of every shape in the pictures.
QPen OutlinePen(qreal width = 1.0);

} // namespace dvx
