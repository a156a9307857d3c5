#pragma once

#include <QString>

namespace dvx {

// What the page layout needs to know of a printer: its resolution, its paper and the strips
// at the paper's edges that it cannot print on. Lengths are in inches.
struct PrinterMetrics {
    int dpiX = 300;
    int dpiY = 300;
    double pageWidth = 8.5;
    double pageHeight = 11.0;
    double offsetLeft = 0.25;
    double offsetTop = 0.25;
    double offsetRight = 0.25;
    double offsetBottom = 0.25;
    QString title;

    // The values assumed when no printer is available: letter paper, 0.25 inch unprintable
    // strips, 300 dots per inch, title "<Unknown>".
    static PrinterMetrics assumed();
};

} // namespace dvx
