#include "print/pagelayout/printer_metrics.h"

namespace dvx {

PrinterMetrics PrinterMetrics::assumed() {
    PrinterMetrics metrics;
    metrics.title = QStringLiteral("<Unknown>");
    return metrics;
}

} // namespace dvx
