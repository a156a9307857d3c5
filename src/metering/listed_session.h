#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "metering/session_row.h"
#include "metering/stored_session.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace dvx {

// The character that each byte of a single-byte code page stands for.
using CodePageCharacters = std::array<char16_t, 256>;

// A text of at most 50 characters kept in place as a log file holds a description: as the bytes
// of its code page, read through the table of the page's characters.
class CodePageText {
public:
    static constexpr qsizetype kCapacity = 50;

    // The first kCapacity bytes of `bytes`; `characters` outlives the text.
    CodePageText(QByteArrayView bytes, const CodePageCharacters& characters);

    QByteArrayView bytes() const {
        return QByteArrayView(reinterpret_cast<const char*>(bytes_.data()), length_);
    }
    const CodePageCharacters& characters() const { return *characters_; }
    // The characters the bytes stand for, one per byte.
    QString text() const;

    bool operator==(const CodePageText& other) const { return text() == other.text(); }

private:
    const CodePageCharacters* characters_;
    std::uint8_t length_;
    std::array<unsigned char, kCapacity> bytes_; // those beyond the length are never read
};

// A session as a log file holds it: its start, description, seconds and charge as numbers.
struct LoggedSession {
    DateTime start = 0;
    CodePageText description;
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
