#include "metering/stored_session.h"

namespace dvx {

StoredSession::StoredSession(const QString& start, const QString& description,
                             std::optional<std::int32_t> seconds, const QString& cost)
    : seconds_(seconds) {
    pack(start, description, cost);
}

QString StoredSession::start() const {
    return text(0, startBytes_);
}

QString StoredSession::description() const {
    return text(startBytes_, descriptionBytes_);
}

QString StoredSession::cost() const {
    const qsizetype from = qsizetype(startBytes_) + descriptionBytes_;
    return text(from, texts_.size() - from);
}

void StoredSession::setDescription(const QString& description) {
    pack(start(), description, cost());
}

void StoredSession::stopBeforeDuration() {
    seconds_.reset();
    stopBeforeCost();
}

void StoredSession::stopBeforeCost() {
    pack(start(), description(), QString());
}

void StoredSession::pack(const QString& start, const QString& description, const QString& cost) {
    const QByteArray startBytes = start.toUtf8();
    const QByteArray descriptionBytes = description.toUtf8();
    const QByteArray costBytes = cost.toUtf8();
    texts_.clear();
    texts_.reserve(startBytes.size() + descriptionBytes.size() + costBytes.size());
    texts_.append(startBytes).append(descriptionBytes).append(costBytes);
    texts_.squeeze();
    startBytes_ = std::uint32_t(startBytes.size());
    descriptionBytes_ = std::uint32_t(descriptionBytes.size());
}

QString StoredSession::text(qsizetype from, qsizetype size) const {
    return QString::fromUtf8(texts_.constData() + from, size);
}

} // namespace dvx
