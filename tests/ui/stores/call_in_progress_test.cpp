// What the window does with the call kept while it runs (the keeping itself, the recovery and
// the drop are the call log's, tested without a window): it keeps a call from its start, drops
// it at Exit, records a leftover one at the next start without asking and says so, and the
// signal of a session's end records the call up to that moment.
#include "metering/date_time.h"
#include "store/sessionlog/call_in_progress.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/store_keys.h"
#include "support/main_window_test.h"

#include <QLineEdit>

namespace dvx {
namespace {

const QString kSection = QStringLiteral("[HKEY_LOCAL_MACHINE\\") + kCallInProgressKey + "]\n";

class CallInProgressTest : public ConfiguredWindowTest {
protected:
    std::int32_t keptSeconds() const {
        const std::optional<CallInProgress> call = hive.sessionLog.ReadCallInProgress();
        return call ? call->seconds : -1;
    }
    // A call left by a program that ended during it, started an hour before the clock's now.
    void leaveCall(std::int32_t seconds, Currency charge) {
        ASSERT_TRUE(hive.sessionLog
                        .KeepCallInProgress({.start = clock.now() - 3600 / kSecondsPerDay,
                                             .seconds = seconds,
                                             .charge = charge,
                                             .connectionName = "Automatic Connection",
                                             .number = {}},
                                            RegionalSettings::british())
                        .ok());
    }
    std::optional<RegValue> stored(const char* name) const {
        return hive.value(kProductKey, QString::fromLatin1(name));
    }
};

TEST_F(CallInProgressTest, AnAutomaticOrManualCallIsKeptFromItsStartAndGoesWhenRecorded) {
    startAutomaticSession();
    EXPECT_EQ(keptSeconds(), 0);
    tickAfter(15);
    EXPECT_EQ(keptSeconds(), 15);
    connection.hangUp();
    tick();
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());

    window.SetMonitoring(false);
    run([this] { window.btnManualStartClick(); });
    ASSERT_TRUE(hive.sessionLog.ReadCallInProgress().has_value());
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress()->connectionName, "Manual Connection");
}

// Exit during a call is the user's choice to drop it: nothing of it is recorded, now or later.
TEST_F(CallInProgressTest, ExitDuringACallRemovesItAndRecordsNothing) {
    startAutomaticSession();
    tickAfter(75);
    run([this] { window.ExitProgram(); });
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_TRUE(hive.sessionLog.SessionRecordNames().isEmpty());
    EXPECT_EQ(window.meter().totalSeconds(), 0);
}

// A call kept by an earlier run whose session is not recorded yet is no call of this one.
TEST_F(CallInProgressTest, ExitWithoutACallLeavesAKeptCallForTheNextStart) {
    leaveCall(61, Currency::fromRaw(kMinimumRaw));
    run([this] { window.ExitProgram(); });
    EXPECT_EQ(keptSeconds(), 61);
}

// The next start records the call as last kept, in the totals and the log, with the default
// description (nobody is asked), says so once, and keeps nothing of it.
TEST_F(CallInProgressTest, ALeftoverCallIsRecordedAtTheNextStartAndAddedToTheTotals) {
    storeTotals(100, Currency::fromRaw(10000));
    loadWith(QStringLiteral("\"DefaultDescription\"=\"Dial-up\"\n"
                            "\"PromptForDescription\"=dword:00000001\n"));
    leaveCall(125, Currency::fromRaw(730));
    window.FormCreate();
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().size() << " boxes";
    EXPECT_EQ(status(), "Recorded an unfinished call from 03/03/2026 11:00:00");
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("0")),
              (SessionRecord{.callTime = 125,
                             .sessionStart = "03/03/2026 11:00:00",
                             .sessionStop = "03/03/2026 11:02:05",
                             .callCharges = "£0.07",
                             .connectionName = "Automatic Connection",
                             .number = {},
                             .description = "Dial-up"}));
    EXPECT_EQ(window.meter().totalSeconds(), 225);
    EXPECT_EQ(window.meter().totalCharges(), Currency::fromRaw(10730));
    EXPECT_EQ(stored("TotalCallTime"), RegValue::ofDword(225));
    EXPECT_EQ(stored("TotalCallCharges"), RegValue::ofString("£1.07"));
    EXPECT_EQ(listedRows(), QStringList({"03/03/2026 11:00:00|Dial-up|2min, 05sec|£0.07"}));
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_TRUE(window.settings().PromptForDescription) << "the description box is asked again";

    window.FormCreate();
    EXPECT_EQ(status(), "Monitoring For Call");
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"0"}));
}

TEST_F(CallInProgressTest, ADamagedLeftoverIsRemovedAndStartUpGoesOn) {
    hive.seed(kSection + QStringLiteral("\"StartMoment\"=\"yesterday\"\n"
                                        "\"CallTime\"=dword:0000003d\n"));
    window.FormCreate();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_EQ(status(), "Monitoring For Call");
    EXPECT_TRUE(window.meter().monitoring());
}

// Log-out or shutdown during a call: the call is recorded up to this moment, not to its last
// tick, without asking for its description.
TEST_F(CallInProgressTest, TheEndOfTheSessionRecordsTheCallUpToThatMoment) {
    loadWith(QStringLiteral("\"PromptForDescription\"=dword:00000001\n"));
    startAutomaticSession();
    tickAfter(75);
    clock.advanceMs(10400);
    run([this] { window.EndCallOnTermination(); });
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(window.meter().charging());
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("0")).callTime, 85);
    EXPECT_EQ(window.meter().totalSeconds(), 85);
    EXPECT_TRUE(window.settings().PromptForDescription);

    run([this] { window.EndCallOnTermination(); }); // no call: nothing more
    EXPECT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"0"}));
}

} // namespace
} // namespace dvx
