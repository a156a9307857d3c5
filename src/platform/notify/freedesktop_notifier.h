#pragma once

#include "platform/notify/desktop_notifier.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>

class QDBusPendingCallWatcher;

namespace dvx {

// The freedesktop.org notification service (org.freedesktop.Notifications) on the session bus,
// reached at the first notification; a server the bus starts on demand is started as for any
// program. Every call is asynchronous: a desktop without the service, or without a session bus,
// costs a failed call answered later, and the program never waits. A notification carries the
// program's name and icon (by its theme name and as pixels, for a build that is not installed)
// and an action that opens the main window.
class FreedesktopNotifier final : public QObject, public DesktopNotifier {
    Q_OBJECT

public:
    // `iconName`: the icon's name in the desktop's icon theme; `icon`: its pixels.
    FreedesktopNotifier(QString applicationName, QString iconName, QImage icon);

    void notify(const DesktopNotification& notification) override;
    void setOpenHandler(std::function<void()> open) override;

    // The action key the open action is offered with.
    static constexpr char kOpenAction[] = "default";

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    bool connectToBus();
    void remember(QDBusPendingCallWatcher* watcher, const QString& kind);

    QString applicationName_;
    QString iconName_;
    QImage icon_;
    bool listening_ = false;
    std::function<void()> open_;
    // The notifications on the desktop now: their ids, and the latest id of each kind.
    QSet<uint> shown_;
    QHash<QString, uint> latestOfKind_;
};

} // namespace dvx
