#include "metering/time_pattern.h"

#include "metering/pattern_directives.h"
#include "metering/pattern_reader.h"

#include <vector>

namespace dvx {

namespace {

QString paddedNumber(int value, Padding padding, int width) {
    switch (padding) {
    case Padding::Zero:
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    case Padding::Space:
        return QStringLiteral("%1").arg(value, width);
    case Padding::None:
        break;
    }
    return QString::number(value);
}

// Sunday first, as the names are kept.
std::size_t weekdayIndex(const QDate& date) {
    return static_cast<std::size_t>(date.dayOfWeek() % 7);
}

QString writtenPiece(const PatternToken& token, const QDate& date, const QTime& time,
                     const RegionalSettings& rs) {
    const std::size_t month = static_cast<std::size_t>(date.month() - 1);
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    switch (token.field) {
    case PatternField::Literal:
    case PatternField::Blank:
        return token.text;
    case PatternField::Day:
        return paddedNumber(date.day(), token.padding, 2);
    case PatternField::Month:
        return paddedNumber(date.month(), token.padding, 2);
    case PatternField::MonthName:
        return rs.names.months.at(month);
    case PatternField::AbbreviatedMonthName:
        return rs.names.abbreviatedMonths.at(month);
    case PatternField::Weekday:
        return rs.names.weekdays.at(weekdayIndex(date));
    case PatternField::AbbreviatedWeekday:
        return rs.names.abbreviatedWeekdays.at(weekdayIndex(date));
    case PatternField::Year:
        return paddedNumber(date.year(), token.padding, 4);
    case PatternField::Century:
        return paddedNumber(date.year() / 100, token.padding, 2);
    case PatternField::Hour:
        return paddedNumber(time.hour(), token.padding, 2);
    case PatternField::Hour12:
        return paddedNumber(hour12, token.padding, 2);
    case PatternField::Minute:
        return paddedNumber(time.minute(), token.padding, 2);
    case PatternField::Second:
        return paddedNumber(time.second(), token.padding, 2);
    case PatternField::Marker:
        return time.hour() < 12 ? rs.amText : rs.pmText;
    case PatternField::LowerMarker:
        return (time.hour() < 12 ? rs.amText : rs.pmText).toLower();
    }
    return {};
}

// The compiled form of a pattern, compiled once: the few patterns in use (the regional date and
// time patterns and the plain forms a time is also read in) are kept, per thread.
template <CompiledPattern (*compile)(const QString&, const QString&)>
const CompiledPattern& compiledOnce(const QString& pattern) {
    struct Kept {
        QString pattern;
        CompiledPattern compiled;
    };
    constexpr std::size_t kKept = 8;
    thread_local std::vector<Kept> kept;
    for (const Kept& k : kept) {
        if (k.pattern == pattern)
            return k.compiled;
    }
    if (kept.size() == kKept)
        kept.erase(kept.begin());
    kept.push_back({pattern, compile(pattern, QString())});
    return kept.back().compiled;
}

CompiledPattern compileDate(const QString& pattern, const QString&) {
    return CompileDatePattern(pattern);
}

const CompiledPattern& datePattern(const QString& pattern) {
    return compiledOnce<compileDate>(pattern);
}

const CompiledPattern& timePattern(const QString& pattern) {
    return compiledOnce<CompileTimePattern>(pattern);
}

QString writePattern(const CompiledPattern& pattern, const QDate& date, const QTime& time,
                     const RegionalSettings& rs) {
    QString text;
    for (const PatternToken& token : pattern)
        text += writtenPiece(token, date, time, rs);
    return text;
}

} // namespace

QString PlainDatePattern(const QString& pattern) {
    return PatternText(CompileDatePattern(pattern));
}

QString PlainTimePattern(const QString& pattern, const QString& twelveHourPattern) {
    return PatternText(CompileTimePattern(pattern, twelveHourPattern));
}

QString QtTimeFormat(const QString& timePattern) {
    return QtFormat(CompileTimePattern(timePattern));
}

QString formatDatePattern(const QString& pattern, const QDate& date, const RegionalSettings& rs) {
    return writePattern(datePattern(pattern), date, QTime(0, 0), rs);
}

QString formatTimePattern(const QString& pattern, const QTime& time, const RegionalSettings& rs) {
    return writePattern(timePattern(pattern), QDate(1899, 12, 30), time, rs);
}

std::optional<QDate> parseDatePrefix(const QString& pattern, QStringView text,
                                     const RegionalSettings& rs, QStringView& rest) {
    return ReadDate(datePattern(pattern), text, rs, rest);
}

std::optional<QTime> parseTimePattern(const QString& pattern, QStringView text,
                                      const RegionalSettings& rs) {
    return ReadTime(timePattern(pattern), text.trimmed(), rs);
}

} // namespace dvx
