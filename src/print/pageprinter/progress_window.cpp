#include "print/pageprinter/progress_window.h"

#include "print/pageprinter/progress_dialog.h"

#include <QCoreApplication>
#include <QLabel>

namespace dvx {

ProgressWindow::ProgressWindow(bool showWindow, bool showCancel, Texts texts, PageShown pageShown)
    : texts_(std::move(texts)), pageShown_(std::move(pageShown)) {
    if (texts_.status.isEmpty()) {
        texts_.status = QStringLiteral("Sending Pages To Printer");
    }
    if (!showWindow) {
        return;
    }
    dialog_ = std::make_unique<TPPPrnPrgDlg>(showCancel);
    QObject::connect(dialog_.get(), &TPPPrnPrgDlg::cancelClicked, dialog_.get(),
                     [this] { cancelled_ = true; });
    dialog_->setWindowTitle(texts_.caption);
    dialog_->lblStatus->setText(texts_.status);
    dialog_->showCentred();
}

ProgressWindow::~ProgressWindow() {
    if (dialog_) {
        dialog_->hide();
    }
}

void ProgressWindow::handlePendingEvents() {
    QCoreApplication::processEvents();
}

void ProgressWindow::showPage(int pageNumber, int pageCount, int copies, int step, int steps) {
    if (dialog_) {
        dialog_->showPage(texts_.caption, texts_.status,
                          PageNumberText(pageNumber, pageCount, copies), step, steps);
    }
    if (pageShown_) {
        pageShown_(pageNumber, pageCount);
    }
}

} // namespace dvx
