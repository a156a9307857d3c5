#pragma once

#include "print/pagelayout/page_sending.h"

#include <QString>
#include <functional>
#include <memory>

namespace dvx {

class TPPPrnPrgDlg;

// The progress of sending pages as the user sees it: the progress window (when it is wanted),
// the user interface running between pages, and the Cancel button's request.
class ProgressWindow : public SendingProgress {
public:
    struct Texts {
        QString caption;
        QString status;
    };
    using PageShown = std::function<void(int pageNumber, int pageCount)>;

    ProgressWindow(bool showWindow, bool showCancel, Texts texts, PageShown pageShown);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void handlePendingEvents() override;
    bool cancelRequested() const override { return cancelled_; }
    void showPage(int pageNumber, int pageCount, int copies, int step, int steps) override;

private:
    std::unique_ptr<TPPPrnPrgDlg> dialog_;
    Texts texts_;
    PageShown pageShown_;
    bool cancelled_ = false;
};

} // namespace dvx
