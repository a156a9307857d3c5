// Manual Start and Manual Stop, with their boxes.
#include "main_window_fixture.h"

#include <QToolButton>

namespace dvx {
namespace {

const QString kAlreadyCharging =
    QStringLiteral("You are currently charging a call.  Please stop this call first");
const QString kStopQuestion = QStringLiteral("Stop charging current call?");

TEST_F(MainWindowTest, ManualStartTimesACallByHand) {
    window.SetMonitoring(false);
    window.Number = QStringLiteral("left over");
    window.btnManualStartClick();
    EXPECT_TRUE(window.Charging);
    EXPECT_EQ(window.ConnectionName, "Manual Connection");
    EXPECT_EQ(window.Number, "");
    EXPECT_FALSE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Charging call...");
    tickAfter(42);
    EXPECT_EQ(window.SessionSeconds, 42);
}

TEST_F(MainWindowTest, ManualStartWhileChargingOnlyShowsTheError) {
    startAutomaticSession();
    tickAfter(10);
    const DateTime start = window.SessionStart;
    dialogs.expect(BoxKind::error);
    window.btnManualStartClick();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].caption, "Error");
    EXPECT_EQ(dialogs.shown()[0].text, kAlreadyCharging);
    EXPECT_EQ(window.ConnectionName, "Automatic Connection");
    EXPECT_DOUBLE_EQ(window.SessionStart, start);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
}

TEST_F(MainWindowTest, ManualStopAnsweredNoLetsTheSessionGoOn) {
    window.btnManualStartClick();
    tickAfter(5);
    dialogs.expect(BoxKind::confirm, false);
    window.btnManualStopClick();
    EXPECT_EQ(dialogs.texts(), QStringList{kStopQuestion});
    EXPECT_TRUE(window.Charging);
    EXPECT_FALSE(window.btnMonitor->isEnabled());
    tickAfter(5);
    EXPECT_EQ(window.SessionSeconds, 10);
}

TEST_F(MainWindowTest, ManualStopAnsweredYesEndsTheSession) {
    window.btnManualStartClick();
    tickAfter(20);
    dialogs.expect(BoxKind::confirm, true);
    window.btnManualStopClick();
    EXPECT_FALSE(window.Charging);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Not Connected");
    EXPECT_EQ(window.TotalSeconds, 20);
}

TEST_F(MainWindowTest, ManualStopWithoutASessionAsksNothing) {
    window.btnManualStopClick();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(window.Charging);
}

TEST_F(MainWindowTest, ManualStopEndsAnAutomaticSessionToo) {
    startAutomaticSession();
    tickAfter(9);
    dialogs.expect(BoxKind::confirm, true);
    window.btnManualStopClick();
    EXPECT_FALSE(window.Charging);
    EXPECT_EQ(window.TotalSeconds, 9);
}

TEST_F(MainWindowTest, AManualSessionEndsWhenMonitorModeComesBackWithoutAModem) {
    window.SetMonitoring(false);
    window.btnManualStartClick();
    tickAfter(30);
    window.mnuMonitor->trigger();
    EXPECT_TRUE(window.Monitoring);
    connection.hangUp();
    tickAfter(1);
    EXPECT_FALSE(window.Charging);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(window.TotalSeconds, 30);
}

TEST_F(MainWindowTest, AManualSessionInMonitorModeFollowsTheModem) {
    watch();
    connection.dialUp();
    window.btnManualStartClick();
    tickAfter(10);
    EXPECT_EQ(window.SessionSeconds, 10);
    EXPECT_EQ(window.ConnectionName, "Manual Connection");
    connection.lan();
    tickAfter(10);
    EXPECT_EQ(window.SessionSeconds, 10);
}

// While the question is open the timer goes on: the connection drops and a tick ends the
// session. The Yes that follows finds no session and records nothing twice.
TEST_F(MainWindowTest, ATickWhileTheStopQuestionIsOpenEndsTheSessionOnce) {
    watch();
    connection.dialUp();
    window.btnManualStartClick();
    tickAfter(12);
    dialogs.expect(BoxKind::confirm, true).whileOpen([this] {
        connection.hangUp();
        tickAfter(1);
        EXPECT_FALSE(window.Charging);
        EXPECT_EQ(window.TotalSeconds, 12);
    });
    window.btnManualStopClick();
    EXPECT_FALSE(window.Charging);
    EXPECT_EQ(window.TotalSeconds, 12);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Not Connected");
}

} // namespace
} // namespace dvx
