#pragma once

#include "metering/pattern_directives.h"
#include "metering/regional_settings.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace dvx {

// The regional date and time patterns (strftime-like, as the C library's locales spell them),
// written and read back through one table of directives (pattern_directives.h).

// The plain form of a locale's date pattern, and of its time pattern (`twelveHourPattern` is
// what %r stands for): the form the regional settings hold, written and read by the functions
// below, e.g. "%d. %b %Y", "kl. %H.%M.%S", "%I:%M:%S %p".
QString PlainDatePattern(const QString& pattern);
QString PlainTimePattern(const QString& pattern, const QString& twelveHourPattern = {});
// The time picker's display format of a time pattern ("HH:mm:ss", "hh:mm:ss AP").
QString QtTimeFormat(const QString& timePattern);

QString formatDatePattern(const QString& pattern, const QDate& date, const RegionalSettings& rs);
QString formatTimePattern(const QString& pattern, const QTime& time, const RegionalSettings& rs);
// The same, written at the end of `text`.
void appendTimePattern(QString& text, const QString& pattern, const QTime& time,
                       const RegionalSettings& rs);

// Where each piece of a time text stands in the text written for `time`: the field it shows, and
// its first character and length. A picker uses it to edit one field at a time.
struct WrittenPiece {
    PatternField field = PatternField::Literal;
    qsizetype start = 0;
    qsizetype length = 0;
};
QList<WrittenPiece> timePatternPieces(const QString& pattern, const QTime& time,
                                      const RegionalSettings& rs);

// Reads a whole time text by a pattern; nothing is returned when the text does not match it or
// names no valid time. Reading is lenient: blanks may be more or fewer than written,
// numbers may lack their padding, names and AM/PM words and literal text match in any case, a
// month may be named in any of its forms, and a weekday name, or the seconds together with the
// separator before them, may be missing.
std::optional<QTime> parseTimePattern(const QString& pattern, QStringView text,
                                      const RegionalSettings& rs);

// Reads the beginning of a text that a date pattern accepts, as leniently; the rest is left in
// `rest`. Nothing is returned when no valid date begins the text.
std::optional<QDate> parseDatePrefix(const QString& pattern, QStringView text,
                                     const RegionalSettings& rs, QStringView& rest);

} // namespace dvx
