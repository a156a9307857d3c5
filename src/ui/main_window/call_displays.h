#pragma once

#include "metering/meter/call_display.h"

class QLineEdit;
class QStatusBar;

namespace dvx {

class TCoolTrayIcon;

// The main window's view of the call: its time and cost boxes, and the status bar that says when
// it ended. The boxes keep showing a finished call until the next one.
class MainWindowCallDisplay final : public CallDisplay {
public:
    void showCall(std::int32_t seconds, const QString& costText) override;
    void showNotConnected() override;

    QLineEdit* callTime = nullptr;
    QLineEdit* callCost = nullptr;
    QStatusBar* status = nullptr;
};

// The tray icon's tip: "Dorvantix - Call time ...  Cost ..." while a call runs.
class TrayTipDisplay final : public CallDisplay {
public:
    void showCall(std::int32_t seconds, const QString& costText) override;
    void showNotConnected() override;

    TCoolTrayIcon* tray = nullptr;
};

} // namespace dvx
