#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "metering/session_row.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace dvx {

// A session as the store holds it: the texts it was recorded with and its whole seconds. A row
// that stopped before its duration has no seconds; one that stopped before its cost has an
// empty cost.
struct StoredSession {
    QString start; // date-and-time text
    QString description;
    std::optional<std::int32_t> seconds;
    QString cost; // money text

    bool operator==(const StoredSession&) const = default;
};

// A text of at most 50 characters kept in place, as a log file's description is.
class ShortText {
public:
    static constexpr qsizetype kCapacity = 50;

    ShortText() = default;
    // The first kCapacity characters of `text`.
    explicit ShortText(QStringView text);

    QStringView view() const { return QStringView(characters_.data(), length_); }
    QString text() const { return view().toString(); }
    // Room for `length` characters (at most kCapacity), to be written through data().
    char16_t* resize(qsizetype length);

    bool operator==(const ShortText& other) const { return view() == other.view(); }

private:
    std::array<char16_t, kCapacity> characters_{};
    std::uint8_t length_ = 0;
};

// A session as a log file holds it: its start, description, seconds and charge as numbers.
struct LoggedSession {
    DateTime start = 0;
    ShortText description;
    std::int32_t seconds = 0;
    Currency cost;

    bool operator==(const LoggedSession&) const = default;
};

// One row of the session list as it is kept: the values of a session as they were read, from
// the store or from a log file, or the texts themselves. The texts shown are made from them
// only when they are asked for.
using ListedSession = std::variant<SessionRow, StoredSession, LoggedSession>;
using ListedSessions = QList<ListedSession>;

// The Date, Description, Duration and Cost texts that the row shows.
SessionRow SessionRowTexts(const ListedSession& session, const RegionalSettings& rs);

} // namespace dvx
