// The quick reader of plain date-and-time texts against the lenient reader: wherever the quick
// one gives a moment it is the lenient one's, and ParseDateTimeText gives what the lenient
// reader gives, the error included, over texts as written, as typed, and malformed.
#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/plain_date_time.h"
#include "metering/time_pattern.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

struct Shape {
    const char* name;
    const char* date;
    const char* time;
    bool plain; // whether the texts it writes read the quick way
};

const Shape kShapes[] = {
    {"british", "%d/%m/%Y", "%H:%M:%S", true},
    {"german", "%d.%m.%Y", "%H:%M:%S", true},
    {"iso", "%Y-%m-%d", "%H:%M:%S", true},
    {"hungarian", "%Y. %m. %d.", "%H:%M:%S", true},
    {"norwegian", "%d.%m.%Y", "kl. %H.%M %z", true},
    {"letters between", "%d/%m/%Y", "%Hh%M", true},
    {"no separators", "%Y%m%d", "%H%M%S", true},
    {"unpadded", "%-d/%-m/%Y", "%-H:%M:%S", false},
    {"space padded", "%e.%m.%Y", "%k:%M:%S", false},
    {"twelve hour", "%m/%d/%Y", "%I:%M:%S %p", false},
    {"month names", "%d %b %Y", "%H:%M:%S", false},
    {"weekday", "%a %d/%m/%Y", "%H:%M:%S", false},
    {"chinese", "%Y年%m月%d日", "%H時%M分%S秒", true},
};

RegionalSettings settingsOf(const Shape& shape) {
    RegionalSettings rs;
    rs.shortDateFormat = PlainDatePattern(QString::fromUtf8(shape.date));
    rs.longTimeFormat = PlainTimePattern(QString::fromUtf8(shape.time));
    return rs;
}

DateTime moment(int y, int mo, int d, int h, int mi, int s) {
    return encodeDate(QDate(y, mo, d)) + encodeTime(h, mi, s);
}

const DateTime kMoments[] = {
    moment(2026, 12, 10, 18, 5, 9), moment(1999, 1, 2, 0, 0, 0),    moment(2030, 6, 15, 0, 0, 1),
    moment(24, 2, 29, 23, 59, 59),  moment(9999, 12, 31, 12, 0, 0), moment(2024, 2, 29, 7, 8, 9),
};

// Other digits in place of the ASCII ones: Arabic-Indic, or full width.
QString withDigitsFrom(const QString& text, char16_t zero) {
    QString changed = text;
    for (QChar& c : changed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(static_cast<char16_t>(zero + (c.unicode() - u'0')));
    }
    return changed;
}

// A text as written and as a hand or another program may change it, well or badly.
QStringList variantsOf(const QString& written) {
    QString doubled = written;
    doubled.replace(QLatin1Char(' '), QStringLiteral("  "));
    QString firstDigitOther = written;
    const qsizetype digit = written.indexOf(QRegularExpression(QStringLiteral("[0-9]")));
    if (digit >= 0)
        firstDigitOther[digit] = QChar(u'\u0661');
    return {written,
            written.toLower(),
            written.toUpper(),
            QStringLiteral("  ") + written + QStringLiteral("\t"),
            doubled,
            written.left(written.size() - 3),
            written.left(written.size() - 1),
            written + QStringLiteral("x"),
            written + QStringLiteral(" 00"),
            written + QStringLiteral("5"),
            QStringLiteral("0") + written,
            written.mid(1),
            withDigitsFrom(written, u'\u0660'),
            withDigitsFrom(written, u'\uff10'),
            firstDigitOther,
            QString(written).replace(QStringLiteral("20"), QStringLiteral("2 0"))};
}

const char* const kMalformed[] = {
    "",
    " ",
    "31/02/2026",
    "29/02/2025 10:00:00",
    "10/12/2026 24:00:00",
    "10/12/2026 23:60:00",
    "10/12/2026 23:59:60",
    "00/12/2026",
    "10/00/2026",
    "10/12/0000",
    "10/12/26",
    "10/12/126 10:00:00",
    "10/12/2026T18:00:00",
    "10/12/2026 18:00:00:00",
    "10/12/2026 18",
    "10/12/2026 18:",
    "10 /12/2026",
    "2026-12-10",
    "2026.12.10. 18:00:00",
    "yesterday",
    "10/12/2026 kl. 18.00.00",
    "123/12/2026",
};

// The outcome of ParseDateTimeText: the moment, or the error's text.
QString parsed(const QString& text, const RegionalSettings& rs) {
    try {
        return QString::number(ParseDateTimeText(text, rs), 'g', 17);
    } catch (const ConversionError& e) {
        return e.text();
    }
}

QString leniently(const QString& text, const RegionalSettings& rs) {
    const auto read = ReadDateTimeText(text, rs);
    return read ? QString::number(*read, 'g', 17)
                : QStringLiteral("'%1' is not a valid date and time").arg(text);
}

void expectSameAsLenient(const QString& text, const RegionalSettings& rs) {
    SCOPED_TRACE(text.toStdString());
    const auto lenient = ReadDateTimeText(text, rs);
    if (const auto plain = ReadPlainDateTime(text, rs)) {
        ASSERT_TRUE(lenient.has_value()) << "only the quick reader read it";
        EXPECT_EQ(*plain, *lenient);
    }
    EXPECT_EQ(parsed(text, rs).toStdString(), leniently(text, rs).toStdString());
}

TEST(PlainDateTime, ReadsWhatTheLenientReaderReads) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const RegionalSettings rs = settingsOf(shape);
        for (const DateTime m : kMoments) {
            for (const QString& text : variantsOf(DateTimeText(m, rs)))
                expectSameAsLenient(text, rs);
        }
        for (const char* text : kMalformed) {
            for (const QString& variant : variantsOf(QString::fromUtf8(text)))
                expectSameAsLenient(variant, rs);
        }
    }
}

TEST(PlainDateTime, ReadsTheTextsOfPlainPatternsAsWritten) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const RegionalSettings rs = settingsOf(shape);
        for (const DateTime m : kMoments) {
            const QString text = DateTimeText(m, rs);
            SCOPED_TRACE(text.toStdString());
            EXPECT_EQ(ParseDateTimeText(text, rs), m);
            if (shape.plain) {
                EXPECT_EQ(ReadPlainDateTime(text, rs), std::optional<DateTime>(m));
            }
        }
    }
}

// Only patterns of numbers, fixed text and blanks are read the quick way; and only texts with
// their numbers in ASCII digits, the year in four, the fixed text as written.
TEST(PlainDateTime, LeavesOtherShapesToTheLenientReader) {
    struct Case {
        const char* date;
        const char* time;
        const char* text;
    };
    const Case cases[] = {
        {"%m/%d/%Y", "%I:%M:%S %p", "12/10/2026 06:00:00 PM"},
        {"%d %b %Y", "%H:%M:%S", "10 Dec 2026 18:00:00"},
        {"%a %d/%m/%Y", "%H:%M:%S", "Thu 10/12/2026"},
        {"%d/%m/%Y", "%H:%M:%S", "10/12/26"},
        {"%d/%m/%Y", "%H:%M:%S", "10/12/2026 18:00"},
        {"%d/%m/%Y", "%H:%M:%S", "١٠/12/2026"},
        {"%d.%m.%Y", "kl. %H.%M %z", "10.12.2026 KL. 18.00.00"},
    };
    for (const Case& c : cases) {
        RegionalSettings rs;
        rs.shortDateFormat = PlainDatePattern(QString::fromUtf8(c.date));
        rs.longTimeFormat = PlainTimePattern(QString::fromUtf8(c.time));
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ReadPlainDateTime(text, rs), std::nullopt) << c.text;
        EXPECT_TRUE(ReadDateTimeText(text, rs).has_value()) << c.text;
    }
}

} // namespace
