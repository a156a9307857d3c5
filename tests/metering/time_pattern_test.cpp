#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/pattern_directives.h"
#include "metering/time_pattern.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

DateTime moment(int y, int mo, int d, int h, int mi, int s) {
    return encodeDate(QDate(y, mo, d)) + encodeTime(h, mi, s);
}

// Dates with abbreviated month names and a time with literal text around it ("kl.").
RegionalSettings norwegianShape() {
    RegionalSettings rs;
    rs.shortDateFormat = PlainDatePattern(QStringLiteral("%d. %b %Y"));
    rs.longTimeFormat = PlainTimePattern(QStringLiteral("kl. %H.%M %z"));
    rs.names.abbreviatedMonths = {
        QStringLiteral("jan."),  QStringLiteral("feb."), QStringLiteral("mars"),
        QStringLiteral("april"), QStringLiteral("mai"),  QStringLiteral("juni"),
        QStringLiteral("juli"),  QStringLiteral("aug."), QStringLiteral("sep."),
        QStringLiteral("okt."),  QStringLiteral("nov."), QStringLiteral("des.")};
    rs.names.months[11] = QStringLiteral("desember");
    return rs;
}

// A 12-hour time with a time zone at its end.
RegionalSettings indianShape() {
    RegionalSettings rs;
    rs.longTimeFormat = PlainTimePattern(QStringLiteral("%I:%M:%S %p %Z"));
    return rs;
}

// Space-padded day and hour.
RegionalSettings bulgarianShape() {
    RegionalSettings rs;
    rs.shortDateFormat = PlainDatePattern(QStringLiteral("%e.%m.%y"));
    rs.longTimeFormat = PlainTimePattern(QStringLiteral("%k:%M:%S"));
    return rs;
}

// Weekday names in the date, and the AM/PM word in front of the time.
RegionalSettings chineseShape() {
    RegionalSettings rs;
    rs.shortDateFormat = PlainDatePattern(QStringLiteral("%Y年%m月%d日 %A"));
    rs.longTimeFormat = PlainTimePattern(QStringLiteral("%p %I時%M分%S秒 %Z"));
    rs.amText = QStringLiteral("上午");
    rs.pmText = QStringLiteral("下午");
    rs.names.weekdays[4] = QStringLiteral("星期四");
    return rs;
}

TEST(PlainPattern, NormalisesTheDirectivesOfTheLocales) {
    struct Case {
        const char* pattern;
        const char* plain;
    };
    const Case dates[] = {
        {"%d/%m/%y", "%d/%m/%Y"},
        {"%-d/%-m/%y", "%-d/%-m/%Y"},
        {"%OC%Oy %b %Od %A", "%Y %b %d %A"},
        {"%d/%m/%Ey", "%d/%m/%Y"},
        {"%F", "%Y-%m-%d"},
        {"%D", "%m/%d/%Y"},
        {"%e-%m-%Y", "%e-%m-%Y"},
        {"%a, %Y.eko %bren %da", "%a, %Y.eko %bren %da"},
        {"%^a %h %_d %Y", "%a %b %e %Y"},
        {"", "%d/%m/%Y"},
        {"%H:%M", "%d/%m/%Y"},
    };
    for (const Case& c : dates)
        EXPECT_EQ(PlainDatePattern(QString::fromUtf8(c.pattern)), QString::fromUtf8(c.plain))
            << c.pattern;

    struct TimeCase {
        const char* pattern;
        const char* twelveHour;
        const char* plain;
    };
    const TimeCase times[] = {
        {"%T", "", "%H:%M:%S"},
        {"%r", "%I:%M:%S %p %Z", "%I:%M:%S %p"},
        {"%r", "", "%I:%M:%S %p"},
        {"%r", "%r", "%I:%M:%S %p"},
        {"%Z %I:%M:%S %p", "", "%I:%M:%S %p"},
        {"kl. %H.%M %z", "", "kl. %H.%M.%S"},
        {"%R", "", "%H:%M:%S"},
        {"%I:%M %p", "", "%I:%M:%S %p"},
        {"%l:%M", "", "%l:%M:%S %p"},
        {"%k:%M:%S", "", "%k:%M:%S"},
        {"%OI:%OM:%OS %p", "", "%I:%M:%S %p"},
        {"%H時%M分%S秒 %Z", "", "%H時%M分%S秒"},
        {"%p%I.%M.%S %Z", "", "%p%I.%M.%S"},
        {"%H:%M:%S 100%%", "", "%H:%M:%S 100%%"},
        {"", "", "%H:%M:%S"},
    };
    for (const TimeCase& c : times)
        EXPECT_EQ(PlainTimePattern(QString::fromUtf8(c.pattern), QString::fromUtf8(c.twelveHour)),
                  QString::fromUtf8(c.plain))
            << c.pattern;
}

TEST(UnknownDirectives, NamesTheDirectivesTheTableLacks) {
    EXPECT_EQ(UnknownDirectives(QStringLiteral("%d/%m/%y %OH %-e %%j")), QStringList());
    EXPECT_EQ(UnknownDirectives(QStringLiteral("%j %d %_U %Ex %")),
              QStringList({QStringLiteral("%j"), QStringLiteral("%_U"), QStringLiteral("%Ex")}));
}

TEST(QtTimeFormat, FollowsTheRegionalLongTime) {
    const std::pair<const char*, const char*> cases[] = {
        {"%H:%M:%S", "HH:mm:ss"},
        {"%I:%M:%S %p", "hh:mm:ss AP"},
        {"%l:%M", "h:mm:ss AP"},
        {"%H.%M.%S", "HH.mm.ss"},
        {"", "HH:mm:ss"},
        {"kl. %H.%M %z", "'kl.' HH.mm.ss"},
        {"%k:%M:%S", "H:mm:ss"},
        {"%l:%M:%S %P", "h:mm:ss ap"},
        {"%p %I時%M分%S秒", "AP hh時mm分ss秒"},
        {"%Hh%M", "HH'h'mm'h'ss"},
        {"%H:%M:%S o'clock", "HH:mm:ss 'o''clock'"},
    };
    for (const auto& [pattern, format] : cases)
        EXPECT_EQ(QtTimeFormat(QString::fromUtf8(pattern)), QString::fromUtf8(format)) << pattern;
}

TEST(DateTimeText, WritesEveryShapeOfTheLocales) {
    struct Case {
        RegionalSettings rs;
        DateTime moment;
        const char* text;
    };
    const Case cases[] = {
        {norwegianShape(), moment(2026, 12, 10, 18, 0, 0), "10. des. 2026 kl. 18.00.00"},
        {norwegianShape(), moment(2026, 3, 5, 0, 0, 0), "05. mars 2026"},
        {indianShape(), moment(2026, 12, 10, 18, 0, 0), "10/12/2026 06:00:00 PM"},
        {indianShape(), moment(2026, 12, 10, 0, 0, 1), "10/12/2026 12:00:01 AM"},
        {bulgarianShape(), moment(2026, 3, 5, 6, 7, 8), " 5.03.2026  6:07:08"},
        {bulgarianShape(), moment(2026, 11, 15, 18, 0, 0), "15.11.2026 18:00:00"},
        {chineseShape(), moment(2026, 12, 10, 18, 0, 0), "2026年12月10日 星期四 下午 06時00分00秒"},
    };
    for (const Case& c : cases) {
        const QString text = DateTimeText(c.moment, c.rs);
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_EQ(ParseDateTimeText(text, c.rs), c.moment) << c.text;
    }
    EXPECT_EQ(TimeText(encodeTime(18, 0, 0), norwegianShape()), QStringLiteral("kl. 18.00.00"));
    EXPECT_EQ(TimeText(encodeTime(6, 0, 0), bulgarianShape()), QStringLiteral(" 6:00:00"));
    EXPECT_EQ(TimeText(encodeTime(18, 0, 0), indianShape()), QStringLiteral("06:00:00 PM"));
}

// Numbers are padded with zeros or blanks, or not at all, as QString::arg and QString::number
// write them.
QString padded(int value, int width) {
    return QStringLiteral("%1|%2|%3")
        .arg(QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')),
             QStringLiteral("%1").arg(value, width), QString::number(value));
}

TEST(DateTimeText, WritesNumbersAsQtPadsThem) {
    const RegionalSettings rs;
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; ++minute) {
            const QTime time(hour, minute, 59 - minute);
            const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
            EXPECT_EQ(formatTimePattern(QStringLiteral("%H|%_H|%-H %I|%_I|%-I %M|%_M|%-M "
                                                       "%S|%_S|%-S"),
                                        time, rs),
                      QStringList({padded(hour, 2), padded(hour12, 2), padded(minute, 2),
                                   padded(59 - minute, 2)})
                              .join(u' ') +
                          (hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM")));
        }
    }
    for (const QDate& date : {QDate(1, 1, 1), QDate(9, 9, 9), QDate(99, 10, 31), QDate(999, 12, 1),
                              QDate(2026, 3, 5), QDate(9999, 12, 31)}) {
        EXPECT_EQ(
            formatDatePattern(QStringLiteral("%d|%e|%-d %m|%_m|%-m %Y|%_Y|%-Y"), date, rs),
            QStringList({padded(date.day(), 2), padded(date.month(), 2), padded(date.year(), 4)})
                .join(u' '));
    }
}

TEST(DateTimeText, ReadsLeniently) {
    struct Case {
        RegionalSettings rs;
        const char* text;
        DateTime moment;
    };
    RegionalSettings weekdayFirst;
    weekdayFirst.shortDateFormat = QStringLiteral("%A %d %b %Y");
    const Case cases[] = {
        // names, AM/PM words and literal text in any case, and a month in its full form
        {norwegianShape(), "10. DES. 2026 KL. 18.00.00", moment(2026, 12, 10, 18, 0, 0)},
        {norwegianShape(), "10. desember 2026 kl. 18.00.00", moment(2026, 12, 10, 18, 0, 0)},
        {indianShape(), "10/12/2026 06:00:00 pm", moment(2026, 12, 10, 18, 0, 0)},
        // seconds missing with their separator, padding missing, blanks more or fewer
        {norwegianShape(), "10. des. 2026 kl. 18.00", moment(2026, 12, 10, 18, 0, 0)},
        {bulgarianShape(), "5.3.2026 6:07:08", moment(2026, 3, 5, 6, 7, 8)},
        {indianShape(), "10/12/2026   06:00:00PM", moment(2026, 12, 10, 18, 0, 0)},
        // a weekday name or none
        {weekdayFirst, "Thursday 10 Dec 2026", moment(2026, 12, 10, 0, 0, 0)},
        {weekdayFirst, "thu 10 dec 2026 18:00:00", moment(2026, 12, 10, 18, 0, 0)},
        {weekdayFirst, "10 Dec 2026 18:00", moment(2026, 12, 10, 18, 0, 0)},
        // a two-digit year typed by hand
        {RegionalSettings::british(), "10/12/26", moment(2026, 12, 10, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDateTimeText(QString::fromUtf8(c.text), c.rs), c.moment) << c.text;
}

// Texts that the program stored before dates and times had one table of directives read as
// they did: unpadded 12-hour hours, a weekday written as nothing; and those whose time zone or
// missing seconds made them unreadable now read too.
TEST(DateTimeText, ReadsTheTextsStoredByEarlierVersions) {
    struct Case {
        RegionalSettings rs;
        const char* text;
        DateTime moment;
    };
    RegionalSettings unpaddedHours;
    unpaddedHours.longTimeFormat = QStringLiteral("%l:%M:%S %p");
    RegionalSettings weekdayBeforeDate;
    weekdayBeforeDate.shortDateFormat = QStringLiteral("%a، %d-%m-%Y");
    const Case cases[] = {
        {unpaddedHours, "10/12/2026 6:00:00 PM", moment(2026, 12, 10, 18, 0, 0)},
        {weekdayBeforeDate, "، 10-12-2026 18:00:00", moment(2026, 12, 10, 18, 0, 0)},
        {chineseShape(), "2026年12月10日  18:00:00", moment(2026, 12, 10, 18, 0, 0)},
        {indianShape(), "10/12/2026 06:00:00 PM ", moment(2026, 12, 10, 18, 0, 0)},
        {norwegianShape(), "10.  2026", -1},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        if (c.moment < 0)
            EXPECT_THROW(ParseDateTimeText(text, c.rs), ConversionError) << c.text;
        else
            EXPECT_EQ(ParseDateTimeText(text, c.rs), c.moment) << c.text;
    }
    EXPECT_EQ(ParseTimeText(QStringLiteral("kl. 18.00 "), norwegianShape()), 0.75);
    EXPECT_EQ(ParseTimeText(QStringLiteral("06:00:00 PM "), indianShape()), 0.75);
    EXPECT_EQ(ParseTimeText(QStringLiteral("6:00:00 PM"), unpaddedHours), 0.75);
    // A space-padded hour was once written as nothing (":00:00"), which read as midnight: such
    // a time is refused now rather than silently wrong.
    EXPECT_THROW(ParseTimeText(QStringLiteral(":00:00"), bulgarianShape()), ConversionError);
}

} // namespace
