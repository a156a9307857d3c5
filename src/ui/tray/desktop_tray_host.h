#pragma once

#include "ui/tray/tray_host.h"

#include <QObject>

class QDBusPendingCallWatcher;

namespace dvx {

// The tray of the desktop the program runs on. Qt puts the icon on a StatusNotifier tray when,
// at the moment the icon is made, a StatusNotifier watcher on the session bus says a host is
// registered; otherwise on the XEmbed tray of the X display, if any. This asks the bus the same
// question at its creation, which must come right before the icon's, and keeps asking without
// waiting for the answer, so that a watcher that hangs never stops the program.
class DesktopTrayHost final : public QObject, public TrayHost {
    Q_OBJECT

public:
    explicit DesktopTrayHost(QObject* parent = nullptr);

    bool statusNotifier() const override { return statusNotifier_; }
    // For a StatusNotifier tray the last answer of the bus (a new question goes out each time);
    // for the XEmbed tray whether the display has a tray manager now.
    bool present() override;

private:
    void askStatusNotifierHost();

    bool statusNotifier_ = false;
    bool hostRegistered_ = false;
    QDBusPendingCallWatcher* pending_ = nullptr;
};

// Whether the session bus has a StatusNotifier watcher with a host registered, asked and
// answered at once (the question Qt asks before it makes a tray icon).
bool StatusNotifierHostRegistered();

} // namespace dvx
