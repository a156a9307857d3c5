#include "print/pagelayout/page_sending.h"

#include <QList>
#include <QScopeGuard>

namespace dvx {

namespace {

// The pages in the order they are sent, 0 being page 1: with collate, all pages of one copy
// before the next copy; without it, each page as many times as there are copies.
QList<int> SendingOrder(int pageCount, int copies, bool collate) {
    QList<int> order;
    order.reserve(qsizetype(pageCount) * copies);
    if (collate) {
        for (int copy = 0; copy < copies; ++copy) {
            for (int page = 0; page < pageCount; ++page) {
                order.append(page);
            }
        }
    } else {
        for (int page = 0; page < pageCount; ++page) {
            for (int copy = 0; copy < copies; ++copy) {
                order.append(page);
            }
        }
    }
    return order;
}

// Sends the pages in order; false when the user cancelled before the last one.
bool SendAll(const SendSettings& settings, const QList<int>& order, PrintTarget& target,
             SendingProgress& progress) {
    const int steps = int(order.size());
    for (int step = 0; step < steps; ++step) {
        if (settings.handleEventsBetweenPages) {
            progress.handlePendingEvents();
        }
        if (progress.cancelRequested()) {
            return false;
        }
        progress.showPage(order[step] + 1, settings.pageCount, settings.copies, step + 1, steps);
        // A new sheet only when there is a page to put on it: a cancel leaves no blank sheet.
        if (step > 0) {
            target.advanceSheet();
        }
        target.printPage(order[step]);
    }
    return true;
}

} // namespace

bool SendPages(const SendSettings& settings, PrintTarget& target, SendingProgress& progress) {
    if (settings.pageCount <= 0 || settings.copies <= 0) {
        return true;
    }
    const QList<int> order = SendingOrder(settings.pageCount, settings.copies, settings.collate);
    // The printer's own copy count comes back when sending ends, however it ends.
    const int ownCopies = target.copyCount();
    target.setCopyCount(1);
    const auto restoreCopies =
        qScopeGuard([&target, ownCopies] { target.setCopyCount(ownCopies); });
    target.openJob(settings.jobName);
    bool sentAll = false;
    try {
        sentAll = SendAll(settings, order, target, progress);
    } catch (...) {
        target.abortJob();
        throw;
    }
    if (!sentAll && settings.abortOnCancel) {
        target.abortJob();
    } else {
        target.closeJob();
    }
    return sentAll;
}

QString PageNumberText(int pageNumber, int pageCount, int copies) {
    QString text = QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageCount);
    if (copies > 1) {
        text += QStringLiteral(" x %1 Copies").arg(copies);
    }
    return text;
}

} // namespace dvx
