#include "print/report/log_report_lines.h"

#include "../common/qstring_printer.h"

#include "print/report/fit_to_width.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

QString Padded(const QString& text, int blanks) {
    return text + QString(blanks, u' ');
}

DateTime TenthOfDecemberAt(int hour, int minute, int second) {
    return encodeDate(QDate(2026, 12, 10)) + encodeTime(hour, minute, second);
}

LogReportContent EmptyLog() {
    LogReportContent content;
    content.logName = QStringLiteral("Current Log - From 01/12/2026");
    content.totalCallTime = QStringLiteral("00:00:00");
    content.totalCost = QStringLiteral("£0.00");
    return content;
}

} // namespace

TEST(FitToWidth, CutsOrFillsToExactlyTheWidth) {
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"", Padded("", 25)},
        {"£12.34", Padded("£12.34", 19)},
        {"Exactly twenty-five chars", "Exactly twenty-five chars"},
        {"A description of forty characters, long!", "A description of forty ch"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitToWidth(c.text, 25), c.expected);
    }
}

TEST(LogReportLines, AnEmptyLogPrintsTheTitleBlockTableHeadAndTotals) {
    const QStringList expected = {
        "Dorvantix Log",
        "--------------------",
        "",
        "",
        "Current Log - From 01/12/2026",
        "",
        "Printed at 10/12/2026 14:05:09",
        "",
        "",
        Padded("Date/Time", 16) + Padded("Description", 14) + Padded("Duration", 17) +
            Padded("Cost", 21),
        Padded("---------", 16) + Padded("-----------", 14) + Padded("--------", 17) +
            Padded("----", 21),
        "",
        "",
        "",
        "Total Time = 00:00:00    Total Cost = £0.00",
    };
    EXPECT_EQ(LogReportLines(EmptyLog(), RegionalSettings::british(), TenthOfDecemberAt(14, 5, 9)),
              expected);
}

TEST(LogReportLines, SessionRowsBecomeHundredCharacterLinesInListOrder) {
    LogReportContent content = EmptyLog();
    content.logName = QStringLiteral("/home/ann/logs/november.dvx");
    content.rows = {
        {"01/11/2026 09:15:00", "Automatic Connection", "00:12:34", "£0.63"},
        {"02/11/2026 21:40:10", "A description of forty characters, long!", "01:02:03", "£12.34"},
        {"03/11/2026", "", "00:00:01", "£0.05"},
    };
    content.totalCallTime = QStringLiteral("01:14:38");
    content.totalCost = QStringLiteral("£13.02");

    const QStringList lines =
        LogReportLines(content, RegionalSettings::british(), TenthOfDecemberAt(0, 0, 0));

    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[4], "/home/ann/logs/november.dvx");
    EXPECT_EQ(lines[6], "Printed at 10/12/2026"); // no time at exactly midnight
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[12], Padded("01/11/2026 09:15:00", 6) + Padded("Automatic Connection", 5) +
                             Padded("00:12:34", 17) + Padded("£0.63", 20));
    EXPECT_EQ(lines[13], Padded("02/11/2026 21:40:10", 6) + "A description of forty ch" +
                             Padded("01:02:03", 17) + Padded("£12.34", 19));
    EXPECT_EQ(lines[14], Padded("03/11/2026", 15) + Padded("", 25) + Padded("00:00:01", 17) +
                             Padded("£0.05", 20));
    for (const int i : {9, 10, 12, 13, 14}) {
        EXPECT_EQ(lines[i].size(), 100) << i;
    }
    EXPECT_EQ(lines.last(), "Total Time = 01:14:38    Total Cost = £13.02");
}
