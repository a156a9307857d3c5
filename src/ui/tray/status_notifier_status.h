#pragma once

#include <QDBusVirtualObject>
#include <QPointer>
#include <QString>

namespace dvx {

// The status of the program's item on a StatusNotifier tray: "Active", or "NeedsAttention"
// while something waits for the user, announced to the tray with the item's NewStatus signal.
//
// Qt's own item has no way to ask for attention: its status is always "Active" but for the few
// seconds after a tray message, which would also send a desktop notification of its own. So
// once Qt has put its item on the bus, this takes the item's place at its path on Qt's
// connection: it answers every property as Qt's item does (read from Qt's adaptor) but the
// status, hands the clicks to Qt's item, and sends on the item's other signals. The menu at
// its own path stays Qt's. Should Qt's item not be found as expected, Qt's item stays as it
// is and only the status never changes.
class StatusNotifierStatus final : public QDBusVirtualObject {
    Q_OBJECT

public:
    explicit StatusNotifierStatus(QObject* parent = nullptr);
    ~StatusNotifierStatus() override;

    // Takes Qt's item's place if Qt has put (or put again) an item on the bus since last time.
    // Called whenever the tray icon may have been shown.
    void follow();
    // Whether this answers for the item now.
    bool serving() const;

    void setNeedsAttention(bool needsAttention);
    QString status() const;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private slots:
    // Sends on a signal of Qt's item, which no longer reaches the bus by itself.
    void relayItemSignal();

private:
    bool takeOver(const QString& connectionName);
    void relaySignalsOf(QObject* adaptor);
    void sendNewStatus();
    void answerProperties(const QDBusMessage& message, const QDBusConnection& connection) const;
    void answerMethod(const QDBusMessage& message, const QDBusConnection& connection);
    QVariant property(const QString& name) const;
    QVariantMap allProperties() const;

    QString connectionName_;
    QPointer<QObject> itemAdaptor_; // Qt's adaptor that answers for its item
    bool needsAttention_ = false;
    bool refused_ = false; // Qt's connection would not take this in its item's place
};

} // namespace dvx
