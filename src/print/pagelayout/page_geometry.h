#pragma once

#include "print/pagelayout/printer_metrics.h"

namespace dvx {

enum class MeasureUnit { muInches, muMillimeters };

enum class LineSpacing { lsHalfSpace, lsSingleSpace, lsSingleAndAHalf, lsDoubleSpace };

enum class TextAlignment { left, right, centre };

// The four margins, measured from the paper's edges in one unit.
struct Margins {
    double top = 0;
    double bottom = 0;
    double left = 0;
    double right = 0;
};

// Where lines go on a page, in printer pixels: the origin of the area inside the margins,
// measured from the printer's printable origin, and the size of that area.
struct PageGeometry {
    int leftOrigin = 0;
    int topOrigin = 0;
    int width = 0;
    int height = 0;
};

double ToInches(double length, MeasureUnit unit);
double FromInches(double inches, MeasureUnit unit);

// A length in inches as whole printer pixels at the given resolution.
int PixelsOf(double inches, int dotsPerInch);

// Keeps a margin where the printer can print: never inside the unprintable strip of its side
// and never beyond the strip at the opposite side. Both lengths are in inches; value is in unit.
double ClampMargin(double value, MeasureUnit unit, double unprintableOffset, double paperLength);

// The area inside the margins of a page of the given printer; margins are in unit.
PageGeometry ComputePageGeometry(const PrinterMetrics& printer, const Margins& margins,
                                 MeasureUnit unit);

// The distance from one line to the next: the font's em height at the printer's vertical
// resolution, times the line spacing.
int LineHeight(double pointSize, int dotsPerInchY, LineSpacing spacing);

} // namespace dvx
