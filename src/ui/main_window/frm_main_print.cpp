// Printing the session list as a report.
#include "ui/main_window/frm_main.h"

#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "print/pageprinter/page_printer.h"
#include "print/pageprinter/page_printer_error.h"
#include "print/report/print_lines_setup.h"
#include "print/report/print_log_report.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScopeGuard>
#include <QToolButton>

namespace dvx {

TPagePrinter* TfrmMain::PrintLines() {
    if (printLines_ == nullptr) {
        printLines_ = new TPagePrinter(this);
        printLines_->setObjectName(QStringLiteral("PrintLines"));
        SetUpPrintLines(*printLines_);
    }
    return printLines_;
}

// The report shows the list, the log name and the totals exactly as the window shows them, and
// changes none of them. While its pages are being sent, Print Log cannot be pressed: the
// chosen printer is busy, and the page printer would refuse a second print anyway.
void TfrmMain::btnPrintLogClick() {
    buildControls();
    if (PrintLines()->Sending()) {
        throw EPagePrinter(
            QStringLiteral("Unable to print while pages are still being sent to the printer"));
    }
    if (!chosenPrinter_)
        chosenPrinter_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (!dialogs().choosePrinter(*chosenPrinter_))
        return;
    callLog_.settleList();
    const LogReportContent content{sessionList_->rows(), lblLogname->text(),
                                   edtTotalCallTime->text(), edtTotalCost->text()};
    btnPrintLog->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { btnPrintLog->setEnabled(true); });
    PrintLogReport(*PrintLines(), *chosenPrinter_, content, regional(), clock().now());
}

} // namespace dvx
