#pragma once

#include "metering/regional_settings.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace dvx {

// strftime-like patterns of the regional date and time formats, written and read back.
// Known directives: %d %e %m %Y %H %I %M %S %p %%; anything else is copied literally.
QString formatDatePattern(const QString& pattern, const QDate& date);
QString formatTimePattern(const QString& pattern, const QTime& time, const RegionalSettings& rs);

// Reads a whole text by a pattern; nothing is returned when the text does not match it or
// names no valid date or time. Runs of blanks in the text match a blank of the pattern.
std::optional<QDate> parseDatePattern(const QString& pattern, QStringView text);
std::optional<QTime> parseTimePattern(const QString& pattern, QStringView text,
                                      const RegionalSettings& rs);

// Reads the longest beginning of a text that a date pattern accepts; the rest is left in `rest`.
std::optional<QDate> parseDatePrefix(const QString& pattern, QStringView text, QStringView& rest);

} // namespace dvx
