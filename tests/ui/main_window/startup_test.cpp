// The state at the end of start-up and the orderly end.
#include "support/main_window_test.h"

#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace dvx {
namespace {

TEST_F(ConfiguredWindowTest, StartUpEndsHiddenInTheTrayWatchingForACall) {
    window.FormCreate();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Dorvantix v1.05");
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_TRUE(window.mnuMonitor->isChecked());
    EXPECT_FALSE(window.meter().charging());
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
    EXPECT_DOUBLE_EQ(window.meter().sessionStart(), clock.now());
    EXPECT_EQ(window.meter().sessionStop(), 0);
    EXPECT_FALSE(window.GradImage1->pixmap().isNull());
}

TEST_F(ConfiguredWindowTest, TheFirstTickAfterStartUpFindsACallAlreadyUp) {
    window.FormCreate();
    connection.dialUp();
    tickAfter(1);
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(status(), "Charging call...");
}

TEST_F(ConfiguredWindowTest, ExitDropsARunningSessionUnrecorded) {
    window.FormCreate();
    connection.dialUp();
    tickAfter(1);
    tickAfter(30);
    window.FormDestroy();
    EXPECT_EQ(window.meter().totalSeconds(), 0);
    EXPECT_EQ(window.frmFloat, nullptr);
    EXPECT_FALSE(window.CoolTrayIcon->iconVisible());
    EXPECT_FALSE(window.DurationTimer->isActive());
}

} // namespace
} // namespace dvx
