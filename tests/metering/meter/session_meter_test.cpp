// The session meter without a window: the tick in each monitor state, manual sessions, the
// rate a session keeps, the totals and the alarms.
#include "metering/meter/session_meter.h"

#include "metering/conversion_error.h"
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace dvx;

namespace {

Currency Pence(std::int64_t pence) {
    return Currency::fromRaw(pence * 100);
}

// Peak 6p a minute (a tenth of a penny a second), off-peak 3p from 18:00 to 08:00, weekend 1p,
// at least 5p a call. The fake clock starts on a Tuesday at 12:00, in peak time.
Tariff TestTariff() {
    Tariff tariff;
    tariff.peakRate = Pence(6);
    tariff.offPeakRate = Pence(3);
    tariff.weekendRate = Pence(1);
    tariff.minimumCharge = Pence(5);
    tariff.offPeakStart = 18.0 / 24;
    tariff.offPeakEnd = 8.0 / 24;
    tariff.weekendStart = 18.0 / 24;
    tariff.weekendEnd = 8.0 / 24;
    return tariff;
}

class SessionMeterTest : public ::testing::Test {
protected:
    SessionMeterTest() {
        qputenv("TZ", "UTC");
        meter.setTariff(TestTariff());
        meter.setLastResetDate(QStringLiteral("01/03/2026"));
    }

    TickOutcome tickAfter(std::int64_t seconds,
                          AlarmWindowState window = AlarmWindowState::hidden) {
        clock.advanceSeconds(seconds);
        return meter.tick(window);
    }

    FakeClock clock;
    FakeConnectionState connection;
    RegionalSettings regional = RegionalSettings::british();
    SessionMeter meter{clock, connection, regional};
};

// The connection each tick sees, and what the meter is doing after it.
struct TickStep {
    ConnectionState state;
    std::int64_t secondsLater;
    bool started;
    bool updated;
    bool ended;
    bool chargingAfter;
    std::int32_t secondsAfter;
};

constexpr ConnectionState kNone{false, false};
constexpr ConnectionState kModem{true, true};
constexpr ConnectionState kLan{true, false};

struct TickCase {
    const char* name;
    bool monitoring;
    std::vector<TickStep> steps;
};

const TickCase kTickCases[] = {
    {"no connection: nothing happens", true, {{kNone, 1, false, false, false, false, 0}}},
    {"a modem call starts, counts from the tick that saw it, and ends",
     true,
     {{kModem, 1, true, true, false, true, 0},
      {kModem, 61, false, true, false, true, 61},
      {kNone, 1, false, false, true, false, 0}}},
    {"a LAN connection never starts a session",
     true,
     {{kLan, 1, false, false, false, false, 0}, {kLan, 30, false, false, false, false, 0}}},
    {"a LAN connection freezes a running session, the modem brings it back",
     true,
     {{kModem, 1, true, true, false, true, 0},
      {kModem, 10, false, true, false, true, 10},
      {kLan, 50, false, false, false, true, 10},
      {kModem, 5, false, true, false, true, 65}}},
    {"out of monitor mode the connection is not looked at",
     false,
     {{kModem, 1, false, false, false, false, 0}}},
};

TEST_F(SessionMeterTest, TickFollowsTheConnectionInEachMonitorState) {
    for (const TickCase& c : kTickCases) {
        SCOPED_TRACE(c.name);
        SessionMeter fresh{clock, connection, regional};
        fresh.setMonitoring(c.monitoring);
        for (const TickStep& step : c.steps) {
            connection.state = step.state;
            clock.advanceSeconds(step.secondsLater);
            const TickOutcome outcome = fresh.tick(AlarmWindowState::hidden);
            EXPECT_EQ(outcome.started, step.started);
            EXPECT_EQ(outcome.updated, step.updated);
            EXPECT_EQ(outcome.ended.has_value(), step.ended);
            EXPECT_EQ(fresh.charging(), step.chargingAfter);
            EXPECT_EQ(fresh.sessionSeconds(), step.secondsAfter);
        }
    }
}

TEST_F(SessionMeterTest, OutOfMonitorModeARunningSessionIsOnlyUpdated) {
    meter.setMonitoring(true);
    connection.dialUp();
    tickAfter(1);
    meter.setMonitoring(false);
    connection.hangUp();
    const int queries = connection.queries;
    const TickOutcome outcome = tickAfter(90);
    EXPECT_TRUE(outcome.updated);
    EXPECT_EQ(meter.sessionSeconds(), 90);
    EXPECT_EQ(connection.queries, queries);
    meter.setMonitoring(true);
    EXPECT_TRUE(tickAfter(1).ended.has_value());
}

TEST_F(SessionMeterTest, AnEndedSessionTellsItsRecordAndJoinsTheTotals) {
    meter.setTotals(100, Pence(20));
    meter.setMonitoring(true);
    connection.dialUp();
    const DateTime start = clock.now();
    tickAfter(0);
    tickAfter(150);
    connection.hangUp();
    const TickOutcome outcome = tickAfter(1);
    ASSERT_TRUE(outcome.ended.has_value());
    const FinishedSession& session = *outcome.ended;
    EXPECT_EQ(session.start, start);
    EXPECT_EQ(session.stop, clock.now());
    EXPECT_EQ(session.seconds, 150);
    EXPECT_EQ(session.charge, Pence(15)); // 6p a minute for two and a half minutes
    EXPECT_EQ(session.connectionName, QStringLiteral("Automatic Connection"));
    EXPECT_FALSE(session.isManual());
    EXPECT_TRUE(session.priced);
    EXPECT_EQ(meter.totalSeconds(), 100) << "the call log adds it";
    EXPECT_EQ(meter.sessionSeconds(), 0);
    EXPECT_EQ(meter.sessionCharge(), Currency());
    EXPECT_EQ(meter.alarmsArmed(), AlarmsArmed{});
}

TEST_F(SessionMeterTest, ASessionStartsAtTheMinimumChargeAndKeepsItsStartingRate) {
    clock.setLocal(QDateTime(QDate(2026, 3, 3), QTime(17, 59, 0)));
    meter.setMonitoring(true);
    connection.dialUp();
    tickAfter(0);
    EXPECT_EQ(meter.sessionCharge(), Pence(5));
    EXPECT_EQ(meter.currentRate(), Pence(6));
    tickAfter(600); // well into off-peak time
    EXPECT_EQ(meter.currentRate(), Pence(6));
    EXPECT_EQ(meter.sessionCharge(), Pence(60));
}

TEST_F(SessionMeterTest, AManualSessionRunsInEitherModeAndEndsAtTheFirstTickWithoutConnection) {
    meter.startSession(SessionKind::manual);
    EXPECT_TRUE(meter.charging());
    EXPECT_EQ(meter.connectionName(), QStringLiteral("Manual Connection"));
    tickAfter(30);
    EXPECT_EQ(meter.sessionSeconds(), 30);
    meter.startSession(SessionKind::automatic); // a second start changes nothing
    EXPECT_EQ(meter.connectionName(), QStringLiteral("Manual Connection"));
    meter.setMonitoring(true);
    const TickOutcome outcome = tickAfter(1);
    ASSERT_TRUE(outcome.ended.has_value());
    EXPECT_TRUE(outcome.ended->isManual());
    EXPECT_EQ(outcome.ended->seconds, 30);
    EXPECT_FALSE(meter.endSession().has_value());
}

TEST_F(SessionMeterTest, SecondsFollowTheWallClockEvenBackwards) {
    meter.startSession(SessionKind::manual);
    tickAfter(120);
    tickAfter(-60);
    EXPECT_EQ(meter.sessionSeconds(), 60);
}

// While no tariff could be read a call is timed but carries nobody's price; the first tariff
// set during it prices it at the rate in force at its start, not at the rate of that moment.
TEST_F(SessionMeterTest, ACallTimedWithoutATariffIsPricedByTheFirstTariffAtItsStartingRate) {
    clock.setLocal(QDateTime(QDate(2026, 3, 3), QTime(17, 59, 0)));
    meter.setTariff(Tariff());
    meter.setTariffUnknown();
    meter.startSession(SessionKind::manual);
    tickAfter(120); // into off-peak time
    EXPECT_EQ(meter.sessionCharge(), Currency());
    EXPECT_FALSE(meter.sessionSoFar().priced);
    meter.setTariff(TestTariff());
    EXPECT_EQ(meter.currentRate(), Pence(6)) << "peak, as at its start";
    EXPECT_EQ(meter.sessionSoFar().charge, Pence(12));
    tickAfter(30);
    const std::optional<FinishedSession> ended = meter.endSession();
    ASSERT_TRUE(ended.has_value());
    EXPECT_TRUE(ended->priced);
    EXPECT_EQ(ended->charge, Pence(15));

    meter.setTariffUnknown();
    meter.startSession(SessionKind::manual);
    tickAfter(10);
    EXPECT_FALSE(meter.endSession()->priced);
}

// A call kept while it runs is priced as it will be billed: never below the minimum charge,
// even before its first update.
TEST_F(SessionMeterTest, TheSessionSoFarIsChargedAtLeastTheMinimum) {
    meter.startSession(SessionKind::manual);
    const FinishedSession justStarted = meter.sessionSoFar();
    EXPECT_EQ(justStarted.seconds, 0);
    EXPECT_EQ(justStarted.charge, Pence(5));
    EXPECT_EQ(justStarted.connectionName, QStringLiteral("Manual Connection"));
    tickAfter(150);
    EXPECT_EQ(meter.sessionSoFar().charge, Pence(15));
    EXPECT_EQ(meter.sessionSoFar().stop, justStarted.start + 150 / kSecondsPerDay);
}

TEST_F(SessionMeterTest, AnAlarmFiresOncePerSessionAndAgainInTheNext) {
    meter.setAlarmLimits({1, {}, 0, {}});
    meter.startSession(SessionKind::manual);
    EXPECT_FALSE(tickAfter(59).alarm.has_value());
    const TickOutcome reached = tickAfter(1);
    ASSERT_TRUE(reached.alarm.has_value());
    EXPECT_EQ(reached.alarm->message,
              QStringLiteral("The current session time has reached 1 minutes, 0 seconds."));
    EXPECT_FALSE(tickAfter(1).alarm.has_value());
    ASSERT_TRUE(meter.endSession().has_value());
    meter.startSession(SessionKind::manual);
    EXPECT_TRUE(tickAfter(60).alarm.has_value());
}

TEST_F(SessionMeterTest, AnAlarmWaitsForTheAlarmWindowAndIsUsedUpWhileItShows) {
    meter.setAlarmLimits({0, Pence(5), 0, {}});
    meter.startSession(SessionKind::manual);
    EXPECT_FALSE(tickAfter(1, AlarmWindowState::notMade).alarm.has_value());
    EXPECT_TRUE(meter.alarmsArmed().sessionCost);
    EXPECT_FALSE(tickAfter(1, AlarmWindowState::showing).alarm.has_value());
    EXPECT_FALSE(meter.alarmsArmed().sessionCost);
}

TEST_F(SessionMeterTest, TotalAlarmsCountTheRunningSessionAndTheResetDate) {
    meter.setTotals(3000, Pence(100));
    meter.setAlarmLimits({0, {}, 0, Pence(105)});
    meter.startSession(SessionKind::manual);
    const TickOutcome outcome = tickAfter(1);
    ASSERT_TRUE(outcome.alarm.has_value());
    EXPECT_EQ(outcome.alarm->message,
              QStringLiteral("The total call cost since 01/03/2026 has reached £1.05"));
}

} // namespace
