#include "print/report/print_log_report.h"

#include "print/pageprinter/page_printer.h"

#include <QPrinter>
#include <QScopeGuard>

namespace dvx {

namespace {

constexpr int kReportPointSize = 8;
// The report's name in the print queue (and a PDF's title).
constexpr char kReportJobName[] = "Dorvantix Log";

} // namespace

void PrintLogReport(TPagePrinter& printLines, QPrinter& printer, const LogReportContent& content,
                    const RegionalSettings& regional, DateTime now) {
    // The chosen printer belongs to the caller: the page printer lets go of it at the end.
    const auto releasePrinter = qScopeGuard([&printLines] {
        if (printLines.Recording()) {
            printLines.EndDocument();
        }
        printLines.setPrinter(nullptr);
    });
    printLines.setProgressMessage(QStringLiteral("Printing Log..."));
    printLines.Lines().clear();
    printLines.setPrinter(&printer);
    printer.setDocName(QString::fromLatin1(kReportJobName));
    printLines.BeginDocument();
    QFont font = printLines.Font();
    font.setPointSize(kReportPointSize);
    printLines.setFont(font);
    printLines.Lines().append(LogReportLines(content, regional, now));
    printLines.WriteLines();
    printLines.EndDocument();
    printLines.setCopies(qMax(1, printer.copyCount()));
    printLines.setCollate(printer.collateCopies());
    printLines.setShowCancel(true);
    printLines.setShowProgress(true);
    printLines.PrintPages();
}

} // namespace dvx
