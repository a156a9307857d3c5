// Two hives open side by side in one process: each store reads and writes only its own file,
// and tells only its own failures.
#include "metering/money_text.h"
#include "metering/regional_settings.h"
#include "store/registry/hive.h"
#include "store/settings/store_keys.h"
#include "support/store_hive.h"

#include <chrono>
#include <gtest/gtest.h>

namespace dvx {
namespace {

using test::StoreHive;

const RegionalSettings kBritish = RegionalSettings::british();

SessionRecord Call(std::int32_t seconds, const char* charge, const char* start) {
    return {.callTime = seconds,
            .sessionStart = QString::fromUtf8(start),
            .sessionStop = QStringLiteral("03/03/2026 13:00:00"),
            .callCharges = QString::fromUtf8(charge),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

// What one hive holds, written through its stores.
struct Written {
    SessionRecord record;
    const char* resetDate;
    bool callKept;
};

TEST(SeparateHives, EachHiveHoldsOnlyWhatWasWrittenThroughItsOwnStores) {
    StoreHive first;
    StoreHive second;
    const struct {
        StoreHive& hive;
        Written written;
    } hives[] = {
        {first, {Call(61, "£0.07", "03/03/2026 12:00:00"), "01/03/2026 09:00:00", true}},
        {second, {Call(3600, "£2.10", "04/03/2026 18:30:00"), "02/03/2026 10:00:00", false}},
    };
    for (const auto& [hive, written] : hives) {
        hive.settingsStore.WriteLastResetDate(QString::fromUtf8(written.resetDate));
        const Currency charge = ParseMoneyText(written.record.callCharges, kBritish);
        ASSERT_TRUE(
            hive.sessionLog
                .RecordWholeSession(written.record, written.record.callTime, charge, kBritish)
                .result.ok());
        if (written.callKept) {
            ASSERT_TRUE(hive.sessionLog
                            .KeepCallInProgress({.start = 46084.5,
                                                 .seconds = 5,
                                                 .charge = charge,
                                                 .connectionName = "Manual Connection",
                                                 .number = {}},
                                                kBritish)
                            .ok());
        }
    }
    for (const auto& [hive, written] : hives) {
        SCOPED_TRACE(written.resetDate);
        EXPECT_EQ(hive.sessionLog.ReadSessionRecords(), QList<SessionRecord>{written.record});
        EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")),
                  RegValue::ofDword(written.record.callTime));
        QString resetDate;
        hive.settingsStore.ReadLastResetDate(resetDate, 0, kBritish);
        EXPECT_EQ(resetDate, QString::fromUtf8(written.resetDate));
        EXPECT_EQ(hive.sessionLog.CallInProgressKept(), written.callKept);
    }

    second.sessionLog.DeleteSessionRecords();
    EXPECT_TRUE(second.sessionLog.ReadSessionRecords().isEmpty());
    EXPECT_EQ(first.sessionLog.ReadSessionRecords().size(), 1);
}

// A hive another program holds makes only its own store fail, and only that store says so.
TEST(SeparateHives, AHeldHiveFailsAloneAndTellsItsOwnReason) {
    StoreHive held;
    StoreHive free;
    held.hive().setBusyWait(std::chrono::milliseconds(20));
    Hive otherProgram(held.hive().file());
    Hive::Transaction holding(otherProgram);
    ASSERT_TRUE(otherProgram.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                        RegValue::ofDword(1)));

    const SessionRecord call = Call(61, "£0.07", "03/03/2026 12:00:00");
    const StoreValue<QString> refused =
        held.sessionLog.RecordWholeSession(call, 61, Currency(), kBritish);
    const StoreValue<QString> taken =
        free.sessionLog.RecordWholeSession(call, 61, Currency(), kBritish);
    EXPECT_TRUE(refused.value.isEmpty());
    EXPECT_FALSE(taken.value.isEmpty());
    EXPECT_TRUE(refused.result.busy());
    EXPECT_TRUE(refused.result.reason().contains(QStringLiteral("locked")))
        << refused.result.reason().toStdString();
    EXPECT_EQ(held.sessionLog.file(), held.hive().file());
    EXPECT_TRUE(taken.result.ok());
    EXPECT_NE(free.sessionLog.file(), held.sessionLog.file());
    EXPECT_EQ(free.sessionLog.ReadSessionRecords(), QList<SessionRecord>{call});
}

} // namespace
} // namespace dvx
