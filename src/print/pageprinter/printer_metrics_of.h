#pragma once

#include "print/pagelayout/printer_metrics.h"

class QPrinter;

namespace dvx {

// The resolution, paper and unprintable strips of a printer as it is set up now.
PrinterMetrics MetricsOfPrinter(const QPrinter& printer);

} // namespace dvx
