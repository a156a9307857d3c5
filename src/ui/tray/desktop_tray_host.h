#pragma once

#include "ui/tray/tray_host.h"

#include <QObject>

class QDBusPendingCallWatcher;

namespace dvx {

// The tray of the desktop the program runs on: a StatusNotifier host on the session bus, or the
// XEmbed tray of the X display. Qt puts an icon on a StatusNotifier tray when, at the moment it
// makes its first icon, a StatusNotifier watcher on the session bus says a host is registered,
// and keeps to that choice; this asks the bus the same question when the icon is made. Until
// then it looks at both kinds without asking Qt, whose first answer would settle the choice.
// The bus is asked without waiting for the answer, so that a watcher that hangs never stops
// the program.
class DesktopTrayHost final : public QObject, public TrayHost {
    Q_OBJECT

public:
    explicit DesktopTrayHost(QObject* parent = nullptr);

    void settleKind() override;
    bool statusNotifier() const override { return statusNotifier_; }
    // For a StatusNotifier host the last answer of the bus (a new question goes out each time),
    // for the XEmbed tray whether the display has a tray manager now.
    bool present() override;

private:
    void askStatusNotifierHost();

    bool settled_ = false;
    bool statusNotifier_ = false;
    bool hostRegistered_ = false;
    QDBusPendingCallWatcher* pending_ = nullptr;
};

// Whether the session bus has a StatusNotifier watcher with a host registered, asked and
// answered at once (the question Qt asks before it makes a tray icon).
bool StatusNotifierHostRegistered();

// Whether the X display the program runs on has a tray manager (an XEmbed tray); false on
// other platforms.
bool XEmbedTrayManaged();

} // namespace dvx
