#include "metering/plain_date_time.h"

#include "metering/pattern_directives.h"

#include <algorithm>

namespace dvx {

namespace {

// Whether the lenient reader reads this piece as plain: fixed text, a run of blanks, or a number.
// Names, AM/PM words, a 12-hour hour and a century are left to it.
bool isPlainPiece(const PatternToken& token) {
    switch (token.field) {
    case PatternField::Literal:
    case PatternField::Blank:
    case PatternField::Day:
    case PatternField::Month:
    case PatternField::Year:
    case PatternField::Hour:
    case PatternField::Minute:
    case PatternField::Second:
        return true;
    default:
        return false;
    }
}

// A compiled pattern made only of plain pieces, or nothing.
std::optional<CompiledPattern> plainPatternOf(CompiledPattern pattern) {
    if (!std::all_of(pattern.cbegin(), pattern.cend(), isPlainPiece))
        return std::nullopt;
    return pattern;
}

// The plain forms of the regional patterns, made again only when the patterns change.
struct PlainPatterns {
    QString dateFormat;
    QString timeFormat;
    std::optional<CompiledPattern> date;
    std::optional<CompiledPattern> time;
};

// Whether two texts are the same, at once where they share their characters.
bool sameText(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

const PlainPatterns& plainPatterns(const RegionalSettings& rs) {
    thread_local std::optional<PlainPatterns> kept;
    if (!kept || !sameText(kept->dateFormat, rs.shortDateFormat) ||
        !sameText(kept->timeFormat, rs.longTimeFormat))
        kept = PlainPatterns{rs.shortDateFormat, rs.longTimeFormat,
                             plainPatternOf(CompileDatePattern(rs.shortDateFormat)),
                             plainPatternOf(CompileTimePattern(rs.longTimeFormat))};
    return *kept;
}

// As the lenient reader starts them: no date, and midnight.
struct Fields {
    int day = -1;
    int month = -1;
    int year = -1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Walks a text by plain pieces, a step at a time as the lenient reader does, and stops where
// that reader would read anything else than the plain shape.
class PlainWalker {
public:
    explicit PlainWalker(QStringView text) : text_(text) {}

    bool walk(const CompiledPattern& pattern, Fields& fields) {
        for (const PatternToken& piece : pattern) {
            if (!step(piece, fields))
                return false;
        }
        return true;
    }

    QStringView rest() const { return text_.mid(pos_); }

private:
    bool step(const PatternToken& piece, Fields& fields) {
        switch (piece.field) {
        case PatternField::Literal:
            return fixedText(piece.text);
        case PatternField::Blank:
            skipBlanks();
            return true;
        case PatternField::Day:
            return number(2, fields.day) > 0;
        case PatternField::Month:
            return number(2, fields.month) > 0;
        case PatternField::Year:
            return number(4, fields.year) == 4;
        case PatternField::Hour:
            return number(2, fields.hour) > 0;
        case PatternField::Minute:
            return number(2, fields.minute) > 0;
        case PatternField::Second:
            return number(2, fields.second) > 0;
        default:
            return false;
        }
    }

    void skipBlanks() {
        while (pos_ < text_.size() && text_.at(pos_).isSpace())
            ++pos_;
    }

    // Fixed text exactly as written; other cases of its letters are left to the lenient reader.
    bool fixedText(QStringView fixed) {
        if (text_.size() - pos_ < fixed.size() ||
            !std::equal(fixed.begin(), fixed.end(), text_.begin() + pos_))
            return false;
        pos_ += fixed.size();
        return true;
    }

    // The count of ASCII digits read, up to `maxDigits`, after any blanks; 0 where a digit of
    // another script would be read with them.
    int number(int maxDigits, int& value) {
        skipBlanks();
        int digits = 0;
        value = 0;
        for (; digits < maxDigits && pos_ < text_.size(); ++digits, ++pos_) {
            const char16_t unit = text_.at(pos_).unicode();
            if (unit < u'0' || unit > u'9')
                break;
            value = value * 10 + (unit - u'0');
        }
        if (digits < maxDigits && pos_ < text_.size() && text_.at(pos_).isDigit())
            return 0;
        return digits;
    }

    QStringView text_;
    qsizetype pos_ = 0;
};

// Reads a date's fields from the beginning of a text, leaving what follows in `rest`.
bool readPlainDate(const CompiledPattern& pattern, QStringView text, Fields& fields,
                   QStringView& rest) {
    PlainWalker walker(text);
    if (!walker.walk(pattern, fields))
        return false;
    rest = walker.rest();
    return true;
}

// Reads a time's fields from the whole of a text.
bool readPlainTime(const CompiledPattern& pattern, QStringView text, Fields& fields) {
    PlainWalker walker(text);
    return walker.walk(pattern, fields) && walker.rest().trimmed().isEmpty() && fields.hour <= 23 &&
           fields.minute <= 59 && fields.second <= 59;
}

} // namespace

std::optional<DateTime> ReadPlainDateTime(QStringView text, const RegionalSettings& rs) {
    const PlainPatterns& patterns = plainPatterns(rs);
    Fields date;
    QStringView rest;
    if (!patterns.date || !readPlainDate(*patterns.date, text.trimmed(), date, rest))
        return std::nullopt;
    rest = rest.trimmed();
    Fields time;
    if (!rest.isEmpty() && (!patterns.time || !readPlainTime(*patterns.time, rest, time)))
        return std::nullopt;
    const std::optional<DateTime> day = encodeDate(date.year, date.month, date.day);
    if (!day || rest.isEmpty())
        return day;
    return *day + encodeTime(time.hour, time.minute, time.second);
}

} // namespace dvx
