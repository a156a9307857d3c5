#include "print/pagelayout/line_breaking.h"

#include "../common/qstring_printer.h"

#include "fixed_width_measurer.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace dvx;

TEST(LineBreaking, TabsExpandToTheNextMultipleOfTheTabSize) {
    struct Case {
        QString text;
        int tabSize;
        QString expected;
    };
    const Case cases[] = {
        {"a\tb", 8, "a       b"},
        {"\t", 8, "        "},
        {"12345678\tx", 8, "12345678        x"},
        {"ab\t\tc", 4, "ab      c"},
        {"no tabs", 8, "no tabs"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpandTabs(c.text, c.tabSize), c.expected) << c.text.toStdString();
    }
}

TEST(LineBreaking, LongestFittingPrefixIsFoundByHalving) {
    const test::FixedWidthMeasurer measurer(10);
    EXPECT_EQ(LongestFittingPrefix("abcdefghijklmnop", 100, measurer), 10);
    EXPECT_EQ(LongestFittingPrefix("abcdefghijklmnop", 109, measurer), 10);
    EXPECT_EQ(LongestFittingPrefix("abcdefghijklmnop", 5, measurer), 1); // at least one
    EXPECT_EQ(LongestFittingPrefix("abWdefghij", 100, measurer), 8);

    test::FixedWidthMeasurer counting(10);
    LongestFittingPrefix(QString(10000, u'x'), 1000, counting);
    EXPECT_LE(counting.calls, 15);
}

TEST(LineBreaking, PiecesBreakAfterTheLastBlankOrInsideAWordWithoutOne) {
    struct Case {
        QString text;
        QStringList pieces;
    };
    const Case cases[] = {
        {"abcdefghijklmnopqrstuvwxy", {"abcdefghij", "klmnopqrst", "uvwxy"}},
        {"hello world again", {"hello ", "world ", "again"}},
        {"abcdefghij klm", {"abcdefghij", "klm"}},   // the single blank at the break is dropped
        {"abcdefghij  klm", {"abcdefghij", " klm"}}, // only one of two
        {"abcdefghij\tklm", {"abcdefghij", "klm"}},  // a control character counts as a blank
        {"ab cdefghijklmnop", {"ab ", "cdefghijkl", "mnop"}},
        {" abcdefghijklm", {" ", "abcdefghij", "klm"}},
    };
    const test::FixedWidthMeasurer measurer(10);
    for (const Case& c : cases) {
        QString remaining = c.text;
        QStringList pieces;
        while (!remaining.isEmpty()) {
            pieces.append(TakeNextPiece(remaining, 100, measurer));
        }
        EXPECT_EQ(pieces, c.pieces) << c.text.toStdString();
    }
}
