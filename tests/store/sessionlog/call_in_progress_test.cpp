// The call in progress kept in the store: written whole, read back exactly, never taken from
// damaged values, and forgotten only as the call it is.
#include "metering/date_time.h"
#include "metering/regional_settings.h"
#include "store/sessionlog/call_in_progress.h"
#include "store/sessionlog/session_log_store.h"
#include "support/store_hive.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace dvx {
namespace {

using test::StoreHive;

const RegionalSettings kBritish = RegionalSettings::british();
const QString kSection = QStringLiteral("[HKEY_LOCAL_MACHINE\\") + kCallInProgressKey + "]\n";

// Tuesday 3 March 2026, 12:00:00.5 local time: not a whole number of seconds.
DateTime Start() {
    return encodeDateTime(QDateTime(QDate(2026, 3, 3), QTime(12, 0, 0, 500)));
}

CallInProgress Call(std::int32_t seconds = 61) {
    return {.start = Start(),
            .seconds = seconds,
            .charge = Currency::fromRaw(712),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = QString()};
}

SessionRecord RecordOf(const QString& start) {
    return {.callTime = 61,
            .sessionStart = start,
            .sessionStop = QStringLiteral("03/03/2026 12:01:01"),
            .callCharges = QStringLiteral("£0.07"),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

TEST(CallInProgressStore, AKeptCallReadsBackExactlyAndAKeepReplacesTheOneBefore) {
    StoreHive hive;
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress(), std::nullopt);
    ASSERT_TRUE(hive.sessionLog.KeepCallInProgress(Call(0), kBritish).ok());
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress(), Call(0));
    CallInProgress manual = Call(125);
    manual.connectionName = QStringLiteral("Manual Connection");
    manual.charge = Currency::fromRaw(123456789012LL);
    ASSERT_TRUE(hive.sessionLog.KeepCallInProgress(manual, kBritish).ok());
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress(), manual);
    EXPECT_EQ(hive.valueNames(kCallInProgressKey),
              QStringList({"SessionStart", "StartMoment", "CallTime", "ChargeTenThousandths",
                           "ConnectionName", "Number"}));
    EXPECT_EQ(hive.value(kCallInProgressKey, "SessionStart"),
              RegValue::ofString("03/03/2026 12:00:00"));
    EXPECT_EQ(hive.value(kCallInProgressKey, "CallTime"), RegValue::ofDword(125));
    hive.sessionLog.RemoveCallInProgress();
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    hive.sessionLog.RemoveCallInProgress(); // nothing kept: nothing happens
}

// Values that no keep writes: each is no call, and reading it changes nothing.
TEST(CallInProgressStore, DamagedValuesAreNoCallAndStayAsTheyAre) {
    const QString whole = QStringLiteral("\"StartMoment\"=\"46084.5\"\n"
                                         "\"CallTime\"=dword:0000003d\n"
                                         "\"ChargeTenThousandths\"=\"712\"\n"
                                         "\"ConnectionName\"=\"Automatic Connection\"\n"
                                         "\"Number\"=\"\"\n");
    const struct {
        const char* what;
        QString from;
        QString to;
    } damages[] = {
        {"no start", "\"StartMoment\"=\"46084.5\"\n", ""},
        {"a start that is no number", "46084.5", "half past noon"},
        {"a start that is not finite", "46084.5", "inf"},
        {"a start not a number", "46084.5", "nan"},
        {"a start before the scale", "46084.5", "-1"},
        {"a start after the year 9999", "46084.5", "1e300"},
        {"a start of the wrong type", "\"StartMoment\"=\"46084.5\"",
         "\"StartMoment\"=dword:00000001"},
        {"no seconds", "\"CallTime\"=dword:0000003d\n", ""},
        {"negative seconds", "dword:0000003d", "dword:ffffffff"},
        {"seconds as text", "dword:0000003d", "\"61\""},
        {"a charge that is no number", "\"712\"", "\"£0.07\""},
        {"a negative charge", "\"712\"", "\"-712\""},
        {"a charge beyond 64 bits", "\"712\"", "\"99999999999999999999\""},
        {"no connection name", "\"ConnectionName\"=\"Automatic Connection\"\n", ""},
        {"a foreign connection name", "Automatic Connection", "Broadband"},
        {"no number", "\"Number\"=\"\"\n", ""},
        {"a number of the wrong type", "\"Number\"=\"\"", "\"Number\"=dword:00000000"},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        StoreHive hive;
        QString values = whole;
        ASSERT_TRUE(values.contains(damage.from));
        hive.seed(kSection + values.replace(damage.from, damage.to));
        const QStringList stored = hive.valueNames(kCallInProgressKey);
        EXPECT_TRUE(hive.sessionLog.CallInProgressKept());
        EXPECT_EQ(hive.sessionLog.ReadCallInProgress(), std::nullopt);
        EXPECT_EQ(hive.valueNames(kCallInProgressKey), stored);
        hive.sessionLog.RemoveCallInProgress();
        EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    }
    StoreHive hive;
    hive.seed(kSection + whole);
    ASSERT_TRUE(hive.sessionLog.ReadCallInProgress().has_value())
        << "the undamaged values are a call";
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress()->seconds, 61);
}

TEST(CallInProgressStore, OnlyTheCallThatStartedAtTheTextIsForgotten) {
    StoreHive hive;
    ASSERT_TRUE(hive.sessionLog.KeepCallInProgress(Call(), kBritish).ok());
    hive.sessionLog.ForgetCallInProgressStartedAt("03/03/2026 12:00:01", kBritish);
    EXPECT_TRUE(hive.sessionLog.ReadCallInProgress().has_value());
    hive.sessionLog.ForgetCallInProgressStartedAt("03/03/2026 12:00:00", kBritish);
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    hive.sessionLog.ForgetCallInProgressStartedAt("03/03/2026 12:00:00",
                                                  kBritish); // none kept: nothing happens
}

// The kept call goes in the same change as its session's record: a kill after it can never
// leave both, and a later call's keep survives an earlier session's record.
TEST(CallInProgressStore, RecordingTheSessionForgetsItsCallInTheSameChange) {
    StoreHive hive;
    ASSERT_TRUE(hive.sessionLog.KeepCallInProgress(Call(), kBritish).ok());
    ASSERT_FALSE(hive.sessionLog
                     .RecordWholeSession(RecordOf("03/03/2026 11:00:00"), 61, Currency(), kBritish)
                     .value.isEmpty());
    EXPECT_TRUE(hive.sessionLog.ReadCallInProgress().has_value()) << "another session's record";
    ASSERT_FALSE(hive.sessionLog
                     .RecordWholeSession(RecordOf("03/03/2026 12:00:00"), 122, Currency(), kBritish)
                     .value.isEmpty());
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"0", "1"}));
}

} // namespace
} // namespace dvx
