#include "metering/time_pattern.h"

#include "metering/padded_number.h"
#include "metering/pattern_directives.h"
#include "metering/pattern_reader.h"

#include <vector>

namespace dvx {

namespace {

// A number of a date or time padded as its directive asks.
void appendField(QString& text, int value, Padding padding, int width) {
    switch (padding) {
    case Padding::Zero:
        return appendNumber(text, value, width, QLatin1Char('0'));
    case Padding::Space:
        return appendNumber(text, value, width, QLatin1Char(' '));
    case Padding::None:
        break;
    }
    appendNumber(text, value);
}

// Sunday first, as the names are kept.
std::size_t weekdayIndex(const QDate& date) {
    return static_cast<std::size_t>(date.dayOfWeek() % 7);
}

// The moment a pattern is written for, its date taken apart once.
struct WrittenMoment {
    WrittenMoment(const QDate& date, const QTime& time) : date(date), time(time) {
        date.getDate(&year, &month, &day);
    }

    QDate date;
    QTime time;
    int year = 0;
    int month = 0;
    int day = 0;
};

void appendPiece(QString& text, const PatternToken& token, const WrittenMoment& moment,
                 const RegionalSettings& rs) {
    const QTime& time = moment.time;
    const std::size_t month = static_cast<std::size_t>(moment.month - 1);
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    switch (token.field) {
    case PatternField::Literal:
    case PatternField::Blank:
        text += token.text;
        return;
    case PatternField::Day:
        return appendField(text, moment.day, token.padding, 2);
    case PatternField::Month:
        return appendField(text, moment.month, token.padding, 2);
    case PatternField::MonthName:
        text += rs.names.months.at(month);
        return;
    case PatternField::AbbreviatedMonthName:
        text += rs.names.abbreviatedMonths.at(month);
        return;
    case PatternField::Weekday:
        text += rs.names.weekdays.at(weekdayIndex(moment.date));
        return;
    case PatternField::AbbreviatedWeekday:
        text += rs.names.abbreviatedWeekdays.at(weekdayIndex(moment.date));
        return;
    case PatternField::Year:
        return appendField(text, moment.year, token.padding, 4);
    case PatternField::Century:
        return appendField(text, moment.year / 100, token.padding, 2);
    case PatternField::Hour:
        return appendField(text, time.hour(), token.padding, 2);
    case PatternField::Hour12:
        return appendField(text, hour12, token.padding, 2);
    case PatternField::Minute:
        return appendField(text, time.minute(), token.padding, 2);
    case PatternField::Second:
        return appendField(text, time.second(), token.padding, 2);
    case PatternField::Marker:
        text += time.hour() < 12 ? rs.amText : rs.pmText;
        return;
    case PatternField::LowerMarker:
        text += (time.hour() < 12 ? rs.amText : rs.pmText).toLower();
        return;
    }
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

void writePattern(QString& text, const CompiledPattern& pattern, const QDate& date,
                  const QTime& time, const RegionalSettings& rs) {
    const WrittenMoment moment(date, time);
    for (const PatternToken& token : pattern)
        appendPiece(text, token, moment, rs);
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
    QString text;
    text.reserve(32);
    writePattern(text, datePattern(pattern), date, QTime(0, 0), rs);
    return text;
}

QString formatTimePattern(const QString& pattern, const QTime& time, const RegionalSettings& rs) {
    QString text;
    appendTimePattern(text, pattern, time, rs);
    return text;
}

void appendTimePattern(QString& text, const QString& pattern, const QTime& time,
                       const RegionalSettings& rs) {
    writePattern(text, timePattern(pattern), QDate(1899, 12, 30), time, rs);
}

QList<WrittenPiece> timePatternPieces(const QString& pattern, const QTime& time,
                                      const RegionalSettings& rs) {
    const WrittenMoment moment(QDate(1899, 12, 30), time);
    QList<WrittenPiece> pieces;
    QString text;
    for (const PatternToken& token : timePattern(pattern)) {
        const qsizetype start = text.size();
        appendPiece(text, token, moment, rs);
        pieces.append({token.field, start, text.size() - start});
    }
    return pieces;
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
