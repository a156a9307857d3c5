#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace dvx {

// What one piece of a compiled date or time pattern stands for.
enum class PatternField : std::uint8_t {
    Literal, // text written as it stands and matched with case ignored
    Blank,   // blanks written as they stand; any run of blanks, or none, matches them
    Day,
    Month,
    MonthName,
    AbbreviatedMonthName,
    Weekday,
    AbbreviatedWeekday,
    Year,    // always written with four digits
    Century, // the year's hundreds, written but not needed to read a date back
    Hour,
    Hour12,
    Minute,
    Second,
    Marker,      // the locale's AM or PM word
    LowerMarker, // the same word in lower case
};

// How a number is filled up to its width (two digits, four for the year).
enum class Padding : std::uint8_t { Zero, Space, None };

struct PatternToken {
    PatternField field = PatternField::Literal;
    Padding padding = Padding::Zero;
    QString text; // of a literal or a blank

    friend bool operator==(const PatternToken&, const PatternToken&) = default;
};

using CompiledPattern = QList<PatternToken>;

// strftime patterns as the C library's locales spell their dates and times, turned into the
// pieces that are written and read. Every directive of one table is either a field written and
// read back, or normalised on purpose: composites (%D %F %T %R %r) are expanded, the year is
// always four digits (%y, and a century followed by a year, make %Y), alternative digits and
// era forms (%O..., %E...) are the plain ones, and a time zone (%Z %z) is left out together
// with the blank before it. Unknown directives are left out.
CompiledPattern CompileDatePattern(const QString& pattern);
// As CompileDatePattern; %r is the locale's 12-hour pattern (given, else "%I:%M:%S %p"). A time
// always carries seconds: where minutes have none, they follow with the separator that stands
// before the minutes. A 12-hour hour without an AM/PM word gets one after it.
CompiledPattern CompileTimePattern(const QString& pattern, const QString& twelveHourPattern = {});

// The directives of a pattern that the table does not know ("%j"); compiling leaves them out.
QStringList UnknownDirectives(const QString& pattern);

// The pattern text of compiled pieces; it compiles to the same pieces again.
QString PatternText(const CompiledPattern& pattern);
// The Qt display format of compiled pieces ("HH:mm:ss AP"), literal text quoted.
QString QtFormat(const CompiledPattern& pattern);

} // namespace dvx
