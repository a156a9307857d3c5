#pragma once

namespace dvx {

class TPagePrinter;

// Gives a page printer the settings of the main window's PrintLines: "Courier New" at 10 point
// and margins of 7/60 inch, raised to what the printer can print.
void SetUpPrintLines(TPagePrinter& printLines);

} // namespace dvx
