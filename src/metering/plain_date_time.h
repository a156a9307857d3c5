#pragma once

#include "metering/date_time.h"
#include "metering/regional_settings.h"

#include <QStringView>
#include <optional>

namespace dvx {

// The moment of a date-and-time text read straight from its characters: the quick way for the
// texts that DateTimeText writes with regional patterns of numbers, fixed text and blanks alone
// ("%d/%m/%Y", "%H:%M:%S", "%Y. %m. %d.", "kl. %H.%M.%S"). It reads a text only where it has
// that plain shape (numbers of ASCII digits, the year with four of them, fixed text as
// written, the seconds there) and otherwise gives nothing, leaving the text to the lenient
// reader (ReadDateTimeText), which gives the same moment for every text read here.
std::optional<DateTime> ReadPlainDateTime(QStringView text, const RegionalSettings& rs);

} // namespace dvx
