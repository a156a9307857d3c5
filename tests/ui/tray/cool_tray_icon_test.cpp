#include "ui/tray/cool_tray_icon.h"

#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace dvx {
namespace {

class CoolTrayIconTest : public ::testing::Test {
protected:
    QWidget mainWindow;
    TCoolTrayIcon tray{&mainWindow};
};

TEST_F(CoolTrayIconTest, KeepsTheFullHintButCutsTheTip) {
    const QString hint =
        QStringLiteral("Dorvantix - Call time 123456 minutes, 59 seconds.  Cost £1,234,567.89");
    tray.setHint(hint);
    EXPECT_EQ(tray.hint(), hint);
    EXPECT_EQ(tray.tip(), hint.left(63));
    tray.setShowHint(false);
    EXPECT_EQ(tray.tip(), QString());
}

TEST_F(CoolTrayIconTest, ShowsAndHidesTheMainWindow) {
    EXPECT_FALSE(mainWindow.isVisible());
    tray.ShowFromTray();
    EXPECT_TRUE(mainWindow.isVisible());
    tray.HideToTray();
    EXPECT_FALSE(mainWindow.isVisible());
}

TEST_F(CoolTrayIconTest, MinimisingHidesTheWindowIntoTheTray) {
    tray.ShowFromTray();
    mainWindow.setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_TRUE(tray.iconVisible());
    tray.ShowFromTray();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_FALSE(mainWindow.isMinimized());
}

TEST_F(CoolTrayIconTest, MinimisingLeavesTheWindowWhenNotAskedTo) {
    tray.MinimizeToTray = false;
    tray.ShowFromTray();
    mainWindow.setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(CoolTrayIconTest, IsThereFromCreationToRemoval) {
    EXPECT_TRUE(tray.iconVisible());
    QMenu menu;
    tray.setPopupMenu(&menu);
    EXPECT_EQ(tray.popupMenu(), &menu);
    tray.RemoveIcon();
    EXPECT_FALSE(tray.iconVisible());
}

} // namespace
} // namespace dvx
