#include "ui/tray/status_notifier_status.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMetaMethod>
#include <QMetaProperty>

namespace dvx {

namespace {

const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kStatus = QStringLiteral("Status");

// Qt names the connection of its n-th tray icon after the program's process and n; a program
// with a single tray icon has made only a few of them (Qt may make one only to ask whether a
// tray is there).
constexpr int kQtIconsLookedAt = 32;

QString qtItemConnectionName(int instance) {
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(instance);
}

// The adaptor through which Qt's object answers for the item, or null when it is not there.
QObject* itemAdaptorOf(QObject* item) {
    if (item == nullptr)
        return nullptr;
    const auto adaptors = item->findChildren<QDBusAbstractAdaptor*>(Qt::FindDirectChildrenOnly);
    for (QDBusAbstractAdaptor* adaptor : adaptors) {
        const QMetaObject* meta = adaptor->metaObject();
        const int info = meta->indexOfClassInfo("D-Bus Interface");
        if (info >= 0 && kItemInterface == QLatin1String(meta->classInfo(info).value()) &&
            meta->indexOfProperty("Status") >= 0)
            return adaptor;
    }
    return nullptr;
}

void answer(const QDBusConnection& connection, const QDBusMessage& message,
            const QVariantList& arguments = {}) {
    if (message.isReplyRequired())
        connection.send(message.createReply(arguments));
}

void refuse(const QDBusConnection& connection, const QDBusMessage& message, const char* error,
            const QString& text) {
    if (message.isReplyRequired())
        connection.send(message.createErrorReply(QLatin1String(error), text));
}

} // namespace

StatusNotifierStatus::StatusNotifierStatus(QObject* parent) : QDBusVirtualObject(parent) {}

// Qt's item goes back to its place, as it was before.
StatusNotifierStatus::~StatusNotifierStatus() {
    if (!serving())
        return;
    QDBusConnection connection(connectionName_);
    connection.unregisterObject(kItemPath);
    if (itemAdaptor_)
        connection.registerObject(kItemPath, itemAdaptor_->parent());
}

bool StatusNotifierStatus::serving() const {
    if (connectionName_.isEmpty() || !itemAdaptor_)
        return false;
    const QDBusConnection connection(connectionName_);
    return connection.isConnected() && connection.objectRegisteredAt(kItemPath) == this;
}

void StatusNotifierStatus::follow() {
    if (refused_ || serving())
        return;
    for (int instance = 1; instance <= kQtIconsLookedAt; ++instance) {
        if (takeOver(qtItemConnectionName(instance)))
            return;
    }
}

// Should the bus connection refuse this in the item's place, Qt's item is put back and left
// alone from then on.
bool StatusNotifierStatus::takeOver(const QString& connectionName) {
    QDBusConnection connection(connectionName);
    if (!connection.isConnected())
        return false;
    QObject* item = connection.objectRegisteredAt(kItemPath);
    QObject* adaptor = itemAdaptorOf(item);
    if (adaptor == nullptr)
        return false;
    connection.unregisterObject(kItemPath);
    if (!connection.registerVirtualObject(kItemPath, this)) {
        connection.registerObject(kItemPath, item);
        refused_ = true;
        return false;
    }
    connectionName_ = connectionName;
    itemAdaptor_ = adaptor;
    relaySignalsOf(adaptor);
    if (needsAttention_)
        sendNewStatus();
    return true;
}

// Only the signals without arguments: the item's status is this one's, not Qt's.
void StatusNotifierStatus::relaySignalsOf(QObject* adaptor) {
    const QMetaObject* meta = adaptor->metaObject();
    const QMetaMethod relay = metaObject()->method(
        metaObject()->indexOfSlot(QMetaObject::normalizedSignature("relayItemSignal()")));
    for (int index = meta->methodOffset(); index < meta->methodCount(); ++index) {
        const QMetaMethod method = meta->method(index);
        if (method.methodType() == QMetaMethod::Signal && method.parameterCount() == 0)
            connect(adaptor, method, this, relay, Qt::UniqueConnection);
    }
}

void StatusNotifierStatus::relayItemSignal() {
    if (!serving() || sender() != itemAdaptor_)
        return;
    const QMetaMethod signal = sender()->metaObject()->method(senderSignalIndex());
    QDBusConnection(connectionName_)
        .send(QDBusMessage::createSignal(kItemPath, kItemInterface,
                                         QString::fromLatin1(signal.name())));
}

void StatusNotifierStatus::setNeedsAttention(bool needsAttention) {
    if (needsAttention == needsAttention_)
        return;
    needsAttention_ = needsAttention;
    if (serving())
        sendNewStatus();
}

QString StatusNotifierStatus::status() const {
    return needsAttention_ ? QStringLiteral("NeedsAttention") : QStringLiteral("Active");
}

void StatusNotifierStatus::sendNewStatus() {
    QDBusMessage signal =
        QDBusMessage::createSignal(kItemPath, kItemInterface, QStringLiteral("NewStatus"));
    signal << status();
    QDBusConnection(connectionName_).send(signal);
}

QString StatusNotifierStatus::introspect(const QString&) const {
    if (!itemAdaptor_)
        return {};
    const QMetaObject* meta = itemAdaptor_->metaObject();
    const int info = meta->indexOfClassInfo("D-Bus Introspection");
    return info < 0 ? QString() : QString::fromUtf8(meta->classInfo(info).value());
}

// Introspection and the bus's own questions are left to Qt.
bool StatusNotifierStatus::handleMessage(const QDBusMessage& message,
                                         const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (message.interface() == kPropertiesInterface) {
        answerProperties(message, connection);
        return true;
    }
    if (message.interface() == kItemInterface || message.interface().isEmpty()) {
        answerMethod(message, connection);
        return true;
    }
    return false;
}

void StatusNotifierStatus::answerProperties(const QDBusMessage& message,
                                            const QDBusConnection& connection) const {
    const QVariantList arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    if (interface != kItemInterface && !interface.isEmpty()) {
        refuse(connection, message, "org.freedesktop.DBus.Error.UnknownInterface",
               QStringLiteral("No interface %1 here").arg(interface));
    } else if (message.member() == QLatin1String("GetAll")) {
        answer(connection, message, {QVariant::fromValue(allProperties())});
    } else if (message.member() == QLatin1String("Get") && arguments.size() == 2) {
        const QVariant value = property(arguments.at(1).toString());
        if (value.isValid())
            answer(connection, message, {QVariant::fromValue(QDBusVariant(value))});
        else
            refuse(connection, message, "org.freedesktop.DBus.Error.UnknownProperty",
                   QStringLiteral("No property %1").arg(arguments.at(1).toString()));
    } else if (message.member() == QLatin1String("Set")) {
        refuse(connection, message, "org.freedesktop.DBus.Error.PropertyReadOnly",
               QStringLiteral("The item's properties are read-only"));
    } else {
        refuse(connection, message, "org.freedesktop.DBus.Error.UnknownMethod",
               QStringLiteral("No method %1").arg(message.member()));
    }
}

// The clicks and the scroll go to Qt's item, which tells the tray icon; nothing else of Qt's
// adaptor is called from the bus.
void StatusNotifierStatus::answerMethod(const QDBusMessage& message,
                                        const QDBusConnection& connection) {
    const QVariantList arguments = message.arguments();
    const QString member = message.member();
    const QByteArray name = member.toLatin1();
    const bool click = member == QLatin1String("Activate") ||
                       member == QLatin1String("SecondaryActivate") ||
                       member == QLatin1String("ContextMenu");
    const bool scroll = member == QLatin1String("Scroll");
    const auto argumentIs = [&arguments](int index, QMetaType::Type type) {
        return arguments.size() == 2 && arguments.at(index).typeId() == type;
    };
    bool done = false;
    if (itemAdaptor_ && click && argumentIs(0, QMetaType::Int) && argumentIs(1, QMetaType::Int))
        done = QMetaObject::invokeMethod(itemAdaptor_, name.constData(),
                                         Q_ARG(int, arguments.at(0).toInt()),
                                         Q_ARG(int, arguments.at(1).toInt()));
    else if (itemAdaptor_ && scroll && argumentIs(0, QMetaType::Int) &&
             argumentIs(1, QMetaType::QString))
        done = QMetaObject::invokeMethod(itemAdaptor_, name.constData(),
                                         Q_ARG(int, arguments.at(0).toInt()),
                                         Q_ARG(QString, arguments.at(1).toString()));
    if (done)
        answer(connection, message);
    else
        refuse(connection, message, "org.freedesktop.DBus.Error.UnknownMethod",
               QStringLiteral("No method %1 with these arguments").arg(member));
}

QVariant StatusNotifierStatus::property(const QString& name) const {
    if (name == kStatus)
        return status();
    if (!itemAdaptor_)
        return {};
    const QMetaObject* meta = itemAdaptor_->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < QDBusAbstractAdaptor::staticMetaObject.propertyCount())
        return {};
    return meta->property(index).read(itemAdaptor_);
}

QVariantMap StatusNotifierStatus::allProperties() const {
    QVariantMap all;
    if (itemAdaptor_) {
        const QMetaObject* meta = itemAdaptor_->metaObject();
        for (int index = QDBusAbstractAdaptor::staticMetaObject.propertyCount();
             index < meta->propertyCount(); ++index)
            all.insert(QString::fromLatin1(meta->property(index).name()),
                       meta->property(index).read(itemAdaptor_));
    }
    all.insert(kStatus, status());
    return all;
}

} // namespace dvx
