#include "ui/tray/desktop_tray_host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

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

namespace {

// The screen number of the display's name (":0.1" is screen 1), 0 when it names none.
int screenOfDisplayName(const QByteArray& name) {
    const qsizetype colon = name.lastIndexOf(':');
    const qsizetype dot = name.indexOf('.', colon < 0 ? 0 : colon);
    return dot < 0 ? 0 : name.mid(dot + 1).toInt();
}

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

} // namespace

bool XEmbedTrayManaged() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return false;
    // The program keeps one connection to one display: the selection's atom is asked for once.
    static xcb_atom_t selection = XCB_ATOM_NONE;
    if (selection == XCB_ATOM_NONE) {
        const QByteArray name =
            "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenOfDisplayName(qgetenv("DISPLAY")));
        const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr));
        if (!atom)
            return false;
        selection = atom->atom;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr));
    return owner && owner->owner != XCB_NONE;
}

DesktopTrayHost::DesktopTrayHost(QObject* parent)
    : QObject(parent), hostRegistered_(StatusNotifierHostRegistered()) {}

void DesktopTrayHost::settleKind() {
    settled_ = true;
    statusNotifier_ = hostRegistered_ = StatusNotifierHostRegistered();
}

bool DesktopTrayHost::present() {
    askStatusNotifierHost();
    if (settled_)
        return statusNotifier_ ? hostRegistered_ : XEmbedTrayManaged();
    return hostRegistered_ || XEmbedTrayManaged();
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
