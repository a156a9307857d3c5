#include "print/pagelayout/page_geometry.h"

#include "../common/qstring_printer.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

PrinterMetrics LetterAt600WithOffsets(double offset) {
    PrinterMetrics printer;
    printer.dpiX = 600;
    printer.dpiY = 600;
    printer.offsetLeft = printer.offsetTop = printer.offsetRight = printer.offsetBottom = offset;
    return printer;
}

Margins AllMargins(double value) {
    return Margins{value, value, value, value};
}

} // namespace

TEST(PageGeometry, AreaInsideTheMarginsOfThePage) {
    struct Case {
        const char* name;
        PrinterMetrics printer;
        Margins margins;
        MeasureUnit unit;
        PageGeometry expected;
    };
    const PrinterMetrics tall = LetterAt600WithOffsets(0.2);
    PrinterMetrics millimetres = PrinterMetrics::assumed();
    millimetres.pageWidth = 210 / 25.4;
    millimetres.pageHeight = 297 / 25.4;
    const Case cases[] = {
        {"margins on the offsets",
         tall,
         AllMargins(0.2),
         MeasureUnit::muInches,
         {0, 0, 4860, 6360}},
        {"assumed printer",
         PrinterMetrics::assumed(),
         AllMargins(0.25),
         MeasureUnit::muInches,
         {0, 0, 2400, 3150}},
        {"one inch margins",
         PrinterMetrics::assumed(),
         AllMargins(1.0),
         MeasureUnit::muInches,
         {225, 225, 1950, 2700}},
        {"uneven margins",
         tall,
         Margins{0.5, 1.2, 0.7, 0.2},
         MeasureUnit::muInches,
         {300, 180, 4560, 5580}},
        {"millimetres",
         millimetres,
         AllMargins(25.4),
         MeasureUnit::muMillimeters,
         {225, 225, 1880, 2908}},
    };
    for (const Case& c : cases) {
        const PageGeometry g = ComputePageGeometry(c.printer, c.margins, c.unit);
        EXPECT_EQ(g.leftOrigin, c.expected.leftOrigin) << c.name;
        EXPECT_EQ(g.topOrigin, c.expected.topOrigin) << c.name;
        EXPECT_EQ(g.width, c.expected.width) << c.name;
        EXPECT_EQ(g.height, c.expected.height) << c.name;
    }
}

TEST(PageGeometry, UnevenUnprintableStripsKeepTextInsideThePrintableArea) {
    PrinterMetrics printer = LetterAt600WithOffsets(0.2);
    printer.offsetRight = 0.5;
    const PageGeometry g =
        ComputePageGeometry(printer, Margins{0.2, 0.2, 0.2, 0.5}, MeasureUnit::muInches);
    EXPECT_EQ(g.width, PixelsOf(8.5 - 0.2 - 0.5, 600));
}

TEST(PageGeometry, MarginsStayWhereThePrinterCanPrint) {
    struct Case {
        double value;
        MeasureUnit unit;
        double expected;
    };
    const Case cases[] = {
        {0.11666666666666667, MeasureUnit::muInches, 0.25}, // raised to the offset
        {0.25, MeasureUnit::muInches, 0.25},
        {1.5, MeasureUnit::muInches, 1.5},
        {10.9, MeasureUnit::muInches, 10.75}, // lowered to the far side's strip
        {2.0, MeasureUnit::muMillimeters, 6.35},
        {20.0, MeasureUnit::muMillimeters, 20.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ClampMargin(c.value, c.unit, 0.25, 11.0), c.expected, 1e-9) << c.value;
    }
}

TEST(PageGeometry, LineHeightIsTheEmHeightTimesTheSpacing) {
    EXPECT_EQ(LineHeight(8, 600, LineSpacing::lsSingleSpace), 67);
    EXPECT_EQ(LineHeight(8, 600, LineSpacing::lsHalfSpace), 33);
    EXPECT_EQ(LineHeight(8, 600, LineSpacing::lsSingleAndAHalf), 100);
    EXPECT_EQ(LineHeight(8, 600, LineSpacing::lsDoubleSpace), 134);
    EXPECT_EQ(LineHeight(10, 96, LineSpacing::lsSingleSpace), 13);
    EXPECT_EQ(LineHeight(8, 1200, LineSpacing::lsSingleSpace), 133);
}
