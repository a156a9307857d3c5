// The alarms as the one-second tick raises them: a modem session timed with a clock that only
// moves when the test says so, the alarm window with a fake sound.
#include "support/main_window_test.h"

#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

using namespace dvx;

namespace {

// The limits as the user types them on the Alarms page: minutes, and cost limits as text.
struct Limits {
    std::int32_t sessionTime = 0;
    const char* sessionCost = "";
    std::int32_t totalTime = 0;
    const char* totalCost = "";
};

// The program as started and monitoring, with a minimum charge of 5p and 3.5p a minute (the
// peak rate, in force when each session starts), its totals since 1 March 2026 09:00 and the
// alarm window.
class AlarmTickTest : public ConfiguredWindowTest {
protected:
    AlarmTickTest() {
        storeTotals(0, Currency());
        watch();
    }

    void setLimits(const Limits& limits) {
        hive.seed(test::AlarmsSeed(QStringLiteral("\"SessionTimeAlarm\"=dword:%1\n"
                                                  "\"SessionCostAlarm\"=\"%2\"\n"
                                                  "\"TotalTimeAlarm\"=dword:%3\n"
                                                  "\"TotalCostAlarm\"=\"%4\"\n")
                                       .arg(limits.sessionTime, 8, 16, QLatin1Char('0'))
                                       .arg(QString::fromUtf8(limits.sessionCost))
                                       .arg(limits.totalTime, 8, 16, QLatin1Char('0'))
                                       .arg(QString::fromUtf8(limits.totalCost))));
        run([this] { window.LoadSettings(); });
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
        if (!alarmWindow.isVisible())
            return std::nullopt;
        return alarmWindow.LblMessage->text();
    }
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

class AlarmTickCaseTest : public AlarmTickTest, public ::testing::WithParamInterface<TickCase> {};

// Dials up and lets the session run a second at a time: the alarm shows at its tick and not
// before, and once dismissed nothing more shows in the session.
TEST_P(AlarmTickCaseTest, TheAlarmShowsAtItsTick) {
    const TickCase& c = GetParam();
    setLimits(c.limits);
    storeTotals(c.totalSeconds, Currency::fromRaw(c.totalPence * 100));
    dialUp();
    const int quietUntil = c.firesAt < 0 ? 3600 : c.firesAt;
    for (int elapsed = 0; elapsed < quietUntil; ++elapsed) {
        ASSERT_FALSE(alarmShown()) << "at " << elapsed << " s: " << alarmShown()->toStdString();
        tickAfter(1);
    }
    if (c.firesAt < 0) {
        EXPECT_FALSE(alarmShown());
        return;
    }
    ASSERT_TRUE(alarmShown()) << "at " << c.firesAt << " s";
    EXPECT_EQ(alarmShown()->toStdString(), c.message);
    EXPECT_EQ(alarmWindow.windowTitle(), QStringLiteral("Dorvantix"));
    alarmWindow.btnOKClick();
    tickAfter(3600);
    EXPECT_FALSE(alarmShown());
}

INSTANTIATE_TEST_SUITE_P(Cases, AlarmTickCaseTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TickCase>& info) {
                             return std::to_string(info.index);
                         });

} // namespace

TEST_F(AlarmTickTest, TotalsPastALimitRaiseItAtEverySessionsFirstTick) {
    setLimits({0, "", 5});
    storeTotals(600, Currency());
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        dialUp();
        ASSERT_TRUE(alarmShown());
        alarmWindow.btnOKClick();
        tickAfter(30);
        EXPECT_FALSE(alarmShown());
        hangUp();
        storeTotals(600, Currency()); // as if the session had not been added to the totals
    }
}

TEST_F(AlarmTickTest, ADismissedAlarmStaysQuietForTheRestOfTheSession) {
    setLimits({1});
    dialUp();
    tickAfter(60);
    ASSERT_TRUE(alarmShown());
    alarmWindow.btnOKClick();
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
    EXPECT_FALSE(window.meter().charging());
    EXPECT_TRUE(alarmShown());
    EXPECT_TRUE(alarmWindow.Timer->isActive());
    alarmWindow.TimerTimer();
    alarmWindow.TimerTimer();
    EXPECT_EQ(alarmSound.plays, 2);
}

TEST_F(AlarmTickTest, AnAlarmReachedWhileAnotherShowsIsUsedUpAndTheFirstMessageStays) {
    setLimits({1, "0.05"});
    dialUp();
    const std::optional<QString> first = alarmShown();
    ASSERT_EQ(first, QStringLiteral("The current session cost has reached £0.05"));
    tickAfter(60);
    EXPECT_EQ(alarmShown(), first);
    alarmWindow.btnOKClick();
    tickAfter(60);
    EXPECT_FALSE(alarmShown());
}

// The desktop is told of each alarm the window shows, and of none that is used up unseen;
// choosing the notification opens the main window with monitor mode off.
TEST_F(AlarmTickTest, EachShownAlarmIsAlsoACriticalDesktopNotificationThatOpensTheWindow) {
    setLimits({1, "0.05"});
    dialUp();
    tickAfter(60); // the time alarm is used up while the cost alarm shows
    ASSERT_EQ(notifier.sent.size(), 1);
    const DesktopNotification& sent = notifier.sent.first();
    EXPECT_EQ(sent.summary, "Dorvantix Alarm");
    EXPECT_EQ(sent.body, "The current session cost has reached £0.05");
    EXPECT_EQ(sent.urgency, DesktopNotification::Urgency::critical);

    ASSERT_FALSE(window.isVisible());
    notifier.choose();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_TRUE(alarmShown()); // the alarm window stays as it is
}

// The tray icon asks for attention from the moment the alarm shows until it is dismissed,
// however that is done, and again for the next session's alarm.
TEST_F(AlarmTickTest, TheTrayIconAsksForAttentionWhileAnAlarmIsUp) {
    const struct {
        const char* name;
        std::function<void(TfrmAlarm&)> dismiss;
    } dismissals[] = {
        {"Dismiss Alarm", [](TfrmAlarm& alarm) { alarm.btnOKClick(); }},
        {"Escape", [](TfrmAlarm& alarm) { static_cast<QDialog&>(alarm).reject(); }},
        {"the window manager's close", [](TfrmAlarm& alarm) { alarm.close(); }},
    };
    setLimits({0, "0.05"});
    for (const auto& dismissal : dismissals) {
        SCOPED_TRACE(dismissal.name);
        EXPECT_FALSE(window.CoolTrayIcon->needsAttention());
        dialUp();
        ASSERT_TRUE(alarmShown());
        EXPECT_TRUE(window.CoolTrayIcon->needsAttention());
        tickAfter(5);
        EXPECT_TRUE(window.CoolTrayIcon->needsAttention());
        dismissal.dismiss(alarmWindow);
        EXPECT_FALSE(window.CoolTrayIcon->needsAttention());
        hangUp();
    }
}

TEST_F(AlarmTickTest, AManualSessionOutOfMonitorModeIsCheckedToo) {
    setLimits({1});
    window.SetMonitoring(false);
    window.btnManualStartClick();
    tickAfter(60);
    EXPECT_EQ(alarmShown(),
              QStringLiteral("The current session time has reached 1 minutes, 0 seconds."));
}

TEST_F(AlarmTickTest, WithoutAnAlarmWindowNothingIsUsedUp) {
    setLimits({0, "0.05"});
    TfrmMain alone(MainWindowServices{clock, connection, dialogs, RegionalSettings::british(),
                                      runList, hive.settingsStore, hive.sessionLog});
    alone.runGuarded([&alone] { alone.LoadSettings(); });
    alone.SetCharging(false);
    alone.SetMonitoring(true);
    connection.dialUp();
    for (int second = 0; second < 3; ++second) {
        clock.advanceSeconds(1);
        alone.runGuarded([&alone] { alone.DurationTimerTimer(); });
    }
    EXPECT_TRUE(alone.meter().charging());
    EXPECT_TRUE(alone.meter().alarmsArmed().sessionCost);
    EXPECT_FALSE(alarmShown());
}
