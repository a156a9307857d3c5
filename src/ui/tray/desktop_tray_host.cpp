#include "ui/tray/desktop_tray_host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QSystemTrayIcon>

namespace dvx {

namespace {

// A watcher that does not answer within this time is taken as no host.
constexpr int kAnswerMs = 2000;

QDBusMessage hostRegisteredQuestion() {
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question << QStringLiteral("org.kde.StatusNotifierWatcher")
             << QStringLiteral("IsStatusNotifierHostRegistered");
    return question;
}

bool saysRegistered(const QDBusMessage& answer) {
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return false;
    return answer.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

} // namespace

bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    return saysRegistered(bus.call(hostRegisteredQuestion(), QDBus::Block, kAnswerMs));
}

DesktopTrayHost::DesktopTrayHost(QObject* parent)
    : QObject(parent), statusNotifier_(StatusNotifierHostRegistered()),
      hostRegistered_(statusNotifier_) {}

bool DesktopTrayHost::present() {
    if (!statusNotifier_)
        return QSystemTrayIcon::isSystemTrayAvailable();
    askStatusNotifierHost();
    return hostRegistered_;
}

void DesktopTrayHost::askStatusNotifierHost() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (pending_ != nullptr || !bus.isConnected())
        return;
    pending_ =
        new QDBusPendingCallWatcher(bus.asyncCall(hostRegisteredQuestion(), kAnswerMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                hostRegistered_ = saysRegistered(call->reply());
                call->deleteLater();
                pending_ = nullptr;
            });
}

} // namespace dvx
