// The texts the window's boxes, labels and status bar are given: shown at once when the controls
// are built, else kept for them until they are.
#include "ui/main_window/frm_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace dvx {

void TfrmMain::showText(QLineEdit* const& box, const QString& text) {
    writes_.write(box, [text](QLineEdit& shown) { shown.setText(text); });
}

void TfrmMain::showText(QLabel* const& label, const QString& text) {
    writes_.write(label, [text](QLabel& shown) { shown.setText(text); });
}

void TfrmMain::showStatus(const QString& text) {
    writes_.write(SB, [text](QStatusBar& bar) { bar.showMessage(text); });
    monitorNotice_ = MonitorNotice::other;
}

} // namespace dvx
