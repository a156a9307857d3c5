#pragma once

#include "metering/meter/call_display.h"
#include "ui/main_window/control_writes.h"

class QLineEdit;
class QStatusBar;

namespace dvx {

class TCoolTrayIcon;

// The main window's view of the call: its time and cost boxes, and the status bar that says when
// it ended. The boxes keep showing a finished call until the next one. The window's members
// that point to the controls are given, and written through the window's control writes.
class MainWindowCallDisplay final : public CallDisplay {
public:
    MainWindowCallDisplay(ControlWrites& writes, QLineEdit* const& callTime,
                          QLineEdit* const& callCost, QStatusBar* const& status)
        : writes_(writes), callTime_(callTime), callCost_(callCost), status_(status) {}

    void showCall(std::int32_t seconds, const QString& costText) override;
    void showNotConnected() override;

private:
    ControlWrites& writes_;
    QLineEdit* const& callTime_;
    QLineEdit* const& callCost_;
    QStatusBar* const& status_;
};

// The tray icon's tip: "Dorvantix - Call time ...  Cost ..." while a call runs; between calls
// "Dorvantix - Not Connected", followed by how many calls wait to be saved while any do.
class TrayTipDisplay final : public CallDisplay {
public:
    void showCall(std::int32_t seconds, const QString& costText) override;
    void showNotConnected() override;
    // `text` says how many calls wait ("2 calls not saved yet"); empty when none does.
    void showUnsaved(const QString& text);

    TCoolTrayIcon* tray = nullptr;

private:
    bool inCall_ = false;
    QString unsaved_;
};

} // namespace dvx
