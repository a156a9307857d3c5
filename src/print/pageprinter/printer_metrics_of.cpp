#include "print/pageprinter/printer_metrics_of.h"

#include <QPrinter>

namespace dvx {

PrinterMetrics MetricsOfPrinter(const QPrinter& printer) {
    PrinterMetrics metrics;
    metrics.dpiX = printer.logicalDpiX();
    metrics.dpiY = printer.logicalDpiY();
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    metrics.pageWidth = paper.width() / metrics.dpiX;
    metrics.pageHeight = paper.height() / metrics.dpiY;
    metrics.offsetLeft = (printable.left() - paper.left()) / metrics.dpiX;
    metrics.offsetTop = (printable.top() - paper.top()) / metrics.dpiY;
    metrics.offsetRight = (paper.right() - printable.right()) / metrics.dpiX;
    metrics.offsetBottom = (paper.bottom() - printable.bottom()) / metrics.dpiY;
    metrics.title =
        printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
    return metrics;
}

} // namespace dvx
