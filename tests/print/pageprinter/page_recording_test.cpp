#include "print/pageprinter/page_recording.h"

#include "../common/qstring_printer.h"
#include "../common/qt_application.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// Each recorded line as "text@x,y in family/pixels".
QStringList Described(const RecordedPages& recorded, qsizetype pageIndex) {
    QStringList lines;
    for (const PlacedText& line : recorded.pages.at(pageIndex)) {
        const QFont& font = recorded.fonts.at(line.font);
        lines.append(QStringLiteral("%1@%2,%3 in %4/%5")
                         .arg(line.text)
                         .arg(line.topLeft.x())
                         .arg(line.topLeft.y())
                         .arg(font.family())
                         .arg(font.pixelSize()));
    }
    return lines;
}

} // namespace

TEST(PageRecordingTest, EachLineKeepsItsPlaceAndTheFontItWasWrittenIn) {
    test::EnsureApplication();
    PageRecording recording;
    recording.setFont(PixelFont("Courier New", 40));
    recording.startPage();
    recording.drawText(10, 20, "first");
    recording.drawText(10, 60, ""); // an empty line leaves nothing to paint
    recording.setFont(PixelFont("DejaVu Serif", 50));
    recording.drawText(30, 100, "second");
    recording.startPage();
    recording.setFont(PixelFont("Courier New", 40));
    recording.drawText(0, 0, "third");

    const RecordedPages kept = recording.pages();
    ASSERT_EQ(recording.pageCount(), 2);
    EXPECT_EQ(Described(kept, 0),
              QStringList({"first@10,20 in Courier New/40", "second@30,100 in DejaVu Serif/50"}));
    EXPECT_EQ(Described(kept, 1), QStringList({"third@0,0 in Courier New/40"}));

    // A new document starts with no pages in the font last set, and leaves a kept copy alone.
    recording.clear();
    EXPECT_EQ(recording.pageCount(), 0);
    recording.startPage();
    recording.drawText(5, 5, "again");
    EXPECT_EQ(Described(recording.pages(), 0), QStringList({"again@5,5 in Courier New/40"}));
    EXPECT_EQ(Described(kept, 1), QStringList({"third@0,0 in Courier New/40"}));
}

TEST(PageRecordingTest, APaintedPageShowsItsLinesInBlackAndLeavesThePainterAsItWas) {
    test::EnsureApplication();
    PageRecording recording;
    recording.setFont(PixelFont("Courier New", 40));
    recording.startPage();
    recording.drawText(10, 10, "MMMM");
    QImage sheet(400, 200, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setPen(Qt::red);
    PaintRecordedPage(painter, recording.pages(), 0);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    painter.end();

    // The ink lies below and right of the line's top left corner, within one line's height.
    QRect ink;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const QColor colour = sheet.pixelColor(x, y);
            if (colour != Qt::white) {
                EXPECT_EQ(colour.red(), colour.blue()) << "not grey at " << x << "," << y;
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 10);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 10 + 40);
}
