#include "print/report/print_lines_setup.h"

#include "print/pageprinter/page_printer.h"

namespace dvx {

namespace {

constexpr double kPrintLinesMargin = 0.11666666666666667; // 7/60 inch
constexpr int kPrintLinesPointSize = 10;

} // namespace

void SetUpPrintLines(TPagePrinter& printLines) {
    printLines.setFont(QFont(QStringLiteral("Courier New"), kPrintLinesPointSize));
    printLines.setMeasureUnit(MeasureUnit::muInches);
    printLines.setMarginTop(kPrintLinesMargin);
    printLines.setMarginBottom(kPrintLinesMargin);
    printLines.setMarginLeft(kPrintLinesMargin);
    printLines.setMarginRight(kPrintLinesMargin);
}

} // namespace dvx
