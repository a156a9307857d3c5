#pragma once

#include "ui/tray/tray_host.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

class QDBusPendingCallWatcher;
struct xcb_connection_t;

namespace dvx {

// The tray of the desktop the program runs on: a StatusNotifier host on the session bus, or the
// XEmbed tray of the X display. Qt puts an icon on a StatusNotifier tray when, at the moment it
// makes its first icon, a StatusNotifier watcher on the session bus says a host is registered,
// and keeps to that choice; this asks the bus the same question when the icon is made. Until
// then it looks at both kinds without asking Qt, whose first answer would settle the choice.
// The bus is asked without waiting for the answer, so that a watcher that hangs never stops
// the program.
//
// It tells of a change as the desktop announces it: a tray manager that takes the display's
// tray selection (its MANAGER message to the root window), the window of the tray manager
// being destroyed, a StatusNotifier watcher coming onto or leaving the bus, and a host
// registered with it or gone.
class DesktopTrayHost final : public QObject, public TrayHost, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit DesktopTrayHost(QObject* parent = nullptr);
    ~DesktopTrayHost() override;

    void settleKind() override;
    bool statusNotifier() const override { return statusNotifier_; }
    // For a StatusNotifier host the last answer of the bus (a new question goes out each time),
    // for the XEmbed tray whether the display has a tray manager now.
    bool present() override;
    void onChange(std::function<void()> changed) override { changed_ = std::move(changed); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private slots:
    void statusNotifierHostsChanged();

private:
    void askStatusNotifierHost();
    void watchStatusNotifierWatcher();
    bool xembedTrayThere();
    // The window of the X display's tray manager, 0 when there is none or the program does not
    // run on X.
    quint32 xembedTrayManager();
    // The atoms that name the display's tray selection and a tray manager's MANAGER message,
    // each asked of the display once per connection.
    quint32 traySelection(xcb_connection_t* connection);
    quint32 managerAtom(xcb_connection_t* connection);
    void useAtomsOf(xcb_connection_t* connection);
    void tellChange();

    bool settled_ = false;
    bool statusNotifier_ = false;
    bool hostRegistered_ = false;
    QDBusPendingCallWatcher* pending_ = nullptr;
    quint32 watchedManager_ = 0; // the tray manager's window whose end is watched
    xcb_connection_t* atomsConnection_ = nullptr;
    quint32 traySelection_ = 0;
    quint32 managerAtom_ = 0;
    std::function<void()> changed_;
};

// Whether the session bus has a StatusNotifier watcher with a host registered, asked and
// answered at once (the question Qt asks before it makes a tray icon).
bool StatusNotifierHostRegistered();

} // namespace dvx
