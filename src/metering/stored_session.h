#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace dvx {

// A session as the store holds it: the texts it was recorded with and its whole seconds. A row
// that stopped before its duration has no seconds; one that stopped before its cost has an
// empty cost. A long log holds a great many of them, so the three texts are kept together in one
// block, in UTF-8.
class StoredSession {
public:
    // `start` is a date-and-time text, `cost` a money text.
    StoredSession(const QString& start, const QString& description,
                  std::optional<std::int32_t> seconds, const QString& cost);

    QString start() const;
    QString description() const;
    std::optional<std::int32_t> seconds() const { return seconds_; }
    QString cost() const;

    void setDescription(const QString& description);
    // The row stops before its duration: no seconds, and no cost either.
    void stopBeforeDuration();
    // The row stops before its cost.
    void stopBeforeCost();

    bool operator==(const StoredSession&) const = default;

private:
    void pack(const QString& start, const QString& description, const QString& cost);
    QString text(qsizetype from, qsizetype size) const;

    QByteArray texts_;
    std::uint32_t startBytes_ = 0;
    std::uint32_t descriptionBytes_ = 0;
    std::optional<std::int32_t> seconds_;
};

} // namespace dvx
