#include "ui/main_window/paint_gradient.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace dvx {
namespace {

QImage painted(int width, const QColor& start, const QColor& end) {
    QImage image(width, 3, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    PaintGradient(painter, width, 3, start, end);
    return image;
}

TEST(PaintGradient, Paints256BandsFromTheStartColourToTheEndColour) {
    const QImage image = painted(512, Qt::black, QColor(255, 128, 0));
    for (int band : {0, 1, 100, 254, 255}) {
        const QColor expected(band, band * 128 / 255, 0);
        EXPECT_EQ(image.pixelColor(2 * band, 1), expected) << band;
        EXPECT_EQ(image.pixelColor(2 * band + 1, 1), expected) << band;
    }
}

TEST(PaintGradient, FallingPartsTruncateTowardZero) {
    const QImage image = painted(256, QColor(255, 255, 255), QColor(0, 10, 255));
    // Band 1: 255 + 1 x -255 div 255 = 254; 255 + 1 x -245 div 255 = 255 (the quotient is 0).
    EXPECT_EQ(image.pixelColor(1, 0), QColor(254, 255, 255));
    EXPECT_EQ(image.pixelColor(255, 2), QColor(0, 10, 255));
}

TEST(PaintGradient, NarrowPicturesAreFilledWholly) {
    const QImage image = painted(100, QColor(0, 0, 128), QColor(0, 0, 128));
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(image.pixelColor(x, 0), QColor(0, 0, 128)) << x;
}

} // namespace
} // namespace dvx
