#include "metering/conversion_error.h"
#include "metering/date_time_text.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

DateTime moment(int y, int mo, int d, int h, int mi, int s) {
    return encodeDate(QDate(y, mo, d)) + encodeTime(h, mi, s);
}

RegionalSettings americanSettings() {
    RegionalSettings rs;
    rs.shortDateFormat = QStringLiteral("%m/%d/%Y");
    rs.longTimeFormat = QStringLiteral("%I:%M:%S %p");
    return rs;
}

TEST(DateTime, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(encodeDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(encodeDate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(encodeTime(12, 0, 0), 0.5);
    EXPECT_EQ(weekdayOf(encodeDate(QDate(2026, 12, 10))), 5); // a Thursday
    EXPECT_EQ(weekdayOf(encodeDate(QDate(2026, 12, 13))), 1); // a Sunday
    EXPECT_EQ(timeOf(moment(2026, 1, 2, 23, 59, 59)), QTime(23, 59, 59));
}

// Every day of the years 1 to 9999, and the numbers around them that name no day.
TEST(DateTime, CountsTheDaysOfDatesGivenAsNumbersAsQtDoes) {
    int mismatches = 0;
    std::string first;
    for (int year = -1; year <= 10000; ++year) {
        for (int month = -1; month <= 13; ++month) {
            for (int day = -1; day <= 32; ++day) {
                const QDate date(year, month, day);
                const bool shown = date.isValid() && year >= 1 && year <= 9999;
                const auto counted = encodeDate(year, month, day);
                if (counted.has_value() == shown && (!shown || *counted == encodeDate(date)))
                    continue;
                if (mismatches++ == 0)
                    first = std::to_string(year) + "-" + std::to_string(month) + "-" +
                            std::to_string(day);
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "the first at " << first;
}

TEST(DateTimeText, LeavesOutTheTimeAtExactlyMidnight) {
    const RegionalSettings uk = RegionalSettings::british();
    EXPECT_EQ(DateTimeText(moment(2026, 12, 10, 9, 5, 7), uk),
              QStringLiteral("10/12/2026 09:05:07"));
    EXPECT_EQ(DateTimeText(moment(2026, 12, 10, 0, 0, 0), uk), QStringLiteral("10/12/2026"));
    EXPECT_EQ(DateTimeText(moment(2026, 12, 10, 0, 0, 1), uk),
              QStringLiteral("10/12/2026 00:00:01"));
    EXPECT_EQ(DateTimeText(moment(2026, 3, 4, 13, 0, 0), americanSettings()),
              QStringLiteral("03/04/2026 01:00:00 PM"));
}

TEST(DateTimeText, ReadsBackWhatItWrites) {
    for (const RegionalSettings& rs : {RegionalSettings::british(), americanSettings()}) {
        for (DateTime m : {moment(2026, 12, 10, 9, 5, 7), moment(1999, 1, 31, 0, 0, 0),
                           moment(2030, 6, 15, 12, 0, 0), moment(2030, 6, 15, 0, 30, 0)}) {
            const QString text = DateTimeText(m, rs);
            EXPECT_EQ(ParseDateTimeText(text, rs), m) << qPrintable(text);
        }
    }
}

TEST(DateTimeText, RefusesTextsThatAreNoMoment) {
    const RegionalSettings uk = RegionalSettings::british();
    for (const char* text :
         {"", "31/02/2026", "10/12/2026 25:00:00", "yesterday", "10/12/2026 x"}) {
        try {
            ParseDateTimeText(QString::fromUtf8(text), uk);
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid date and time").arg(text));
        }
    }
}

TEST(TimeText, WritesAndReadsTimesOfDay) {
    const RegionalSettings uk = RegionalSettings::british();
    EXPECT_EQ(TimeText(encodeTime(18, 0, 0), uk), QStringLiteral("18:00:00"));
    EXPECT_EQ(TimeText(encodeTime(18, 0, 0), americanSettings()), QStringLiteral("06:00:00 PM"));
    EXPECT_EQ(ParseTimeText(QStringLiteral("18:00:00"), uk), encodeTime(18, 0, 0));
    EXPECT_EQ(ParseTimeText(QStringLiteral("8:00"), uk), encodeTime(8, 0, 0));
    EXPECT_EQ(ParseTimeText(QStringLiteral("06:00:00 PM"), americanSettings()), 0.75);
    EXPECT_EQ(ParseTimeText(QStringLiteral("12:00:00 am"), americanSettings()), 0.0);
}

TEST(TimeText, RefusesAnythingButATimeOfDay) {
    for (const char* text : {"", "24:00:00", "12:60:00", "noon", "1a2"}) {
        try {
            ParseTimeText(QString::fromUtf8(text), RegionalSettings::british());
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid time").arg(text));
        }
    }
}

TEST(RegionalSettings, ReadFromTheProcessLocaleGiveFourDigitYears) {
    const RegionalSettings rs = RegionalSettings::fromProcessLocale();
    EXPECT_FALSE(rs.shortDateFormat.contains(QStringLiteral("%y")));
    EXPECT_FALSE(rs.decimalSeparator.isEmpty());
    const DateTime m = moment(2026, 12, 10, 9, 5, 7);
    EXPECT_EQ(ParseDateTimeText(DateTimeText(m, rs), rs), m);
}

} // namespace
