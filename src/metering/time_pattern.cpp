#include "metering/time_pattern.h"

namespace dvx {

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

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

// Walks text and pattern together; on success `rest` holds what the pattern did not consume.
class PatternReader {
public:
    PatternReader(const QString& pattern, QStringView text, const RegionalSettings* rs)
        : pattern_(pattern), text_(text), rs_(rs) {}

    bool read(Fields& fields) {
        for (qsizetype p = 0; p < pattern_.size(); ++p) {
            const QChar c = pattern_.at(p);
            if (c == QLatin1Char('%') && p + 1 < pattern_.size()) {
                if (!readDirective(pattern_.at(++p), fields))
                    return false;
            } else if (c.isSpace()) {
                if (!skipBlanks())
                    return false;
            } else if (!expect(c)) {
                return false;
            }
        }
        return true;
    }

    QStringView rest() const { return text_.mid(pos_); }

private:
    bool skipBlanks() {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_.at(pos_).isSpace())
            ++pos_;
        return pos_ > start;
    }

    bool expect(QChar c) {
        if (pos_ >= text_.size() || text_.at(pos_) != c)
            return false;
        ++pos_;
        return true;
    }

    bool number(int maxDigits, int& value) {
        qsizetype digits = 0;
        value = 0;
        while (pos_ < text_.size() && digits < maxDigits && text_.at(pos_).isDigit()) {
            value = value * 10 + text_.at(pos_).digitValue();
            ++pos_;
            ++digits;
        }
        return digits > 0;
    }

    bool marker(Fields& fields) {
        if (!rs_)
            return false;
        const QStringView rest = text_.mid(pos_);
        for (int isPm = 0; isPm < 2; ++isPm) {
            const QString& word = isPm ? rs_->pmText : rs_->amText;
            if (!word.isEmpty() && rest.startsWith(word, Qt::CaseInsensitive)) {
                pos_ += word.size();
                fields.pm = isPm;
                return true;
            }
        }
        return false;
    }

    bool readDirective(QChar d, Fields& fields) {
        switch (d.unicode()) {
        case 'd':
        case 'e':
            while (d == QLatin1Char('e') && pos_ < text_.size() && text_.at(pos_) == ' ')
                ++pos_;
            return number(2, fields.day);
        case 'm':
            return number(2, fields.month);
        case 'Y':
            return year(fields);
        case 'H':
            return number(2, fields.hour);
        case 'I':
        case 'l':
            return number(2, fields.hour12);
        case 'M':
            return number(2, fields.minute);
        case 'S':
            return number(2, fields.second);
        case 'p':
        case 'P':
            return marker(fields);
        case '%':
            return expect(QLatin1Char('%'));
        default:
            return true;
        }
    }

    bool year(Fields& fields) {
        const qsizetype start = pos_;
        if (!number(4, fields.year))
            return false;
        if (pos_ - start <= 2) // a two-digit year typed by hand
            fields.year += fields.year < 50 ? 2000 : 1900;
        return true;
    }

    const QString& pattern_;
    QStringView text_;
    const RegionalSettings* rs_;
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

namespace {

// Copies a pattern, putting the text `directive` gives for each "%x" in its place.
template <typename Directive> QString expandPattern(const QString& pattern, Directive directive) {
    QString out;
    for (qsizetype p = 0; p < pattern.size(); ++p) {
        const QChar c = pattern.at(p);
        if (c != QLatin1Char('%') || p + 1 >= pattern.size())
            out += c;
        else if (const QChar d = pattern.at(++p); d == QLatin1Char('%'))
            out += QLatin1Char('%');
        else
            out += directive(d.unicode());
    }
    return out;
}

} // namespace

QString formatDatePattern(const QString& pattern, const QDate& date) {
    return expandPattern(pattern, [&date](char16_t d) -> QString {
        switch (d) {
        case 'd':
            return twoDigits(date.day());
        case 'e':
            return QStringLiteral("%1").arg(date.day(), 2);
        case 'm':
            return twoDigits(date.month());
        case 'Y':
            return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        default:
            return {};
        }
    });
}

QString formatTimePattern(const QString& pattern, const QTime& time, const RegionalSettings& rs) {
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString& marker = time.hour() < 12 ? rs.amText : rs.pmText;
    return expandPattern(pattern, [&](char16_t d) -> QString {
        switch (d) {
        case 'H':
            return twoDigits(time.hour());
        case 'I':
            return twoDigits(hour12);
        case 'l':
            return QString::number(hour12);
        case 'M':
            return twoDigits(time.minute());
        case 'S':
            return twoDigits(time.second());
        case 'p':
            return marker;
        case 'P':
            return marker.toLower();
        default:
            return {};
        }
    });
}

std::optional<QDate> parseDatePrefix(const QString& pattern, QStringView text, QStringView& rest) {
    PatternReader reader(pattern, text, nullptr);
    Fields fields;
    if (!reader.read(fields))
        return std::nullopt;
    const QDate date(fields.year, fields.month, fields.day);
    if (!date.isValid())
        return std::nullopt;
    rest = reader.rest();
    return date;
}

std::optional<QDate> parseDatePattern(const QString& pattern, QStringView text) {
    QStringView rest;
    auto date = parseDatePrefix(pattern, text.trimmed(), rest);
    if (!date || !rest.isEmpty())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTimePattern(const QString& pattern, QStringView text,
                                      const RegionalSettings& rs) {
    PatternReader reader(pattern, text.trimmed(), &rs);
    Fields fields;
    if (!reader.read(fields) || !reader.rest().isEmpty())
        return std::nullopt;
    return timeFrom(fields);
}

} // namespace dvx
