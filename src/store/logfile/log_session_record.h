#pragma once

#include "metering/listed_session.h"
#include "metering/regional_settings.h"
#include "metering/session_row.h"
#include "store/logfile/log_file_record.h"
#include "store/logfile/windows1252.h"

#include <QString>
#include <variant>

namespace dvx {

// Whether a cost, or a sum of costs, in ten-thousandths lies within what a money text can show:
// at most 900 million million currency units either way.
bool isShowableCost(std::int64_t tenThousandths);

// A session's record as it is read from the session, before it is written: its start,
// duration and cost (the texts of `numbers` left empty), and the text of its description, as
// the characters of the session it was read from or as the code-page bytes it was loaded with.
struct LogSessionRecord {
    LogFileRecord numbers;
    std::variant<QString, CodePageText> description;
};

// The record of a session list row, read back from the row's texts: the Date by the regional
// date and time rules, the Duration as "<minutes>min, <ss>sec", the Cost from its digits and
// decimal separator (the sign is dropped). Fails with the conversion error of the first text
// that cannot be read, naming that text, and with "Integer overflow" for a duration beyond 32
// bits or a cost beyond what can be shown.
LogSessionRecord sessionRecordOf(const SessionRow& row, const RegionalSettings& rs);
// The record of a listed session: the same record as that of the texts the session shows,
// taken from its values where they give the same numbers without the texts.
LogSessionRecord sessionRecordOf(const ListedSession& session, const RegionalSettings& rs);
// Writes the bytes of a session's record, the product's name with it and the description cut
// to its first 50 characters, into every byte of `bytes`.
void encodeSessionRecord(const LogSessionRecord& record, const Windows1252& codePage,
                         LogRecordBytes& bytes);

// The session that a record's start, duration and cost (`numbers`) and its Description's bytes
// are listed as, its description read through `codePage`, which outlives it. Fails with "'%s' is
// not a valid date and time" when the start is no moment between the years 1 and 9999, and with
// "Integer overflow" for a cost beyond what can be shown.
LoggedSession loggedSessionOf(const LogFileRecord& numbers, QByteArrayView description,
                              const Windows1252& codePage);

} // namespace dvx
