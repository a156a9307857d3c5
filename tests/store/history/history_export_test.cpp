// Sessions and periods as CSV, JSON and a table, read back as spreadsheets and scripts read them.
#include "store/history/history_export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

DateTime At(int year, int month, int day, int hour, int minute, int second) {
    return *encodeDate(year, month, day) + encodeTime(hour, minute, second);
}

const QList<HistorySession> kSessions = {
    {"0", At(2026, 12, 11, 4, 27, 33), At(2026, 12, 11, 4, 39, 38), 725,
     Currency::fromRaw(12345000), "Automatic Connection", "plain"},
    {"1", At(2026, 12, 12, 0, 0, 0), At(2026, 12, 12, 0, 1, 0), 60, Currency::fromRaw(500),
     "Manual Connection", "a, comma and \"quotes\""},
    {"2", At(2026, 12, 13, 9, 0, 0), At(2026, 12, 13, 9, 0, 59), 59, Currency(), "",
     "two\r\nlines\nand a lone\rbreak"},
    {"3", At(2026, 12, 14, 23, 59, 59), At(2026, 12, 15, 0, 0, 1), 2, Currency::fromRaw(100),
     "Zürich ☎ 東京", ",\"\""},
};

// The rows Python's csv module reads from the file, as a JSON array of arrays.
std::optional<QJsonArray> ReadWithPython(const QString& csv) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(csv.toUtf8());
    out.close();
    QProcess process;
    process.start(python,
                  {QStringLiteral("-c"),
                   QStringLiteral("import csv, json, sys\n"
                                  "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                  "    json.dump(list(csv.reader(f, strict=True)), sys.stdout)\n"),
                   file});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
}

TEST(HistoryExport, SessionsAsCsvReadBackFieldForField) {
    const QString csv = SessionsText(kSessions, ExportFormat::csv, RegionalSettings::british());
    EXPECT_TRUE(
        csv.startsWith(QStringLiteral("start,stop,seconds,cost,connection,description\r\n")));
    const std::optional<QJsonArray> rows = ReadWithPython(csv);
    if (!rows)
        GTEST_SKIP() << "python3 is not installed";
    ASSERT_EQ(rows->size(), kSessions.size() + 1);
    const QStringList expected[] = {
        {"2026-12-11T04:27:33", "2026-12-11T04:39:38", "725", "1234.50", "Automatic Connection",
         "plain"},
        {"2026-12-12T00:00:00", "2026-12-12T00:01:00", "60", "0.05", "Manual Connection",
         "a, comma and \"quotes\""},
        {"2026-12-13T09:00:00", "2026-12-13T09:00:59", "59", "0.00", "",
         "two\r\nlines\nand a lone\rbreak"},
        {"2026-12-14T23:59:59", "2026-12-15T00:00:01", "2", "0.01", "Zürich ☎ 東京", ",\"\""},
    };
    for (qsizetype at = 0; at < kSessions.size(); ++at) {
        QStringList fields;
        for (const QJsonValue& field : (*rows)[at + 1].toArray())
            fields.append(field.toString());
        EXPECT_EQ(fields, expected[at]) << at;
    }
}

TEST(HistoryExport, SessionsAsJsonParseBackWithNumbers) {
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(
        SessionsText(kSessions, ExportFormat::json, RegionalSettings::british()).toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray sessions = json.array();
    ASSERT_EQ(sessions.size(), kSessions.size());
    const QJsonObject first = sessions[0].toObject();
    EXPECT_EQ(first.keys().size(), 6);
    EXPECT_EQ(first[QStringLiteral("start")].toString(), QStringLiteral("2026-12-11T04:27:33"));
    EXPECT_EQ(first[QStringLiteral("stop")].toString(), QStringLiteral("2026-12-11T04:39:38"));
    EXPECT_TRUE(first[QStringLiteral("seconds")].isDouble());
    EXPECT_EQ(first[QStringLiteral("seconds")].toInt(), 725);
    EXPECT_DOUBLE_EQ(first[QStringLiteral("cost")].toDouble(), 1234.5);
    EXPECT_EQ(sessions[2].toObject()[QStringLiteral("description")].toString(),
              kSessions[2].description);
    EXPECT_EQ(sessions[3].toObject()[QStringLiteral("connection")].toString(),
              kSessions[3].connection);
    EXPECT_EQ(QJsonDocument::fromJson(
                  SessionsText({}, ExportFormat::json, RegionalSettings::british()).toUtf8())
                  .array()
                  .size(),
              0);
}

const QList<BillingPeriod> kPeriods = {
    {QDate(2026, 10, 15), QDate(2026, 11, 15), 3, 725, Currency::fromRaw(12345000), {}},
    {QDate(2026, 11, 15), QDate(2026, 12, 15), 0, 0, Currency(), {}},
    {QDate(2026, 12, 15), QDate(2027, 1, 15), 1, 60, Currency::fromRaw(500),
     PeriodEstimate{3000000000LL, Currency::fromRaw(31034)}},
};

TEST(HistoryExport, PeriodsAsCsvAndJsonLeaveTheEstimatesOfClosedPeriodsEmpty) {
    const RegionalSettings regional = RegionalSettings::british();
    EXPECT_EQ(PeriodsText(kPeriods, ExportFormat::csv, regional),
              QStringLiteral("start,end,calls,seconds,cost,estimated_seconds,estimated_cost\r\n"
                             "2026-10-15,2026-11-15,3,725,1234.50,,\r\n"
                             "2026-11-15,2026-12-15,0,0,0.00,,\r\n"
                             "2026-12-15,2027-01-15,1,60,0.05,3000000000,3.10\r\n"));
    const QJsonArray periods =
        QJsonDocument::fromJson(PeriodsText(kPeriods, ExportFormat::json, regional).toUtf8())
            .array();
    ASSERT_EQ(periods.size(), 3);
    const QJsonObject closed = periods[0].toObject();
    EXPECT_EQ(closed[QStringLiteral("end")].toString(), QStringLiteral("2026-11-15"));
    EXPECT_EQ(closed[QStringLiteral("calls")].toInt(), 3);
    EXPECT_DOUBLE_EQ(closed[QStringLiteral("cost")].toDouble(), 1234.5);
    EXPECT_TRUE(closed[QStringLiteral("estimated_seconds")].isNull());
    EXPECT_TRUE(closed[QStringLiteral("estimated_cost")].isNull());
    const QJsonObject running = periods[2].toObject();
    EXPECT_EQ(running[QStringLiteral("estimated_seconds")].toDouble(), 3e9);
    EXPECT_DOUBLE_EQ(running[QStringLiteral("estimated_cost")].toDouble(), 3.10);
}

TEST(HistoryExport, TheTableIsInTheUsersLocale) {
    RegionalSettings german = RegionalSettings::british();
    german.currencySymbol = QStringLiteral("€");
    german.symbolPrecedes = false;
    german.symbolSeparatedBySpace = true;
    german.thousandSeparator = QStringLiteral(".");
    german.decimalSeparator = QStringLiteral(",");
    german.shortDateFormat = QStringLiteral("%d.%m.%Y");
    const QStringList lines =
        PeriodsText(kPeriods, ExportFormat::text, german).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Period"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("15.10.2026 - 14.11.2026")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("1.234,50 €"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("12min, 05sec")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("3,10 €"))) << lines[4].toStdString();
    // A description's line breaks never break a row of the table.
    EXPECT_EQ(SessionsText(kSessions, ExportFormat::text, german).count(QLatin1Char('\n')),
              kSessions.size() + 2);
}

} // namespace
