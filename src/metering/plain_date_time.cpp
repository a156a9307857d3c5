#include "metering/plain_date_time.h"

#include "metering/pattern_directives.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dvx {

namespace {

// What one piece of a plain pattern reads: fixed text, a run of blanks, or a number.
enum class Step : std::uint8_t { Text, Blanks, Day, Month, Year, Hour, Minute, Second };

struct Piece {
    Step step = Step::Text;
    QString text; // of a Text step
};

using PlainPattern = std::vector<Piece>;

// The pieces of a compiled pattern, or nothing when it holds names, AM/PM words, a 12-hour
// hour or a century, which are left to the lenient reader.
std::optional<PlainPattern> plainPatternOf(const CompiledPattern& pattern) {
    PlainPattern plain;
    for (const PatternToken& token : pattern) {
        switch (token.field) {
        case PatternField::Literal:
            plain.push_back({Step::Text, token.text});
            break;
        case PatternField::Blank:
            plain.push_back({Step::Blanks, {}});
            break;
        case PatternField::Day:
            plain.push_back({Step::Day, {}});
            break;
        case PatternField::Month:
            plain.push_back({Step::Month, {}});
            break;
        case PatternField::Year:
            plain.push_back({Step::Year, {}});
            break;
        case PatternField::Hour:
            plain.push_back({Step::Hour, {}});
            break;
        case PatternField::Minute:
            plain.push_back({Step::Minute, {}});
            break;
        case PatternField::Second:
            plain.push_back({Step::Second, {}});
            break;
        default:
            return std::nullopt;
        }
    }
    return plain;
}

// The plain forms of the regional patterns, made again only when the patterns change.
struct PlainPatterns {
    QString dateFormat;
    QString timeFormat;
    std::optional<PlainPattern> date;
    std::optional<PlainPattern> time;
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

// The text without the blanks at either end, as QStringView::trimmed gives it.
QStringView trimmedText(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    return text.sliced(begin, end - begin);
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

    bool walk(const PlainPattern& pattern, Fields& fields) {
        for (const Piece& piece : pattern) {
            if (!step(piece, fields))
                return false;
        }
        return true;
    }

    QStringView rest() const { return text_.mid(pos_); }

private:
    bool step(const Piece& piece, Fields& fields) {
        switch (piece.step) {
        case Step::Text:
            return fixedText(piece.text);
        case Step::Blanks:
            skipBlanks();
            return true;
        case Step::Day:
            return number(2, fields.day) > 0;
        case Step::Month:
            return number(2, fields.month) > 0;
        case Step::Year:
            return number(4, fields.year) == 4;
        case Step::Hour:
            return number(2, fields.hour) > 0;
        case Step::Minute:
            return number(2, fields.minute) > 0;
        case Step::Second:
            return number(2, fields.second) > 0;
        }
        return false;
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
bool readPlainDate(const PlainPattern& pattern, QStringView text, Fields& fields,
                   QStringView& rest) {
    PlainWalker walker(text);
    if (!walker.walk(pattern, fields))
        return false;
    rest = walker.rest();
    return true;
}

// Reads a time's fields from the whole of a text.
bool readPlainTime(const PlainPattern& pattern, QStringView text, Fields& fields) {
    PlainWalker walker(text);
    return walker.walk(pattern, fields) && trimmedText(walker.rest()).isEmpty() &&
           fields.hour <= 23 && fields.minute <= 59 && fields.second <= 59;
}

} // namespace

std::optional<DateTime> ReadPlainDateTime(QStringView text, const RegionalSettings& rs) {
    const PlainPatterns& patterns = plainPatterns(rs);
    Fields date;
    QStringView rest;
    if (!patterns.date || !readPlainDate(*patterns.date, trimmedText(text), date, rest))
        return std::nullopt;
    rest = trimmedText(rest);
    Fields time;
    if (!rest.isEmpty() && (!patterns.time || !readPlainTime(*patterns.time, rest, time)))
        return std::nullopt;
    const std::optional<DateTime> day = encodeDate(date.year, date.month, date.day);
    if (!day || rest.isEmpty())
        return day;
    return *day + encodeTime(time.hour, time.minute, time.second);
}

} // namespace dvx
