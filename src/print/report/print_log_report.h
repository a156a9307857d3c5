#pragma once

#include "print/report/log_report_lines.h"

class QPrinter;

namespace dvx {

class TPagePrinter;

// Prints the log report on the printer the user chose in the print dialog, through the page
// printer: "Courier New" at 8 point, with the progress window and Cancel. As many copies as
// the dialog asked for are made by the page printer itself. Errors of the printing system are
// thrown; a cancel is not an error.
void PrintLogReport(TPagePrinter& printLines, QPrinter& printer, const LogReportContent& content,
                    const RegionalSettings& regional, DateTime now);

} // namespace dvx
