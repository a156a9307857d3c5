// The painted icon gives each of its sizes as painting at that size gives it, any other size as an
// icon of those pictures gives it, and paints a size only when it is asked for.
#include "ui/icons/painted_icon_engine.h"
#include "ui/icons/picture_canvas.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

namespace dvx {
namespace {

void drawDisc(QPainter& p) {
    p.setPen(OutlinePen(1.5));
    p.setBrush(QColor(200, 160, 20));
    p.drawEllipse(QRectF(4, 6, 24, 20));
}

const QList<int> kSizes{16, 22, 32, 48};

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The same icon made the way the program made it before: every size painted at once.
QIcon iconOfPictures() {
    QIcon icon;
    for (int side : kSizes)
        icon.addPixmap(PaintPicture(drawDisc, side));
    return icon;
}

TEST(PaintedIconEngineTest, GivesEverySizeAsAnIconOfItsPicturesGivesIt) {
    const QIcon painted(new PaintedIconEngine(drawDisc, kSizes));
    const QIcon pictures = iconOfPictures();
    EXPECT_EQ(painted.availableSizes(), pictures.availableSizes());
    for (const QSize size : {QSize(16, 16), QSize(22, 22), QSize(48, 48), QSize(20, 20),
                             QSize(40, 40), QSize(64, 64), QSize(12, 12), QSize(32, 24)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        EXPECT_EQ(painted.actualSize(size), pictures.actualSize(size));
        EXPECT_EQ(imageOf(painted.pixmap(size)), imageOf(pictures.pixmap(size)));
        EXPECT_EQ(imageOf(painted.pixmap(size, QIcon::Disabled)),
                  imageOf(pictures.pixmap(size, QIcon::Disabled)));
    }
}

TEST(PaintedIconEngineTest, PaintsOnlyTheSizesAskedFor) {
    QList<int> paintedSides;
    const QIcon painted(new PaintedIconEngine(
        [&paintedSides](QPainter& p) {
            paintedSides.append(p.device()->width());
            drawDisc(p);
        },
        kSizes));
    EXPECT_TRUE(paintedSides.isEmpty());
    painted.pixmap(QSize(22, 22));
    painted.pixmap(QSize(22, 22));
    painted.pixmap(QSize(20, 20));
    EXPECT_EQ(paintedSides, QList<int>{22});
}

} // namespace
} // namespace dvx
