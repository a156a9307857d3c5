#include "print/pageprinter/printer_target.h"

#include "print/pageprinter/page_printer_error.h"

#include <QGuiApplication>
#include <QPrinter>

namespace dvx {

PrinterTarget::PrinterTarget(QPrinter& printer, RecordedPages pages)
    : printer_(printer), pages_(std::move(pages)) {}

PrinterTarget::~PrinterTarget() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

int PrinterTarget::copyCount() const {
    return printer_.copyCount();
}

void PrinterTarget::setCopyCount(int copies) {
    printer_.setCopyCount(copies);
}

// A job always carries a name in the printing system's queue: the given one, else the name the
// printer's owner gave the document, else the program's.
void PrinterTarget::openJob(const QString& name) {
    if (!name.isEmpty())
        printer_.setDocName(name);
    else if (printer_.docName().isEmpty())
        printer_.setDocName(QGuiApplication::applicationDisplayName());
    if (painter_.begin(&printer_)) {
        return;
    }
    if (printer_.outputFormat() == QPrinter::PdfFormat) {
        throw EPagePrinter(
            QStringLiteral("Unable to print to the file \"%1\"").arg(printer_.outputFileName()));
    }
    throw EPagePrinter(
        QStringLiteral("Unable to print on the printer \"%1\"").arg(printer_.printerName()));
}

void PrinterTarget::printPage(int pageIndex) {
    PaintRecordedPage(painter_, pages_, pageIndex);
}

void PrinterTarget::advanceSheet() {
    if (!printer_.newPage()) {
        throw EPagePrinter(QStringLiteral("The printer could not start a new sheet"));
    }
}

void PrinterTarget::closeJob() {
    if (painter_.isActive() && !painter_.end()) {
        throw EPagePrinter(QStringLiteral("The printer could not finish the print job"));
    }
}

void PrinterTarget::abortJob() {
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

} // namespace dvx
