#include "platform/notify/freedesktop_notifier.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

namespace dvx {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The server's own time: critical notifications stay until the user closes them.
constexpr int kServerDefaultTimeout = -1;

// The "image-data" hint: raw RGBA pixels, laid out as notification servers read them.
struct NotificationImage {
    int width = 0;
    int height = 0;
    int rowStride = 0;
    bool hasAlpha = true;
    int bitsPerSample = 8;
    int channels = 4;
    QByteArray data;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NotificationImage& image) {
    argument.beginStructure();
    argument << image.width << image.height << image.rowStride << image.hasAlpha
             << image.bitsPerSample << image.channels << image.data;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, NotificationImage& image) {
    argument.beginStructure();
    argument >> image.width >> image.height >> image.rowStride >> image.hasAlpha >>
        image.bitsPerSample >> image.channels >> image.data;
    argument.endStructure();
    return argument;
}

NotificationImage imageData(const QImage& icon) {
    const QImage pixels = icon.convertToFormat(QImage::Format_RGBA8888);
    NotificationImage image;
    image.width = pixels.width();
    image.height = pixels.height();
    image.rowStride = int(pixels.bytesPerLine());
    image.data = QByteArray(reinterpret_cast<const char*>(pixels.constBits()),
                            qsizetype(pixels.sizeInBytes()));
    return image;
}

uchar urgencyByte(DesktopNotification::Urgency urgency) {
    switch (urgency) {
    case DesktopNotification::Urgency::low:
        return 0;
    case DesktopNotification::Urgency::critical:
        return 2;
    default:
        return 1;
    }
}

} // namespace

} // namespace dvx

Q_DECLARE_METATYPE(dvx::NotificationImage)

namespace dvx {

FreedesktopNotifier::FreedesktopNotifier(QString applicationName, QString iconName, QImage icon)
    : applicationName_(std::move(applicationName)), iconName_(std::move(iconName)),
      icon_(std::move(icon)) {}

// Listens for the user's choices, from whichever server owns the name now or later.
bool FreedesktopNotifier::connectToBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!listening_) {
        qDBusRegisterMetaType<NotificationImage>();
        bus.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                    SLOT(onActionInvoked(uint, QString)));
        bus.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                    SLOT(onNotificationClosed(uint, uint)));
        listening_ = true;
    }
    return true;
}

void FreedesktopNotifier::notify(const DesktopNotification& notification) {
    if (!connectToBus())
        return;
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgencyByte(notification.urgency)));
    if (!QGuiApplication::desktopFileName().isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName());
    if (!icon_.isNull())
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(imageData(icon_)));
    const QStringList actions{QString::fromLatin1(kOpenAction), QStringLiteral("Show Main Window")};
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << applicationName_ << latestOfKind_.value(notification.kind, 0u) << iconName_
         << notification.summary << notification.body << actions << hints << kServerDefaultTimeout;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, kind = notification.kind] { remember(watcher, kind); });
}

void FreedesktopNotifier::setOpenHandler(std::function<void()> open) {
    open_ = std::move(open);
}

void FreedesktopNotifier::remember(QDBusPendingCallWatcher* watcher, const QString& kind) {
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError())
        return;
    shown_.insert(reply.value());
    if (!kind.isEmpty())
        latestOfKind_.insert(kind, reply.value());
}

void FreedesktopNotifier::onActionInvoked(uint id, const QString& action) {
    if (shown_.contains(id) && action == QLatin1String(kOpenAction) && open_)
        open_();
}

void FreedesktopNotifier::onNotificationClosed(uint id, uint) {
    shown_.remove(id);
    for (auto latest = latestOfKind_.begin(); latest != latestOfKind_.end();) {
        latest = latest.value() == id ? latestOfKind_.erase(latest) : std::next(latest);
    }
}

} // namespace dvx
