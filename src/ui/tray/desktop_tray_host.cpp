#include "ui/tray/desktop_tray_host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMetaObject>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace dvx {

namespace {

// A watcher that does not answer within this time is taken as no host.
constexpr int kAnswerMs = 2000;

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

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

namespace {

xcb_connection_t* x11Connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t* connection, const QByteArray& name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr));
    return atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The name of the tray selection of the display's screen.
QByteArray traySelectionName() {
    return "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenOfDisplayName(qgetenv("DISPLAY")));
}

// Asks the display to tell the program when the window is destroyed, keeping whatever else
// the program asked of it.
void watchDestruction(xcb_connection_t* connection, xcb_window_t window) {
    const std::unique_ptr<xcb_get_window_attributes_reply_t, FreeReply> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr));
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

} // namespace

DesktopTrayHost::DesktopTrayHost(QObject* parent)
    : QObject(parent), hostRegistered_(StatusNotifierHostRegistered()) {
    watchStatusNotifierWatcher();
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installNativeEventFilter(this);
    xembedTrayThere();
}

DesktopTrayHost::~DesktopTrayHost() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}

void DesktopTrayHost::settleKind() {
    settled_ = true;
    statusNotifier_ = hostRegistered_ = StatusNotifierHostRegistered();
}

bool DesktopTrayHost::present() {
    askStatusNotifierHost();
    if (settled_)
        return statusNotifier_ ? hostRegistered_ : xembedTrayThere();
    return hostRegistered_ || xembedTrayThere();
}

void DesktopTrayHost::useAtomsOf(xcb_connection_t* connection) {
    if (atomsConnection_ == connection)
        return;
    atomsConnection_ = connection;
    traySelection_ = XCB_ATOM_NONE;
    managerAtom_ = XCB_ATOM_NONE;
}

quint32 DesktopTrayHost::traySelection(xcb_connection_t* connection) {
    useAtomsOf(connection);
    if (traySelection_ == XCB_ATOM_NONE)
        traySelection_ = atomNamed(connection, traySelectionName());
    return traySelection_;
}

quint32 DesktopTrayHost::managerAtom(xcb_connection_t* connection) {
    useAtomsOf(connection);
    if (managerAtom_ == XCB_ATOM_NONE)
        managerAtom_ = atomNamed(connection, "MANAGER");
    return managerAtom_;
}

quint32 DesktopTrayHost::xembedTrayManager() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr)
        return XCB_NONE;
    const xcb_atom_t selection = traySelection(connection);
    if (selection == XCB_ATOM_NONE)
        return XCB_NONE;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr));
    return owner ? owner->owner : xcb_window_t(XCB_NONE);
}

// A tray manager found is watched for its end.
bool DesktopTrayHost::xembedTrayThere() {
    const quint32 manager = xembedTrayManager();
    if (manager != XCB_NONE && manager != watchedManager_)
        watchDestruction(x11Connection(), manager);
    watchedManager_ = manager;
    return manager != XCB_NONE;
}

bool DesktopTrayHost::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & ~0x80;
    if (kind == XCB_CLIENT_MESSAGE) {
        const auto* said = static_cast<const xcb_client_message_event_t*>(message);
        xcb_connection_t* connection = x11Connection();
        if (connection != nullptr && said->format == 32 && said->type == managerAtom(connection) &&
            said->data.data32[1] == traySelection(connection))
            tellChange();
    } else if (kind == XCB_DESTROY_NOTIFY) {
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (watchedManager_ != XCB_NONE && destroyed->window == watchedManager_) {
            watchedManager_ = XCB_NONE;
            tellChange();
        }
    }
    return false;
}

// Told once the event that brought the news is handled, never from inside it.
void DesktopTrayHost::tellChange() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (changed_)
                changed_();
        },
        Qt::QueuedConnection);
}

void DesktopTrayHost::watchStatusNotifierWatcher() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto* watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                            QDBusServiceWatcher::WatchForRegistration |
                                                QDBusServiceWatcher::WatchForUnregistration,
                                            this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &DesktopTrayHost::statusNotifierHostsChanged);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &DesktopTrayHost::statusNotifierHostsChanged);
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
                    QLatin1String(signal), this, SLOT(statusNotifierHostsChanged()));
}

void DesktopTrayHost::statusNotifierHostsChanged() {
    askStatusNotifierHost();
}

// An answer that differs from the last one is a change.
void DesktopTrayHost::askStatusNotifierHost() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (pending_ != nullptr || !bus.isConnected())
        return;
    pending_ =
        new QDBusPendingCallWatcher(bus.asyncCall(hostRegisteredQuestion(), kAnswerMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const bool registered = saysRegistered(call->reply());
                call->deleteLater();
                pending_ = nullptr;
                if (registered != hostRegistered_) {
                    hostRegistered_ = registered;
                    tellChange();
                }
            });
}

} // namespace dvx
