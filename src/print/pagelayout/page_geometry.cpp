#include "print/pagelayout/page_geometry.h"

#include <QtMath>

namespace dvx {

namespace {
constexpr double kMillimetresPerInch = 25.4;
}

double ToInches(double length, MeasureUnit unit) {
    return unit == MeasureUnit::muMillimeters ? length / kMillimetresPerInch : length;
}

double FromInches(double inches, MeasureUnit unit) {
    return unit == MeasureUnit::muMillimeters ? inches * kMillimetresPerInch : inches;
}

int PixelsOf(double inches, int dotsPerInch) {
    return qRound(inches * dotsPerInch);
}

double ClampMargin(double value, MeasureUnit unit, double unprintableOffset, double paperLength) {
    const double lowest = FromInches(unprintableOffset, unit);
    const double highest = FromInches(paperLength - unprintableOffset, unit);
    if (value < lowest) {
        return lowest;
    }
    if (value > highest) {
        return highest;
    }
    return value;
}

PageGeometry ComputePageGeometry(const PrinterMetrics& printer, const Margins& margins,
                                 MeasureUnit unit) {
    const double left = ToInches(margins.left, unit) - printer.offsetLeft;
    const double right = ToInches(margins.right, unit) - printer.offsetRight;
    const double top = ToInches(margins.top, unit) - printer.offsetTop;
    const double bottom = ToInches(margins.bottom, unit) - printer.offsetBottom;
    const double printableWidth = printer.pageWidth - printer.offsetLeft - printer.offsetRight;
    const double printableHeight = printer.pageHeight - printer.offsetTop - printer.offsetBottom;

    PageGeometry geometry;
    geometry.leftOrigin = PixelsOf(left, printer.dpiX);
    geometry.topOrigin = PixelsOf(top, printer.dpiY);
    geometry.width = PixelsOf(printableWidth, printer.dpiX) - PixelsOf(left, printer.dpiX) -
                     PixelsOf(right, printer.dpiX);
    geometry.height = PixelsOf(printableHeight, printer.dpiY) - PixelsOf(top, printer.dpiY) -
                      PixelsOf(bottom, printer.dpiY);
    return geometry;
}

int LineHeight(double pointSize, int dotsPerInchY, LineSpacing spacing) {
    const int em = qRound(pointSize * dotsPerInchY / 72.0);
    switch (spacing) {
    case LineSpacing::lsHalfSpace:
        return em / 2;
    case LineSpacing::lsSingleAndAHalf:
        return em + em / 2;
    case LineSpacing::lsDoubleSpace:
        return 2 * em;
    case LineSpacing::lsSingleSpace:
        break;
    }
    return em;
}

} // namespace dvx
