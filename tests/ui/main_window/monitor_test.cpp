// The monitor's four states and what a tick does in each.
#include "support/main_window_test.h"

#include <QRegularExpression>

#include <QStatusBar>
#include <QTimer>

namespace dvx {
namespace {

struct TickCase {
    const char* state;
    bool monitoring;
    bool charging;
    ConnectionState connection;
    bool chargingAfter;
    bool queried;
    std::int32_t secondsAfter; // the session has run 30 seconds when the tick comes
    std::int32_t totalAfter;   // an end adds the seconds of the last update: none here
};

const ConnectionState kNone{false, false};
const ConnectionState kModem{true, true};
const ConnectionState kLan{true, false};

const TickCase kTickCases[] = {
    {"idle, watching, no connection", true, false, kNone, false, true, 0, 0},
    {"idle, watching, modem starts a session", true, false, kModem, true, true, 0, 0},
    {"idle, watching, LAN starts nothing", true, false, kLan, false, true, 0, 0},
    {"charging, watching, modem updates", true, true, kModem, true, true, 30, 0},
    {"charging, watching, no connection ends", true, true, kNone, false, true, 0, 0},
    {"charging, watching, LAN freezes", true, true, kLan, true, true, 0, 0},
    {"idle, not watching, only looks for a call to name", false, false, kModem, false, true, 0, 0},
    {"charging, not watching, only updates", false, true, kNone, true, false, 30, 0},
};

class MonitorStateTest : public ConfiguredWindowTest,
                         public ::testing::WithParamInterface<TickCase> {};

TEST_P(MonitorStateTest, EachStateTicksAsItsTableSays) {
    const TickCase& c = GetParam();
    window.SetMonitoring(false);
    window.SetCharging(c.charging); // as at start-up, the timer runs from here
    clock.advanceSeconds(30);
    window.SetMonitoring(c.monitoring);
    connection.state = c.connection;
    connection.queries = 0;
    tick();
    EXPECT_EQ(window.meter().charging(), c.chargingAfter);
    EXPECT_EQ(connection.queries, c.queried ? 1 : 0);
    EXPECT_EQ(window.meter().sessionSeconds(), c.secondsAfter);
    EXPECT_EQ(window.meter().totalSeconds(), c.totalAfter);
    EXPECT_TRUE(window.DurationTimer->isActive());
}

INSTANTIATE_TEST_SUITE_P(States, MonitorStateTest, ::testing::ValuesIn(kTickCases),
                         [](const ::testing::TestParamInfo<TickCase>& info) {
                             QString name = QString::fromLatin1(info.param.state);
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z]+")),
                                          QStringLiteral("_"));
                             return name.toStdString();
                         });

TEST_F(ConfiguredWindowTest, AModemConnectionStartsAnAutomaticSessionCostingTheMinimum) {
    watch();
    connection.dialUp();
    tick();
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(status(), "Charging call...");
    EXPECT_EQ(window.SB->accessibleName(), "Charging call...");
    EXPECT_EQ(window.meter().connectionName(), "Automatic Connection");
    EXPECT_EQ(window.meter().sessionCharge(), Currency::fromRaw(kMinimumRaw));
    EXPECT_EQ(trayHint(), "Dorvantix - Call time 0 seconds.  Cost £0.05");
    EXPECT_TRUE(window.meter().alarmsArmed().sessionCost &&
                window.meter().alarmsArmed().sessionTime &&
                window.meter().alarmsArmed().totalCost && window.meter().alarmsArmed().totalTime);
}

TEST_F(ConfiguredWindowTest, TheSessionCountsFromTheTickThatSawTheModem) {
    watch();
    clock.advanceSeconds(500); // the modem was up before the program looked
    connection.dialUp();
    tick();
    tickAfter(7);
    EXPECT_EQ(window.meter().sessionSeconds(), 7);
}

TEST_F(ConfiguredWindowTest, HangingUpEndsTheSessionAndAddsItToTheTotals) {
    startAutomaticSession();
    tickAfter(100);
    const Currency charge = window.meter().sessionCharge();
    EXPECT_EQ(charge, Currency::fromRaw(583)); // 350 / 60 x 100, above the minimum
    connection.hangUp();
    tickAfter(1);
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(status(), "Not Connected");
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected");
    EXPECT_EQ(floatingTime(), "Not Connected");
    EXPECT_EQ(floatingCost(), "");
    // The stop is the tick that saw no connection, but the session's seconds are those of
    // its last update.
    EXPECT_EQ(window.meter().totalSeconds(), 100);
    EXPECT_EQ(window.meter().totalCharges(), charge);
    EXPECT_EQ(window.meter().sessionSeconds(), 0);
    EXPECT_EQ(window.meter().sessionCharge(), Currency());
    EXPECT_DOUBLE_EQ(window.meter().sessionStop(), clock.now());
    EXPECT_FALSE(window.meter().alarmsArmed().sessionCost ||
                 window.meter().alarmsArmed().sessionTime ||
                 window.meter().alarmsArmed().totalCost || window.meter().alarmsArmed().totalTime);
}

TEST_F(ConfiguredWindowTest, ALanConnectionFreezesARunningSession) {
    startAutomaticSession();
    tickAfter(10);
    connection.lan();
    tickAfter(20);
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(window.meter().sessionSeconds(), 10);
    connection.dialUp();
    tickAfter(5);
    EXPECT_EQ(window.meter().sessionSeconds(), 35); // counted from the start all along
    connection.lan();
    tickAfter(5);
    connection.hangUp();
    tickAfter(5);
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(window.meter().totalSeconds(), 35);
}

TEST_F(ConfiguredWindowTest, AnAutomaticSessionRunsOnWhileMonitorModeIsOff) {
    startAutomaticSession();
    window.SetMonitoring(false);
    connection.hangUp();
    tickAfter(40);
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(window.meter().sessionSeconds(), 40);
    window.SetMonitoring(true);
    tickAfter(3);
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(window.meter().totalSeconds(), 40);
    EXPECT_DOUBLE_EQ(window.meter().sessionStop(), clock.now());
}

TEST_F(ConfiguredWindowTest, AMonitorTickRestartsTheTimerSoTheNextComesAFullSecondLater) {
    watch();
    window.DurationTimer->stop();
    tick();
    EXPECT_TRUE(window.DurationTimer->isActive());
    EXPECT_EQ(window.DurationTimer->interval(), 1000);
}

TEST_F(ConfiguredWindowTest, SetMonitoringMirrorsTheStateInTheTrayMenu) {
    for (bool on : {true, false, true}) {
        window.SetMonitoring(on);
        EXPECT_EQ(window.meter().monitoring(), on);
        EXPECT_EQ(window.mnuMonitor->isChecked(), on);
    }
}

} // namespace
} // namespace dvx
