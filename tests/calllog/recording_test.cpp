// A finished call is recorded whole, its first description with it; the user's answer replaces
// that description; the session list gains the new row without reading the hive again.
#include "call_log_fixture.h"

#include "metering/conversion_error.h"
#include "store/settings/store_keys.h"

namespace dvx::test {
namespace {

TEST_F(CallLogTest, ACallIsRecordedWithItsFirstDescriptionAndTheAnswerReplacesIt) {
    const CallLog::Ticket ticket = record(150, QStringLiteral("Dial-up"));
    ASSERT_EQ(recordNames(), QStringList({"0"}));
    EXPECT_EQ(storedRecord("0"), (SessionRecord{.callTime = 150,
                                                .sessionStart = "03/03/2026 12:00:00",
                                                .sessionStop = "03/03/2026 12:02:30",
                                                .callCharges = "£0.09",
                                                .connectionName = "Automatic Connection",
                                                .number = {},
                                                .description = "Dial-up"}));
    EXPECT_EQ(hive.valueNames(kSessionsKey + QStringLiteral("\\0")).last(), "Description");
    log->describe(ticket, QStringLiteral("Work"));
    EXPECT_EQ(storedRecord("0").description, "Work");
    expectTotalsAreTheRecords();
    EXPECT_EQ(meter.totalSeconds(), 150);
    EXPECT_EQ(meter.totalCharges(), PeakCharge(150));
}

TEST_F(CallLogTest, TheListGainsTheNewRowAndIsReadAgainOnlyWhenTheHiveChangedOtherwise) {
    record(60, QStringLiteral("first"));
    log->fillList();
    ASSERT_TRUE(log->listShowsStore());
    const CallLog::Ticket second = record(600, QStringLiteral("second"));
    log->describe(second, QStringLiteral("answered"));
    EXPECT_TRUE(log->listShowsStore()) << "the row was added, not read";
    log->fillList();
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.rowTexts(1),
              (SessionRow{"03/03/2026 12:02:00", "answered", "10min, 00sec", "£0.35"}));
    EXPECT_EQ(log->listedSeconds(), 660);
    EXPECT_EQ(log->listedCharges(), Currency::fromRaw(500 + 3500));

    // Another program adds a record: the list is read again.
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\7]\n"
                             "\"CallTime\"=dword:0000000a\n\"CallCharges\"=\"£1.00\"\n"));
    EXPECT_FALSE(log->listShowsStore());
    log->fillList();
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(log->listedSeconds(), 670);
}

// A record whose name comes before a listed one (a gap in the numbers) is never put last.
TEST_F(CallLogTest, ARecordThatFillsAGapMakesTheListReadAgain) {
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\5]\n"
                             "\"CallTime\"=dword:0000000a\n\"CallCharges\"=\"£1.00\"\n"));
    log->fillList();
    record(60);
    EXPECT_EQ(recordNames(), QStringList({"1", "5"}));
    log->fillList();
    EXPECT_EQ(list.rowTexts(0).cost, "£0.05");
    EXPECT_EQ(list.rowTexts(1).cost, "£1.00");
}

TEST_F(CallLogTest, ACallWhoseSecondsNoLongerFitTheTotalsIsNotRecorded) {
    log->setStoredTotals(std::numeric_limits<std::int32_t>::max() - 5, Currency());
    EXPECT_THROW(record(10), RangeError);
    EXPECT_TRUE(recordNames().isEmpty());
    EXPECT_EQ(log->unsaved(), 0);
    EXPECT_EQ(meter.totalSeconds(), std::numeric_limits<std::int32_t>::max() - 5);
}

TEST_F(CallLogTest, AResetStartsTheLogAgainInOneChangeOrNotAtAll) {
    record(60);
    record(120);
    holdHive();
    const StoreResult refused = log->reset(QStringLiteral("10/03/2026 09:00:00"));
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.busy());
    releaseHive();
    EXPECT_EQ(recordNames().size(), 2);
    EXPECT_EQ(meter.totalSeconds(), 180);

    ASSERT_TRUE(log->reset(QStringLiteral("10/03/2026 09:00:00")).ok());
    EXPECT_TRUE(recordNames().isEmpty());
    EXPECT_TRUE(hive.keyExists(kSessionsKey));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("LastResetDate")),
              RegValue::ofString("10/03/2026 09:00:00"));
    expectTotalsAreTheRecords();
    record(30);
    EXPECT_EQ(recordNames(), QStringList({"0"}));
}

} // namespace
} // namespace dvx::test
