// With monitor mode off the status bar never claims to watch for calls, and a modem call made
// then is named as not metered, with the way to meter it, in the status bar and the tray tip.
#include "support/main_window_test.h"

#include "ui/main_window/monitor_notice.h"
#include "ui/tray/cool_tray_icon.h"

#include <QAction>
#include <QStatusBar>
#include <QToolButton>

namespace dvx {
namespace {

// The program as the user left it in the tray: watching, the bar saying so.
class MonitorNoticeTest : public ConfiguredWindowTest {
protected:
    MonitorNoticeTest() {
        window.mnuShowStatistics->trigger();
        window.btnMonitor->click();
    }

    void openWindow() { window.mnuShowStatistics->trigger(); }
};

TEST_F(MonitorNoticeTest, OpeningTheWindowTakesBackTheClaimToWatch) {
    ASSERT_EQ(status(), "Monitoring For Call");
    openWindow();
    EXPECT_EQ(status(), "Monitor mode off: press Monitor! to meter calls");
    EXPECT_EQ(window.SB->accessibleName(), status());
    tickAfter(1);
    EXPECT_EQ(status(), "Monitor mode off: press Monitor! to meter calls");
}

TEST_F(MonitorNoticeTest, AModemCallMadeWhileTheWindowIsOpenIsNamedAsNotMetered) {
    openWindow();
    connection.dialUp();
    tickAfter(1);
    EXPECT_FALSE(window.meter().charging()); // monitor mode itself is unchanged
    EXPECT_EQ(status(), "Call not metered: press Monitor! to meter it");
    EXPECT_EQ(trayHint(), "Dorvantix - Call not metered: choose Monitor to meter it");
    EXPECT_LE(trayHint().size(), 63);

    connection.hangUp();
    tickAfter(1);
    EXPECT_EQ(status(), "Monitor mode off: press Monitor! to meter calls");
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected");
}

TEST_F(MonitorNoticeTest, MonitorMetersTheCallThatWasNamed) {
    openWindow();
    connection.dialUp();
    tickAfter(1);
    window.btnMonitor->click();
    EXPECT_EQ(status(), "Monitoring For Call");
    tickAfter(1);
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(status(), "Charging call...");
    EXPECT_EQ(trayHint(), "Dorvantix - Call time 0 seconds.  Cost £0.05");
}

TEST_F(MonitorNoticeTest, TheTrayMenusMonitorSwitchesTheNoticeBothWays) {
    connection.dialUp();
    window.mnuMonitor->trigger(); // off, from the tray, the window staying hidden
    EXPECT_EQ(status(), "Call not metered: press Monitor! to meter it");
    EXPECT_EQ(trayHint(), "Dorvantix - Call not metered: choose Monitor to meter it");
    window.mnuMonitor->trigger(); // on again
    EXPECT_EQ(status(), "Monitoring For Call");
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected");
}

TEST_F(MonitorNoticeTest, ACallsOwnTextsStay) {
    automaticSession(30);
    ASSERT_EQ(status(), "Not Connected");
    openWindow();
    EXPECT_EQ(status(), "Not Connected"); // claims nothing

    run([this] { window.btnManualStartClick(); });
    connection.dialUp();
    tickAfter(5);
    EXPECT_EQ(status(), "Charging call...");
    EXPECT_EQ(trayHint(), "Dorvantix - Call time 5 seconds.  Cost £0.05");
}

// Out of monitor mode nothing but the notice comes of the connection: no session starts.
TEST_F(MonitorNoticeTest, TheNoticeNeverStartsASession) {
    openWindow();
    connection.dialUp();
    for (int second = 0; second < 3; ++second)
        tickAfter(1);
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(window.meter().totalSeconds(), 0);
}

} // namespace
} // namespace dvx
