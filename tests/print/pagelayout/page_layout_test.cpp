#include "print/pagelayout/page_layout.h"

#include "../common/qstring_printer.h"

#include "fixed_width_measurer.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

struct DrawnText {
    int x;
    int y;
    QString text;
};

// Keeps what was drawn, page by page.
class RecordingCanvas : public PageCanvas {
public:
    void startPage() override { pages.append(QList<DrawnText>()); }
    void drawText(int x, int y, const QString& text) override {
        pages.last().append(DrawnText{x, y, text});
    }
    QStringList textsOfPage(int index) const {
        QStringList texts;
        for (const DrawnText& drawn : pages.at(index)) {
            texts.append(drawn.text);
        }
        return texts;
    }
    QList<QList<DrawnText>> pages;
};

// 8 point single spaced at 600 dpi on 11 inch paper with 0.2 inch offsets and margins.
LayoutSettings TallPageAt600() {
    PrinterMetrics printer;
    printer.dpiX = printer.dpiY = 600;
    printer.offsetLeft = printer.offsetTop = printer.offsetRight = printer.offsetBottom = 0.2;
    LayoutSettings settings;
    settings.geometry =
        ComputePageGeometry(printer, Margins{0.2, 0.2, 0.2, 0.2}, MeasureUnit::muInches);
    settings.lineHeight = LineHeight(8, 600, LineSpacing::lsSingleSpace);
    return settings;
}

LayoutSettings NarrowPage(int width, int lines) {
    LayoutSettings settings;
    settings.geometry = PageGeometry{30, 40, width, lines * 10 + 5};
    settings.lineHeight = 10;
    return settings;
}

class PageLayoutTest : public ::testing::Test {
protected:
    void writeAll(const LayoutSettings& settings, const QStringList& lines) {
        layout.begin(settings);
        for (const QString& line : lines) {
            layout.writeLine(line);
        }
    }
    RecordingCanvas canvas;
    test::FixedWidthMeasurer measurer{10};
    PageLayout layout{canvas, measurer};
};

} // namespace

TEST_F(PageLayoutTest, NinetyFourLinesFillTheTallPageAndStartAnEmptySecondOne) {
    const LayoutSettings settings = TallPageAt600();
    ASSERT_EQ(settings.geometry.height, 6360);
    ASSERT_EQ(settings.lineHeight, 67);
    struct Case {
        int lines;
        int pages;
        int linesOnLastPage;
    };
    for (const Case& c : {Case{93, 1, 93}, Case{94, 2, 0}, Case{95, 2, 1}, Case{188, 3, 0}}) {
        canvas.pages.clear();
        writeAll(settings, QStringList(c.lines, QStringLiteral("line")));
        EXPECT_EQ(canvas.pages.size(), c.pages) << c.lines;
        EXPECT_EQ(canvas.pages.last().size(), c.linesOnLastPage) << c.lines;
        EXPECT_EQ(layout.pageNumber(), c.pages) << c.lines;
    }
    EXPECT_EQ(canvas.pages.first().last().y, 93 * 67);
}

TEST_F(PageLayoutTest, LinesGoOneBelowTheOtherFromTheMarginOrigin) {
    writeAll(NarrowPage(100, 5), {"one", "", "three"});
    ASSERT_EQ(canvas.pages.size(), 1);
    const QList<DrawnText>& drawn = canvas.pages.first();
    ASSERT_EQ(drawn.size(), 3);
    EXPECT_EQ(drawn[0].x, 30);
    EXPECT_EQ(drawn[0].y, 40);
    EXPECT_EQ(drawn[1].text, QString()); // an empty line takes its place like any other
    EXPECT_EQ(drawn[2].y, 60);
}

TEST_F(PageLayoutTest, WideLinesAreBrokenOrCut) {
    struct Case {
        const char* name;
        bool wordWrap;
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"no blanks", true, "abcdefghijklmnopqrstuvwxy", {"abcdefghij", "klmnopqrst", "uvwxy"}},
        {"blanks", true, "the cat sat on the mat", {"the cat ", "sat on the", "mat"}},
        {"tabs expanded first", true, "ab\tcdefgh", {"ab      ", "cdefgh"}},
        {"cut without word wrap", false, "the cat sat on the mat", {"the cat sa"}},
        {"one wide character", true, "W", {"W"}},
        {"fits exactly", true, "abcdefghij", {"abcdefghij"}},
    };
    for (const Case& c : cases) {
        canvas.pages.clear();
        LayoutSettings settings = NarrowPage(100, 20);
        settings.wordWrap = c.wordWrap;
        writeAll(settings, {c.text});
        EXPECT_EQ(canvas.textsOfPage(0), c.lines) << c.name;
    }
}

TEST_F(PageLayoutTest, AlignmentPlacesTheLineInTheWidth) {
    struct Case {
        TextAlignment alignment;
        int x;
    };
    for (const Case& c : {Case{TextAlignment::left, 30}, Case{TextAlignment::right, 30 + 65},
                          Case{TextAlignment::centre, 30 + 32}}) {
        canvas.pages.clear();
        LayoutSettings settings = NarrowPage(105, 5);
        settings.alignment = c.alignment;
        writeAll(settings, {"abcd"});
        EXPECT_EQ(canvas.pages.first().first().x, c.x);
    }
}

TEST_F(PageLayoutTest, BrokenPiecesContinueOnTheNextPage) {
    writeAll(NarrowPage(100, 3), {"aaaaaaaaaa bbbbbbbbbb cccccccccc dddd"});
    ASSERT_EQ(canvas.pages.size(), 2);
    EXPECT_EQ(canvas.textsOfPage(0), QStringList({"aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc"}));
    EXPECT_EQ(canvas.textsOfPage(1), QStringList({"dddd"}));
    EXPECT_EQ(canvas.pages[1].first().y, 40);
}
