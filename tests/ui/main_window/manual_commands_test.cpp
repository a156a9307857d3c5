// Manual Start and Manual Stop, with their boxes.
#include "support/main_window_test.h"

#include <QToolButton>

namespace dvx {
namespace {

const QString kAlreadyCharging =
    QStringLiteral("You are currently charging a call.  Please stop this call first");
const QString kStopQuestion = QStringLiteral("Stop charging current call?");

TEST_F(ConfiguredWindowTest, ManualStartTimesACallByHand) {
    window.SetMonitoring(false);
    window.btnManualStartClick();
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(window.meter().connectionName(), "Manual Connection");
    EXPECT_EQ(window.meter().number(), "");
    EXPECT_FALSE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Charging call...");
    tickAfter(42);
    EXPECT_EQ(window.meter().sessionSeconds(), 42);
}

TEST_F(ConfiguredWindowTest, ManualStartWhileChargingOnlyShowsTheError) {
    startAutomaticSession();
    tickAfter(10);
    const DateTime start = window.meter().sessionStart();
    dialogs.expect(BoxKind::error);
    window.btnManualStartClick();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].kind, BoxKind::error);
    EXPECT_EQ(dialogs.shown()[0].text, kAlreadyCharging);
    EXPECT_EQ(window.meter().connectionName(), "Automatic Connection");
    EXPECT_DOUBLE_EQ(window.meter().sessionStart(), start);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
}

TEST_F(ConfiguredWindowTest, ManualStopAnsweredNoLetsTheSessionGoOn) {
    window.btnManualStartClick();
    tickAfter(5);
    dialogs.expect(BoxKind::confirm, false);
    window.btnManualStopClick();
    EXPECT_EQ(dialogs.texts(), QStringList{kStopQuestion});
    EXPECT_TRUE(window.meter().charging());
    EXPECT_FALSE(window.btnMonitor->isEnabled());
    tickAfter(5);
    EXPECT_EQ(window.meter().sessionSeconds(), 10);
}

TEST_F(ConfiguredWindowTest, ManualStopAnsweredYesEndsTheSession) {
    window.btnManualStartClick();
    tickAfter(20);
    dialogs.expect(BoxKind::confirm, true);
    window.btnManualStopClick();
    EXPECT_FALSE(window.meter().charging());
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Not Connected");
    EXPECT_EQ(window.meter().totalSeconds(), 20);
}

TEST_F(ConfiguredWindowTest, ManualStopWithoutASessionAsksNothing) {
    window.btnManualStopClick();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(window.meter().charging());
}

TEST_F(ConfiguredWindowTest, ManualStopEndsAnAutomaticSessionToo) {
    startAutomaticSession();
    tickAfter(9);
    dialogs.expect(BoxKind::confirm, true);
    window.btnManualStopClick();
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(window.meter().totalSeconds(), 9);
}

TEST_F(ConfiguredWindowTest, AManualSessionEndsWhenMonitorModeComesBackWithoutAModem) {
    window.SetMonitoring(false);
    window.btnManualStartClick();
    tickAfter(30);
    window.mnuMonitor->trigger();
    EXPECT_TRUE(window.meter().monitoring());
    connection.hangUp();
    tickAfter(1);
    EXPECT_FALSE(window.meter().charging());
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(window.meter().totalSeconds(), 30);
}

TEST_F(ConfiguredWindowTest, AManualSessionInMonitorModeFollowsTheModem) {
    watch();
    connection.dialUp();
    window.btnManualStartClick();
    tickAfter(10);
    EXPECT_EQ(window.meter().sessionSeconds(), 10);
    EXPECT_EQ(window.meter().connectionName(), "Manual Connection");
    connection.lan();
    tickAfter(10);
    EXPECT_EQ(window.meter().sessionSeconds(), 10);
}

// While the question is open the timer goes on: the connection drops and a tick ends the
// session. The Yes that follows finds no session and records nothing twice.
TEST_F(ConfiguredWindowTest, ATickWhileTheStopQuestionIsOpenEndsTheSessionOnce) {
    watch();
    connection.dialUp();
    window.btnManualStartClick();
    tickAfter(12);
    dialogs.expect(BoxKind::confirm, true).whileOpen([this] {
        connection.hangUp();
        tickAfter(1);
        EXPECT_FALSE(window.meter().charging());
        EXPECT_EQ(window.meter().totalSeconds(), 12);
    });
    window.btnManualStopClick();
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(window.meter().totalSeconds(), 12);
    EXPECT_TRUE(window.btnMonitor->isEnabled());
    EXPECT_EQ(status(), "Not Connected");
}

} // namespace
} // namespace dvx
