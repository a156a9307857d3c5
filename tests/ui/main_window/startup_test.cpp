// The state at the end of start-up and the orderly end.
#include "main_window_fixture.h"

#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace dvx {
namespace {

TEST_F(MainWindowTest, StartUpEndsHiddenInTheTrayWatchingForACall) {
    window.FormCreate();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Dorvantix v1.05");
    EXPECT_TRUE(window.Monitoring);
    EXPECT_TRUE(window.mnuMonitor->isChecked());
    EXPECT_FALSE(window.Charging);
    EXPECT_TRUE(window.DurationTimer->isActive());
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected");
    EXPECT_FALSE(window.CoolTrayIcon->icon().isNull());
    EXPECT_TRUE(window.CoolTrayIcon->iconVisible());
    EXPECT_EQ(status(), "Monitoring For Call");
    EXPECT_EQ(window.edtSessionCallTime->text(), "0min, 00sec");
    EXPECT_EQ(window.edtSessionCost->text(), "£0.00");
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.035");
    EXPECT_EQ(floatingTime(), "Not Connected");
    EXPECT_EQ(floatingCost(), "");
    EXPECT_FALSE(window.frmFloat->isVisible());
    EXPECT_EQ(window.frmFloat->pos(), QPoint(0, 0));
    EXPECT_DOUBLE_EQ(window.SessionStart, clock.now());
    EXPECT_EQ(window.SessionStop, 0);
    EXPECT_FALSE(window.GradImage1->pixmap().isNull());
}

TEST_F(MainWindowTest, TheFirstTickAfterStartUpFindsACallAlreadyUp) {
    window.FormCreate();
    connection.dialUp();
    tickAfter(1);
    EXPECT_TRUE(window.Charging);
    EXPECT_EQ(status(), "Charging call...");
}

TEST_F(MainWindowTest, ExitDropsARunningSessionUnrecorded) {
    window.FormCreate();
    connection.dialUp();
    tickAfter(1);
    tickAfter(30);
    window.FormDestroy();
    EXPECT_EQ(window.TotalSeconds, 0);
    EXPECT_EQ(window.frmFloat, nullptr);
    EXPECT_FALSE(window.CoolTrayIcon->iconVisible());
    EXPECT_FALSE(window.DurationTimer->isActive());
}

} // namespace
} // namespace dvx
