// The icon installed into the desktop's icon theme is the icon the program paints for its windows
// and its tray: the scalable icon, rendered at each size the program paints, looks the same.
#include "ui/icons/pictures.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

QImage RenderScalableIcon(int size) {
    QSvgRenderer renderer(QStringLiteral(DORVANTIX_SCALABLE_ICON));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QImage PaintedProgramIcon(int size) {
    return dvx::ProgramIcon()
        .pixmap(QSize(size, size))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The mean difference of two equal-sized images over every channel of every pixel, from 0
// (identical) to 1 (opposite).
double MeanDifference(const QImage& a, const QImage& b) {
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return double(sum) / (255.0 * 4 * a.width() * a.height());
}

class IconMatchesProgramTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "icon_matches_program_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

private:
    static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_P(IconMatchesProgramTest, ScalableIconLooksLikeThePaintedOne) {
    const int size = GetParam();
    const QImage painted = PaintedProgramIcon(size);
    ASSERT_EQ(painted.size(), QSize(size, size)) << "the program paints no icon of this size";
    const QImage rendered = RenderScalableIcon(size);
    EXPECT_LT(MeanDifference(painted, rendered), 0.002)
        << "the installed icon no longer matches the program's icon at " << size << " pixels";
}

INSTANTIATE_TEST_SUITE_P(ProgramIconSizes, IconMatchesProgramTest,
                         ::testing::Values(16, 22, 24, 32, 48, 64, 128));

} // namespace
