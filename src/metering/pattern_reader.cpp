#include "metering/pattern_reader.h"

#include "metering/digit_value.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace dvx {

namespace {

struct Fields {
    int day = -1;
    int month = -1;
    int year = -1;
    int hour = 0;
    int hour12 = -1;
    int minute = 0;
    int second = 0;
    int pm = -1; // -1 no marker, 0 am, 1 pm
};

// Whether a text begins with a literal, case ignored; the same character codes are compared
// first, as a literal usually stands in the text exactly as written.
bool beginsWith(QStringView text, QStringView literal) {
    if (text.size() >= literal.size() && std::equal(literal.begin(), literal.end(), text.begin()))
        return true;
    return text.startsWith(literal, Qt::CaseInsensitive);
}

// The longest of some names that begins a text, case ignored.
struct NameMatch {
    int index = -1;
    qsizetype length = 0;
};

template <typename Names> void matchLongest(QStringView text, const Names& names, NameMatch& best) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QStringView name = QStringView(names[i]).trimmed();
        if (name.size() > best.length && text.startsWith(name, Qt::CaseInsensitive))
            best = {static_cast<int>(i), name.size()};
    }
}

// Walks text and pattern together; on success `rest` holds what the pattern did not consume.
class PatternReader {
public:
    PatternReader(QStringView text, const RegionalSettings& rs) : text_(text), rs_(rs) {}

    bool read(const CompiledPattern& pattern, Fields& fields) {
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            if (isSecondsWithSeparator(pattern, i)) {
                readSeconds(pattern.at(i), fields);
                ++i;
            } else if (!readPiece(pattern.at(i), fields)) {
                return false;
            }
        }
        return true;
    }

    QStringView rest() const { return text_.mid(pos_); }

private:
    static bool isSecondsWithSeparator(const CompiledPattern& pattern, qsizetype i) {
        return i + 1 < pattern.size() && pattern.at(i).field <= PatternField::Blank &&
               pattern.at(i + 1).field == PatternField::Second;
    }

    // Seconds may be missing together with the separator before them ("18:00", "kl. 18.00").
    void readSeconds(const PatternToken& separator, Fields& fields) {
        const qsizetype start = pos_;
        if (!readPiece(separator, fields) || !number(2, fields.second)) {
            pos_ = start;
            fields.second = 0;
        }
    }

    QStringView ahead() const { return text_.mid(pos_); }

    void skipBlanks() {
        while (pos_ < text_.size() && text_.at(pos_).isSpace())
            ++pos_;
    }

    bool expect(const QString& literal) {
        if (!beginsWith(ahead(), literal))
            return false;
        pos_ += literal.size();
        return true;
    }

    bool number(int maxDigits, int& value) {
        skipBlanks();
        qsizetype digits = 0;
        value = 0;
        while (pos_ < text_.size() && digits < maxDigits && text_.at(pos_).isDigit()) {
            value = value * 10 + digitValueOf(text_.at(pos_));
            ++pos_;
            ++digits;
        }
        return digits > 0;
    }

    bool year(Fields& fields) {
        skipBlanks();
        const qsizetype start = pos_;
        if (!number(4, fields.year))
            return false;
        if (pos_ - start <= 2) // a two-digit year typed by hand
            fields.year += fields.year < 50 ? 2000 : 1900;
        return true;
    }

    bool name(std::initializer_list<const std::array<QString, 12>*> lists, int& month) {
        skipBlanks();
        NameMatch best;
        for (const auto* names : lists)
            matchLongest(ahead(), *names, best);
        if (best.index < 0)
            return false;
        month = best.index + 1;
        pos_ += best.length;
        return true;
    }

    // A weekday name tells nothing that the date does not, so it may be missing.
    bool weekday() {
        const qsizetype start = pos_;
        skipBlanks();
        NameMatch best;
        matchLongest(ahead(), rs_.names.weekdays, best);
        matchLongest(ahead(), rs_.names.abbreviatedWeekdays, best);
        pos_ = best.index < 0 ? start : pos_ + best.length;
        return true;
    }

    bool marker(Fields& fields) {
        skipBlanks();
        NameMatch best;
        matchLongest(ahead(), std::array<QString, 2>{rs_.amText, rs_.pmText}, best);
        if (best.index < 0)
            return false;
        fields.pm = best.index;
        pos_ += best.length;
        return true;
    }

    bool readPiece(const PatternToken& token, Fields& fields) {
        const CalendarNames& names = rs_.names;
        int ignored = 0;
        switch (token.field) {
        case PatternField::Literal:
            return expect(token.text);
        case PatternField::Blank:
            skipBlanks();
            return true;
        case PatternField::Day:
            return number(2, fields.day);
        case PatternField::Month:
            return number(2, fields.month);
        case PatternField::MonthName:
        case PatternField::AbbreviatedMonthName:
            return name({&names.months, &names.abbreviatedMonths, &names.standaloneMonths,
                         &names.abbreviatedStandaloneMonths},
                        fields.month);
        case PatternField::Weekday:
        case PatternField::AbbreviatedWeekday:
            return weekday();
        case PatternField::Year:
            return year(fields);
        case PatternField::Century:
            return number(2, ignored);
        case PatternField::Hour:
            return number(2, fields.hour);
        case PatternField::Hour12:
            return number(2, fields.hour12);
        case PatternField::Minute:
            return number(2, fields.minute);
        case PatternField::Second:
            return number(2, fields.second);
        case PatternField::Marker:
        case PatternField::LowerMarker:
            return marker(fields);
        }
        return false;
    }

    QStringView text_;
    const RegionalSettings& rs_;
    qsizetype pos_ = 0;
};

std::optional<QTime> timeFrom(const Fields& f) {
    int hour = f.hour;
    if (f.hour12 >= 0) {
        if (f.hour12 < 1 || f.hour12 > 12)
            return std::nullopt;
        hour = f.hour12 % 12 + (f.pm == 1 ? 12 : 0);
    } else if (f.pm == 1 && hour < 12) {
        hour += 12;
    }
    if (hour > 23 || f.minute > 59 || f.second > 59)
        return std::nullopt;
    return QTime(hour, f.minute, f.second);
}

} // namespace

std::optional<QDate> ReadDate(const CompiledPattern& pattern, QStringView text,
                              const RegionalSettings& rs, QStringView& rest) {
    PatternReader reader(text, rs);
    Fields fields;
    if (!reader.read(pattern, fields))
        return std::nullopt;
    const QDate date(fields.year, fields.month, fields.day);
    if (!date.isValid())
        return std::nullopt;
    rest = reader.rest();
    return date;
}

std::optional<QTime> ReadTime(const CompiledPattern& pattern, QStringView text,
                              const RegionalSettings& rs) {
    PatternReader reader(text, rs);
    Fields fields;
    if (!reader.read(pattern, fields) || !reader.rest().trimmed().isEmpty())
        return std::nullopt;
    return timeFrom(fields);
}

} // namespace dvx
