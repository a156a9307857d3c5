// Session records, their totals and the reset, in a hive of the test's own.
#include "metering/conversion_error.h"
#include "metering/seconds_sum.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/store_keys.h"
#include "support/store_hive.h"

#include <gtest/gtest.h>
#include <limits>

namespace dvx {
namespace {

using test::StoreHive;

SessionRecord Session(std::int32_t seconds, const char* charge) {
    return {.callTime = seconds,
            .sessionStart = QStringLiteral("03/03/2026 12:00:00"),
            .sessionStop = QStringLiteral("03/03/2026 12:12:05"),
            .callCharges = QString::fromUtf8(charge),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

TEST(SessionRecords, ARecordIsWrittenValueByValueUnderTheNextNumber) {
    StoreHive hive;
    const QString key = hive.sessionLog.WriteSessionRecord(Session(725, "£0.42"));
    EXPECT_EQ(key, kSessionsKey + "\\0");
    EXPECT_EQ(hive.valueNames(key), QStringList({"CallTime", "SessionStart", "SessionStop",
                                                 "CallCharges", "ConnectionName", "Number"}));
    ASSERT_TRUE(hive.sessionLog.WriteSessionDescription(key, QStringLiteral("Evening mail")).ok());
    SessionRecord expected = Session(725, "£0.42");
    expected.description = QStringLiteral("Evening mail");
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("0")), expected);
    EXPECT_EQ(hive.value(key, QStringLiteral("CallTime")), RegValue::ofDword(725));
    EXPECT_EQ(hive.sessionLog.WriteSessionRecord(Session(59, "£0.05")), kSessionsKey + "\\1");
}

TEST(SessionRecords, AnExistingRecordIsNeverOverwritten) {
    StoreHive hive;
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\1]\n"
                             "\"CallTime\"=dword:0000000a\n"));
    EXPECT_EQ(hive.sessionLog.WriteSessionRecord(Session(20, "£0.05")), kSessionsKey + "\\2");
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("1")).callTime, 10);
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"1", "2"}));
}

TEST(SessionRecords, AMissingValueReadsEmptyAndNothingIsCreated) {
    StoreHive hive;
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\0]\n"
                             "\"SessionStart\"=\"01/03/2026 10:00:00\"\n"));
    const SessionRecord record = hive.sessionLog.ReadSessionRecord(QStringLiteral("0"));
    EXPECT_EQ(record.sessionStart, "01/03/2026 10:00:00");
    EXPECT_EQ(record.callTime, 0);
    EXPECT_EQ(record.callCharges, "");
    EXPECT_EQ(hive.valueNames(kSessionsKey + "\\0"), QStringList{"SessionStart"});
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("7")), SessionRecord());
    EXPECT_FALSE(hive.keyExists(kSessionsKey + "\\7"));
}

TEST(SessionRecords, AResetDeletesEveryRecordAndKeepsTheSessionsKey) {
    StoreHive hive;
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList());
    hive.sessionLog.DeleteSessionRecords(); // no Sessions key: nothing to do, nothing created
    EXPECT_FALSE(hive.keyExists(kSessionsKey));
    for (int i = 0; i < 3; ++i)
        hive.sessionLog.WriteSessionRecord(Session(60, "£0.05"));
    hive.sessionLog.DeleteSessionRecords();
    EXPECT_TRUE(hive.keyExists(kSessionsKey));
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList());
    EXPECT_EQ(hive.sessionLog.WriteSessionRecord(Session(60, "£0.05")), kSessionsKey + "\\0");
}

TEST(LogTotals, TheTotalsAreStoredAsSecondsAndMoneyText) {
    StoreHive hive;
    hive.sessionLog.WriteLogTotals(3725, Currency::fromRaw(12345678), RegionalSettings::british());
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(3725));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallCharges")),
              RegValue::ofString(QStringLiteral("£1,234.57")));
}

TEST(LogTotals, ASumOfSecondsBeyond32BitsIsAnIntegerOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(AddSeconds(kMax - 5, 5), kMax);
    EXPECT_EQ(AddSeconds(0, 0), 0);
    try {
        AddSeconds(kMax - 5, 6);
        ADD_FAILURE() << "no overflow";
    } catch (const RangeError& error) {
        EXPECT_EQ(error.text(), "Integer overflow");
    }
}

// Reading all records at once gives what reading them one by one gives, record for record.
TEST(SessionRecords, AllRecordsReadAtOnceMatchTheRecordsReadOneByOne) {
    const QString sessions = QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\"
                                            "Dorvantix\\Sessions");
    const struct {
        const char* what;
        QString regedit;
    } cases[] = {
        {"no records", {}},
        {"complete records in number order",
         sessions +
             "\\10]\n\"CallTime\"=dword:0000003c\n\"SessionStart\"=\"a\"\n"
             "\"SessionStop\"=\"b\"\n\"CallCharges\"=\"£0.05\"\n"
             "\"ConnectionName\"=\"c\"\n\"Number\"=\"0123\"\n"
             "\"Description\"=\"d\"\n" +
             sessions + "\\9]\n\"CallTime\"=dword:ffffffff\n\"CallCharges\"=\"£1.00\"\n" +
             sessions + "\\2]\n\"Description\"=\"two\"\n"},
        {"odd names after the numbers",
         sessions + "\\b]\n\"Description\"=\"b\"\n" + sessions +
             "\\007]\n\"Description\"=\"seven with zeros\"\n" + sessions +
             "\\7]\n\"Description\"=\"seven\"\n" + sessions + "\\A]\n\"Description\"=\"a\"\n" +
             sessions + "\\1234567890123456789]\n\"Description\"=\"too long a number\"\n"},
        {"missing values and a record without any",
         sessions + "\\0]\n\"SessionStart\"=\"01/03/2026 10:00:00\"\n" + sessions + "\\1]\n"},
        {"values of the wrong type and names in another case",
         sessions + "\\0]\n\"CallTime\"=\"60\"\n\"SessionStart\"=dword:00000005\n"
                    "\"callcharges\"=\"£0.42\"\n\"DESCRIPTION\"=\"upper\"\n"
                    "\"Unknown\"=\"x\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StoreHive hive;
        if (!c.regedit.isEmpty())
            hive.seed(c.regedit);
        QList<SessionRecord> oneByOne;
        for (const QString& name : hive.sessionLog.SessionRecordNames())
            oneByOne.append(hive.sessionLog.ReadSessionRecord(name));
        EXPECT_EQ(hive.sessionLog.ReadSessionRecords(), oneByOne);
    }
}

} // namespace
} // namespace dvx

namespace dvx {
namespace {

// Records a session and gives its record's key.
QString RecordedKey(const StoreHive& hive) {
    return hive.sessionLog
        .RecordWholeSession(Session(60, "£0.05"), 0, Currency(), RegionalSettings::british())
        .value;
}

// The number of records a new record's name comes from is counted again whenever the store
// changed otherwise than by the session log's own records and descriptions.
TEST(SessionRecords, ARecordTakesTheCountOfTheRecordsAsTheyAreNow) {
    StoreHive hive;
    const auto record = [&hive] { return RecordedKey(hive); };
    for (const char* name : {"0", "1", "2"})
        EXPECT_EQ(record(), kSessionsKey + "\\" + name);
    ASSERT_TRUE(hive.sessionLog.WriteSessionDescription(kSessionsKey + "\\2", "answered").ok());
    EXPECT_EQ(record(), kSessionsKey + "\\3");

    // Another program deletes two records: two are left, and the next takes their count.
    Hive other(hive.hive().file());
    ASSERT_TRUE(other.deleteKey(kSessionsKey + "\\1"));
    ASSERT_TRUE(other.deleteKey(kSessionsKey + "\\2"));
    EXPECT_EQ(record(), kSessionsKey + "\\2") << "the count of the two records left";
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"0", "2", "3"}));
    // This program deletes them itself.
    hive.sessionLog.DeleteSessionRecords();
    EXPECT_EQ(record(), kSessionsKey + "\\0");
}

// A count of the records that a reading noted is taken as it stands, without counting the log
// again, while the store is as the reading found it; once another program changed the store the
// records are counted again.
TEST(SessionRecords, ANotedCountHoldsOnlyWhileTheStoreIsAsItWasRead) {
    StoreHive hive;
    const auto record = [&hive] { return RecordedKey(hive); };
    for (const char* name : {"0", "1"})
        EXPECT_EQ(record(), kSessionsKey + "\\" + name);
    const auto noteCount = [&hive](qsizetype count) {
        const std::optional<HiveStamp> read = hive.sessionLog.SessionLogStamp();
        ASSERT_TRUE(read);
        hive.sessionLog.NoteRecordCount(count, *read);
    };
    noteCount(7);
    EXPECT_EQ(record(), kSessionsKey + "\\7") << "the noted count, not counted again";

    noteCount(9);
    Hive other(hive.hive().file());
    ASSERT_TRUE(other.deleteKey(kSessionsKey + "\\0"));
    EXPECT_EQ(record(), kSessionsKey + "\\2") << "\"1\" and \"7\" counted again";
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"1", "2", "7"}));
}

} // namespace
} // namespace dvx
