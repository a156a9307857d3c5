#pragma once

#include "print/pagelayout/page_sending.h"
#include "print/pageprinter/recorded_pages.h"

#include <QPainter>

class QPrinter;

namespace dvx {

// Sends recorded pages to a QPrinter, painting each page's lines on a sheet in the printer's own
// pixels, in which they were laid out.
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget(QPrinter& printer, RecordedPages pages);
    ~PrinterTarget() override;
    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    int copyCount() const override;
    void setCopyCount(int copies) override;
    void openJob(const QString& name) override;
    void printPage(int pageIndex) override;
    void advanceSheet() override;
    void closeJob() override;
    void abortJob() override;

private:
    QPrinter& printer_;
    RecordedPages pages_;
    QPainter painter_;
};

} // namespace dvx
