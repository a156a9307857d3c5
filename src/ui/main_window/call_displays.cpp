#include "ui/main_window/call_displays.h"

#include "metering/call_texts.h"
#include "metering/money_text.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLineEdit>
#include <QStatusBar>

namespace dvx {

void MainWindowCallDisplay::showCall(std::int32_t seconds, const QString& costText) {
    writes_.write(callTime_, [text = DurationText(seconds)](QLineEdit& box) { box.setText(text); });
    writes_.write(callCost_, [costText](QLineEdit& box) { box.setText(costText); });
}

void MainWindowCallDisplay::showNotConnected() {
    writes_.write(status_,
                  [](QStatusBar& bar) { bar.showMessage(QStringLiteral("Not Connected")); });
}

void TrayTipDisplay::showCall(std::int32_t seconds, const QString& costText) {
    inCall_ = true;
    tray->setHint(CallHintText(seconds, costText));
}

void TrayTipDisplay::showNotConnected() {
    inCall_ = false;
    tray->setHint(unsaved_.isEmpty() ? kNotConnectedHint
                                     : kNotConnectedHint + QStringLiteral(", ") + unsaved_);
}

void TrayTipDisplay::showUnsaved(const QString& text) {
    if (text == unsaved_)
        return;
    unsaved_ = text;
    if (!inCall_)
        showNotConnected();
}

} // namespace dvx
