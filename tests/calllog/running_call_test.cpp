// The running call is kept in the hive every ten seconds, so that a crash loses at most that
// much of it; the next start records it once; a call the user dropped by ending the program is
// never recorded, whether or not the hive could be written then.
#include "call_log_fixture.h"

#include "store/sessionlog/call_in_progress.h"
#include "store/sessionlog/session_log_store.h"

namespace dvx::test {
namespace {

class RunningCallTest : public CallLogTest {
protected:
    void startCall() {
        meter.startSession(SessionKind::automatic);
        log->keepRunningCall();
    }
    // The meter's ticks over `seconds`, one a second, as the window runs them.
    void runFor(std::int64_t seconds) {
        for (std::int64_t second = 0; second < seconds; ++second) {
            clock.advanceSeconds(1);
            meter.updateSession(AlarmWindowState::hidden);
            log->keepRunningCall();
        }
    }
    std::int32_t keptSeconds() const {
        const std::optional<CallInProgress> kept = hive.sessionLog.ReadCallInProgress();
        return kept ? kept->seconds : -1;
    }
    // The program ends without a word (a crash, a kill, a power cut) and starts again.
    void crashAndRestart() {
        meter.endSession();
        restart();
    }
};

TEST_F(RunningCallTest, TheCallIsKeptAtItsStartAndEveryTenSeconds) {
    startCall();
    EXPECT_EQ(keptSeconds(), 0);
    EXPECT_EQ(hive.sessionLog.ReadCallInProgress()->charge, Currency::fromRaw(500))
        << "a call just started is billed the minimum";
    const struct {
        std::int64_t after;
        std::int32_t kept;
    } steps[] = {{5, 0}, {4, 0}, {1, 10}, {9, 10}, {1, 20}, {45, 60}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.after);
        runFor(step.after);
        EXPECT_EQ(keptSeconds(), step.kept);
    }
}

// A crash loses at most ten seconds of the call; a call under a minute comes back with the
// seconds it had, not as nothing.
TEST_F(RunningCallTest, ACallInterruptedByACrashIsRecordedOnceAtTheNextStartAsLastKept) {
    const struct {
        std::int64_t ran;
        std::int32_t recorded;
    } cases[] = {{5, 0}, {12, 10}, {59, 50}, {61, 60}, {125, 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ran);
        ASSERT_TRUE(log->reset(QStringLiteral("01/03/2026 09:00:00")).ok());
        startCall();
        runFor(c.ran);
        crashAndRestart();
        const std::optional<FinishedSession> leftover = log->takeLeftoverCall();
        ASSERT_TRUE(leftover.has_value());
        EXPECT_EQ(leftover->seconds, c.recorded);
        EXPECT_EQ(leftover->charge, PeakCharge(c.recorded));
        log->record(*leftover, QStringLiteral("recovered"));
        EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
        restart();
        EXPECT_FALSE(log->takeLeftoverCall().has_value()) << "recorded once";
        EXPECT_EQ(recordNames().size(), 1);
        expectTotalsAreTheRecords();
    }
}

// Ending the program during a call drops it; when the hive cannot be written then, the file
// beside it remembers the drop, and the kept call goes at the next start without a record.
TEST_F(RunningCallTest, ACallDroppedByTheEndOfTheProgramIsNeverRecordedBusyHiveOrNot) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "hive held at the end" : "hive free at the end");
        startCall();
        runFor(25);
        if (held)
            holdHive();
        log->dropRunningCall();
        EXPECT_EQ(log->saveBeforeExit(std::chrono::milliseconds(50)), 0);
        meter.endSession();
        releaseHive();
        EXPECT_EQ(hive.sessionLog.CallInProgressKept(), held);
        restart();
        EXPECT_FALSE(log->takeLeftoverCall().has_value());
        EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
        EXPECT_TRUE(recordNames().isEmpty());
        restart();
        EXPECT_FALSE(log->takeLeftoverCall().has_value());
        EXPECT_TRUE(recordNames().isEmpty());
    }
}

// A leftover whose record already waits (the hive could not take it) is not taken twice.
TEST_F(RunningCallTest, ALeftoverCallOnItsWayInIsNotTakenAgain) {
    startCall();
    runFor(30);
    crashAndRestart();
    const std::optional<FinishedSession> leftover = log->takeLeftoverCall();
    ASSERT_TRUE(leftover.has_value());
    holdHive();
    log->record(*leftover, {});
    log.reset();
    releaseHive();
    restart();
    EXPECT_FALSE(log->takeLeftoverCall().has_value());
    ticks(1);
    EXPECT_EQ(recordNames().size(), 1);
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
}

TEST_F(RunningCallTest, WhatCannotBeReadAsACallIsRemoved) {
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\") + kCallInProgressKey +
              QStringLiteral("]\n\"StartMoment\"=\"yesterday\"\n\"CallTime\"=dword:0000003d\n"));
    EXPECT_FALSE(log->takeLeftoverCall().has_value());
    EXPECT_FALSE(hive.sessionLog.CallInProgressKept());
}

} // namespace
} // namespace dvx::test
