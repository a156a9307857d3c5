#pragma once

#include "print/pagelayout/page_sending.h"

#include <QList>
#include <QPainter>
#include <QPicture>

class QPrinter;

namespace dvx {

// Sends recorded pages to a QPrinter. A picture replays at its own 96 dots per inch, scaled up to
// the printer's resolution, so the replay is scaled back: the pages were recorded in printer
// pixels already.
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget(QPrinter& printer, QList<QPicture> pages);
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
    QList<QPicture> pages_;
    QPainter painter_;
};

} // namespace dvx
