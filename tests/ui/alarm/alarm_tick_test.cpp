// The alarms as the one-second tick raises them: a modem session timed with a clock that only
// moves when the test says so, the alarm window with a fake sound.
#include "metering/money_text.h"
#include "platform/fakes/fake_clock.h"
#include "platform/fakes/fake_connection_state.h"
#include "platform/fakes/fake_dialogs.h"
#include "platform/sound/fake_sound_player.h"
#include "ui/alarm/alarm_window.h"
#include "ui/main_window/frm_main.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace dvx;

namespace {

// The limits as the settings store leaves them: minutes, and cost limits read from their text.
struct Limits {
    std::int32_t sessionTime = 0;
    const char* sessionCost = "";
    std::int32_t totalTime = 0;
    const char* totalCost = "";
};

// The program as started: the main window, monitoring, with a minimum charge of 5p and 3.5p a
// minute at every hour, and the alarm window.
class Meter {
public:
    Meter() : main(MainWindowServices{clock, connection, dialogs, RegionalSettings::british()}) {
        main.Tariff.minimumCharge = Currency::fromRaw(500);
        main.Tariff.peakRate = main.Tariff.offPeakRate = main.Tariff.weekendRate =
            Currency::fromRaw(350);
        main.LastResetDate = QStringLiteral("01/03/2026 09:00:00");
        main.SetCharging(false);
        main.SetMonitoring(true);
        frmAlarm = &alarm;
    }
    ~Meter() { frmAlarm = nullptr; }

    void setLimits(const Limits& limits) {
        const RegionalSettings rs = RegionalSettings::british();
        main.SessionTimeAlarm = limits.sessionTime;
        main.SessionCostAlarm = ParseMoneyText(QString::fromUtf8(limits.sessionCost), rs);
        main.TotalTimeAlarm = limits.totalTime;
        main.TotalCostAlarm = ParseMoneyText(QString::fromUtf8(limits.totalCost), rs);
    }
    void tick() {
        main.runGuarded([this] { main.DurationTimerTimer(); });
    }
    void tickAfter(int seconds) {
        clock.advanceSeconds(seconds);
        tick();
    }
    void dialUp() {
        connection.dialUp();
        tick();
    }
    void hangUp() {
        connection.hangUp();
        tick();
    }
    std::optional<QString> alarmShown() const {
        if (!alarm.isVisible())
            return std::nullopt;
        return alarm.LblMessage->text();
    }

    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    FakeSoundPlayer sound;
    TfrmMain main;
    TfrmAlarm alarm{sound};
};

struct TickCase {
    const char* name;
    Limits limits;
    std::int32_t totalSeconds;
    std::int64_t totalPence;
    int firesAt; // seconds into the session of the tick that shows the alarm; -1: none in an hour
    const char* message;
};

const TickCase kCases[] = {
    {"limits of 0 are off", {0, "0", 0, "0"}, 100000, 100000, -1, ""},
    {"empty limits are off", {0, "", 0, ""}, 100000, 100000, -1, ""},
    {"one minute fires at 60 seconds",
     {1},
     0,
     0,
     60,
     "The current session time has reached 1 minutes, 0 seconds."},
    {"a cost limit at the minimum charge fires at once",
     {0, "£0.05"},
     0,
     0,
     0,
     "The current session cost has reached £0.05"},
    {"a cost limit below the minimum charge fires at once",
     {0, "0.01"},
     0,
     0,
     0,
     "The current session cost has reached £0.05"},
    {"a session cost limit above the minimum charge",
     {0, "0.10"},
     0,
     0,
     172,
     "The current session cost has reached £0.10"},
    {"totals already past the total time",
     {0, "", 5},
     600,
     0,
     0,
     "The total call time since 01/03/2026 09:00:00 has reached 10 minutes, 0 seconds."},
    {"totals already past the total cost",
     {0, "", 0, "1.00"},
     0,
     100,
     0,
     "The total call cost since 01/03/2026 09:00:00 has reached £1.05"},
    {"two alarms in one tick show only the first",
     {1, "", 1},
     0,
     0,
     60,
     "The current session time has reached 1 minutes, 0 seconds."},
};

// Dials up and lets the session run a second at a time: the alarm shows at its tick and not
// before, and once dismissed nothing more shows in the session.
void RunCase(const TickCase& c) {
    Meter meter;
    meter.setLimits(c.limits);
    meter.main.TotalSeconds = c.totalSeconds;
    meter.main.TotalCharges = Currency::fromRaw(c.totalPence * 100);
    meter.dialUp();
    const int quietUntil = c.firesAt < 0 ? 3600 : c.firesAt;
    for (int elapsed = 0; elapsed < quietUntil; ++elapsed) {
        ASSERT_FALSE(meter.alarmShown())
            << "at " << elapsed << " s: " << meter.alarmShown()->toStdString();
        meter.tickAfter(1);
    }
    if (c.firesAt < 0) {
        EXPECT_FALSE(meter.alarmShown());
        return;
    }
    ASSERT_TRUE(meter.alarmShown()) << "at " << c.firesAt << " s";
    EXPECT_EQ(meter.alarmShown()->toStdString(), c.message);
    EXPECT_EQ(meter.alarm.windowTitle(), QStringLiteral("Dorvantix"));
    meter.alarm.btnOKClick();
    meter.tickAfter(3600);
    EXPECT_FALSE(meter.alarmShown());
}

class AlarmTickTest : public ::testing::Test, public Meter {};

} // namespace

TEST(AlarmTick, TableOfCases) {
    for (const TickCase& c : kCases) {
        SCOPED_TRACE(c.name);
        RunCase(c);
    }
}

TEST_F(AlarmTickTest, TotalsPastALimitRaiseItAtEverySessionsFirstTick) {
    setLimits({0, "", 5});
    main.TotalSeconds = 600;
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        dialUp();
        ASSERT_TRUE(alarmShown());
        alarm.btnOKClick();
        tickAfter(30);
        EXPECT_FALSE(alarmShown());
        hangUp();
        main.TotalSeconds = 600; // as if the session had not been added to the totals
    }
}

TEST_F(AlarmTickTest, ADismissedAlarmStaysQuietForTheRestOfTheSession) {
    setLimits({1});
    dialUp();
    tickAfter(60);
    ASSERT_TRUE(alarmShown());
    alarm.btnOKClick();
    for (int minute = 0; minute < 5; ++minute) {
        tickAfter(60);
        EXPECT_FALSE(alarmShown());
    }
    hangUp();
    dialUp();
    tickAfter(60);
    EXPECT_EQ(alarmShown(),
              QStringLiteral("The current session time has reached 1 minutes, 0 seconds."));
}

TEST_F(AlarmTickTest, AnAlarmLeftShowingBlinksOnAfterTheSessionEnds) {
    setLimits({0, "0.05"});
    dialUp();
    ASSERT_TRUE(alarmShown());
    hangUp();
    EXPECT_FALSE(main.Charging);
    EXPECT_TRUE(alarmShown());
    EXPECT_TRUE(alarm.Timer->isActive());
    alarm.TimerTimer();
    alarm.TimerTimer();
    EXPECT_EQ(sound.plays, 2);
}

TEST_F(AlarmTickTest, AnAlarmReachedWhileAnotherShowsIsUsedUpAndTheFirstMessageStays) {
    setLimits({1, "0.05"});
    dialUp();
    const std::optional<QString> first = alarmShown();
    ASSERT_EQ(first, QStringLiteral("The current session cost has reached £0.05"));
    tickAfter(60);
    EXPECT_EQ(alarmShown(), first);
    alarm.btnOKClick();
    tickAfter(60);
    EXPECT_FALSE(alarmShown());
}

TEST_F(AlarmTickTest, AManualSessionOutOfMonitorModeIsCheckedToo) {
    setLimits({1});
    main.SetMonitoring(false);
    main.btnManualStartClick();
    tickAfter(60);
    EXPECT_EQ(alarmShown(),
              QStringLiteral("The current session time has reached 1 minutes, 0 seconds."));
}

TEST_F(AlarmTickTest, BeforeTheAlarmWindowExistsNothingIsUsedUp) {
    setLimits({0, "0.05"});
    frmAlarm = nullptr;
    dialUp();
    EXPECT_TRUE(main.SessionCostArmed);
    frmAlarm = &alarm;
    tickAfter(1);
    EXPECT_TRUE(alarmShown());
}
