// Reading the stored sessions back whole, from a hive opened for reading only.
#include "store/history/session_history.h"
#include "store/settings/period_start_day.h"
#include "support/store_hive.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dvx;
using dvx::test::ProductSeed;
using dvx::test::StoreHive;

namespace {

QString Record(const QString& name, const QString& values) {
    return QStringLiteral(
               "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\%1]\n%2\n")
        .arg(name, values);
}

QString Complete(const char* start, const char* charges, const char* more = "") {
    return QStringLiteral("\"CallTime\"=dword:0000003c\n\"SessionStart\"=\"%1\"\n"
                          "\"SessionStop\"=\"01/03/2026 10:01:00\"\n\"CallCharges\"=\"%2\"\n%3")
        .arg(QLatin1String(start), QString::fromUtf8(charges), QString::fromUtf8(more));
}

QByteArray Bytes(const QString& file) {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}

class SessionHistoryTest : public ::testing::Test {
protected:
    std::optional<SessionHistory> read() {
        Hive readOnly(store_.hive().file(), Hive::ReadOnly{});
        return ReadSessionHistory(readOnly, RegionalSettings::british());
    }
    StoreHive store_;
};

TEST_F(SessionHistoryTest, ReadsEachRecordWholeInRecordOrderAndNamesWhatItCannotRead) {
    store_.seed(
        Record("10", Complete("02/03/2026 10:00:00", "£0.10")) +
        Record("2", Complete("01/03/2026 10:00:00", "£1,234.50",
                             "\"ConnectionName\"=\"Manual Connection\"\n"
                             "\"Description\"=\"Ünïcode, \\\"quoted\\\"\"")) +
        Record("3", Complete("31/02/2026 10:00:00", "£1.00")) +
        Record("4", Complete("01/03/2026 11:00:00", "£1.2.3")) +
        Record("5", QStringLiteral("\"SessionStart\"=\"01/03/2026\"\n\"CallCharges\"=\"£1\"")) +
        Record("6", Complete("01/03/2026", "")) +
        Record("7", QStringLiteral("\"CallTime\"=\"60\"\n")));
    const std::optional<SessionHistory> history = read();
    ASSERT_TRUE(history);
    ASSERT_EQ(history->sessions.size(), 3);
    const HistorySession& first = history->sessions[0];
    EXPECT_EQ(first.record, QStringLiteral("2"));
    EXPECT_EQ(first.start, *encodeDate(2026, 3, 1) + encodeTime(10, 0, 0));
    EXPECT_EQ(first.stop, *encodeDate(2026, 3, 1) + encodeTime(10, 1, 0));
    EXPECT_EQ(first.seconds, 60);
    EXPECT_EQ(first.cost, Currency::fromRaw(12345000));
    EXPECT_EQ(first.connection, QStringLiteral("Manual Connection"));
    EXPECT_EQ(first.description, QStringLiteral("Ünïcode, \"quoted\""));
    // An empty charge reads as nothing spent, as the list reads it; a midnight start has no time.
    EXPECT_EQ(history->sessions[1].record, QStringLiteral("6"));
    EXPECT_EQ(history->sessions[1].cost, Currency());
    EXPECT_EQ(history->sessions[1].start, *encodeDate(2026, 3, 1));
    EXPECT_EQ(history->sessions[2].record, QStringLiteral("10"));

    const QString sessions = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions\\");
    const QList<std::pair<QString, QString>> expected = {
        {sessions + "3", "SessionStart: '31/02/2026 10:00:00' is not a valid date and time"},
        {sessions + "4", "CallCharges: '£1.2.3' is not a valid floating point value"},
        {sessions + "5", "CallTime is missing"},
        {sessions + "7", "CallTime is not a DWORD"}};
    ASSERT_EQ(history->unread.size(), expected.size());
    for (qsizetype at = 0; at < expected.size(); ++at) {
        EXPECT_EQ(history->unread[at].key, expected[at].first);
        EXPECT_EQ(history->unread[at].reason, expected[at].second);
    }
}

TEST_F(SessionHistoryTest, AHiveWithoutSessionsHasAnEmptyHistory) {
    store_.seed(ProductSeed(QStringLiteral("\"FirstRun\"=dword:00000001\n")));
    const std::optional<SessionHistory> history = read();
    ASSERT_TRUE(history);
    EXPECT_TRUE(history->sessions.isEmpty());
    EXPECT_TRUE(history->unread.isEmpty());
}

TEST_F(SessionHistoryTest, ReadingChangesNoByteOfTheHiveAndWritingIsRefused) {
    store_.seed(Record("0", Complete("01/03/2026 10:00:00", "£0.10")));
    store_.hive().close();
    const QByteArray before = Bytes(store_.hive().file());
    Hive readOnly(store_.hive().file(), Hive::ReadOnly{});
    ASSERT_TRUE(ReadSessionHistory(readOnly, RegionalSettings::british()));
    EXPECT_EQ(ReadPeriodStartDay(readOnly), 1);
    EXPECT_FALSE(
        readOnly.writeValue(QStringLiteral("Software"), QStringLiteral("X"), RegValue::ofDword(1)));
    readOnly.close();
    EXPECT_EQ(Bytes(store_.hive().file()), before);
}

TEST_F(SessionHistoryTest, ReadsWhileAnotherConnectionHoldsTheHiveForWriting) {
    store_.seed(Record("0", Complete("01/03/2026 10:00:00", "£0.10")));
    Hive::Transaction writing(store_.hive());
    ASSERT_TRUE(writing.begun());
    ASSERT_TRUE(store_.hive().writeValue(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                                         QStringLiteral("TotalCallTime"), RegValue::ofDword(60)));
    Hive readOnly(store_.hive().file(), Hive::ReadOnly{});
    readOnly.setBusyWait(std::chrono::milliseconds(0));
    const std::optional<SessionHistory> history =
        ReadSessionHistory(readOnly, RegionalSettings::british());
    ASSERT_TRUE(history) << readOnly.lastError().toStdString();
    EXPECT_EQ(history->sessions.size(), 1);
}

TEST_F(SessionHistoryTest, AStartDayIsTheStoredOneOnlyWhenItIsADayFrom1To28) {
    const struct {
        const char* stored;
        int day;
    } cases[] = {{"", 1},
                 {"\"PeriodStartDay\"=dword:0000000f\n", 15},
                 {"\"PeriodStartDay\"=dword:0000001c\n", 28},
                 {"\"PeriodStartDay\"=dword:0000001d\n", 1},
                 {"\"PeriodStartDay\"=dword:00000000\n", 1},
                 {"\"PeriodStartDay\"=dword:ffffffff\n", 1},
                 {"\"PeriodStartDay\"=\"15\"\n", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        store_.seed(QStringLiteral("[-HKEY_LOCAL_MACHINE\\Software]\n") +
                    ProductSeed(QString::fromUtf8(c.stored)));
        EXPECT_EQ(ReadPeriodStartDay(store_.hive()), c.day);
    }
}

} // namespace
