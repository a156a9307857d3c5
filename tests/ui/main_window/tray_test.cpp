// The window and the desktop's tray: a StatusNotifier activation, a desktop without a tray, and
// closing the window through the window manager.
#include "support/main_window_test.h"

#include "platform/dialogs/dialogs.h"
#include "ui/tray/cool_tray_icon.h"

#include <QAction>
#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

namespace dvx {
namespace {

class WindowTrayTest : public ConfiguredWindowTest {
protected:
    void activateTrayIcon(QSystemTrayIcon::ActivationReason reason) {
        emit window.CoolTrayIcon->findChild<QSystemTrayIcon*>()->activated(reason);
    }
    void loseTray() {
        trayHost.isThere = false;
        window.CoolTrayIcon->followTrayHost();
    }
};

TEST_F(WindowTrayTest, AStatusNotifierActivationOpensTheWindowAsTheDoubleClickDoes) {
    trayHost.isStatusNotifier = true;
    watch();
    window.SetFloatingDisplay(true);
    activateTrayIcon(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_FALSE(window.settings().FloatingShown);
}

TEST_F(WindowTrayTest, ASingleClickOnTheXEmbedTrayDoesNothing) {
    watch();
    activateTrayIcon(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.meter().monitoring());
}

TEST_F(WindowTrayTest, ClosingTheWindowWithATrayIsMonitor) {
    window.mnuShowStatistics->trigger();
    ASSERT_FALSE(window.meter().monitoring());
    EXPECT_FALSE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_TRUE(window.mnuMonitor->isChecked());
    EXPECT_EQ(status(), "Monitoring For Call");
}

TEST_F(WindowTrayTest, ClosingTheWindowWithoutATrayMinimisesItInMonitorMode) {
    loseTray();
    window.mnuShowStatistics->trigger();
    EXPECT_FALSE(window.close());
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
    EXPECT_TRUE(window.meter().monitoring());
}

// Monitor mode would end a call timed by hand at the next tick without a modem link.
TEST_F(WindowTrayTest, ClosingTheWindowDuringAManualCallOnlySendsItIntoTheTray) {
    window.mnuShowStatistics->trigger();
    window.btnManualStart->click();
    ASSERT_TRUE(window.meter().charging());
    EXPECT_FALSE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.meter().monitoring());
    tickAfter(5);
    EXPECT_TRUE(window.meter().charging());
}

TEST_F(WindowTrayTest, WithoutATrayAtStartTheWindowShowsAndKeepsWatching) {
    loseTray();
    watch();
    emit window.CoolTrayIcon->trayMissing();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.meter().monitoring());
    window.btnMonitor->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(WindowTrayTest, TheWindowClosesForGoodOnceTheProgramEnds) {
    window.mnuShowStatistics->trigger();
    emit window.programEnding();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace dvx
