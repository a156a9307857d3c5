#include "ui/tray/cool_tray_icon.h"

#include "support/fake_tray_host.h"

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace dvx {
namespace {

class CoolTrayIconTest : public ::testing::Test {
protected:
    // What the desktop's tray reports when the icon is activated.
    void activate(QSystemTrayIcon::ActivationReason reason) {
        emit tray.findChild<QSystemTrayIcon*>()->activated(reason);
    }

    QWidget mainWindow;
    FakeTrayHost host{false, true};
    TCoolTrayIcon tray{&mainWindow, host};
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

TEST_F(CoolTrayIconTest, ReportsTheDoubleClickAndOnAStatusNotifierTrayTheActivation) {
    const struct {
        bool statusNotifier;
        QSystemTrayIcon::ActivationReason reason;
        int reported;
    } cases[] = {
        {false, QSystemTrayIcon::DoubleClick, 1}, {false, QSystemTrayIcon::Trigger, 0},
        {false, QSystemTrayIcon::Context, 0},     {false, QSystemTrayIcon::MiddleClick, 0},
        {true, QSystemTrayIcon::Trigger, 1},      {true, QSystemTrayIcon::DoubleClick, 1},
        {true, QSystemTrayIcon::Context, 0},      {true, QSystemTrayIcon::MiddleClick, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "status notifier " << c.statusNotifier << ", reason " << c.reason);
        host.isStatusNotifier = c.statusNotifier;
        QSignalSpy doubleClicks(&tray, &TCoolTrayIcon::OnDblClick);
        activate(c.reason);
        EXPECT_EQ(doubleClicks.count(), c.reported);
    }
}

class WithoutTrayTest : public CoolTrayIconTest {
protected:
    WithoutTrayTest() {
        host.isThere = false;
        tray.followTrayHost();
    }
};

TEST_F(WithoutTrayTest, MinimisingLeavesTheWindowMinimised) {
    EXPECT_FALSE(tray.trayPresent());
    tray.ShowFromTray();
    mainWindow.setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_TRUE(mainWindow.isMinimized());
}

TEST_F(WithoutTrayTest, HidingMinimisesInstead) {
    tray.ShowFromTray();
    tray.HideToTray();
    QApplication::processEvents();
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_TRUE(mainWindow.isMinimized());
}

TEST_F(WithoutTrayTest, SaysSoOnceTheGraceTimeHasPassed) {
    QSignalSpy missing(&tray, &TCoolTrayIcon::trayMissing);
    EXPECT_TRUE(missing.wait(TCoolTrayIcon::kTrayGraceMs * 3));
    EXPECT_EQ(missing.count(), 1);
}

TEST_F(WithoutTrayTest, ATrayThatComesLaterTakesTheWindowAgain) {
    tray.ShowFromTray();
    host.isThere = true;
    tray.followTrayHost();
    EXPECT_TRUE(tray.trayPresent());
    tray.HideToTray();
    EXPECT_FALSE(mainWindow.isVisible());
}

TEST_F(CoolTrayIconTest, AWindowHiddenInATrayThatGoesAwayComesBackMinimised) {
    tray.HideToTray();
    ASSERT_FALSE(mainWindow.isVisible());
    host.isThere = false;
    tray.followTrayHost();
    EXPECT_FALSE(mainWindow.isVisible()); // a host that restarts comes back within the grace
    EXPECT_TRUE(QTest::qWaitFor([this] { return mainWindow.isVisible(); },
                                TCoolTrayIcon::kTrayGraceMs * 3));
    EXPECT_TRUE(mainWindow.isMinimized());
}

TEST_F(CoolTrayIconTest, AWindowHiddenInATrayThatComesBackStaysThere) {
    tray.HideToTray();
    host.isThere = false;
    tray.followTrayHost();
    host.isThere = true;
    tray.followTrayHost();
    // Waits past the grace time for a window that must not show.
    EXPECT_FALSE(QTest::qWaitFor([this] { return mainWindow.isVisible(); },
                                 TCoolTrayIcon::kTrayGraceMs + 1000));
}

// The kind of tray is settled for good when the first icon is made, so it is made only once a
// tray is there.
TEST(CoolTrayIcon, MakesTheIconWhenATrayFirstAppears) {
    QWidget mainWindow;
    FakeTrayHost host{true, false};
    TCoolTrayIcon tray(&mainWindow, host);
    tray.setIcon(QIcon(QPixmap(16, 16)));
    QMenu menu;
    tray.setPopupMenu(&menu);
    tray.followTrayHost();
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr);
    EXPECT_EQ(host.settled, 0);
    host.isThere = true;
    tray.followTrayHost();
    tray.followTrayHost();
    const auto* icon = tray.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(host.settled, 1);
    EXPECT_EQ(icon->contextMenu(), &menu);
    EXPECT_FALSE(icon->icon().isNull());
}

// Only a StatusNotifier item has a status; asked for before the icon is made, attention is
// what the item's status starts with.
TEST(CoolTrayIcon, AStatusNotifierItemNeedsAttentionWhileAskedTo) {
    const struct {
        bool statusNotifier;
        bool askedBeforeTheTrayCame;
        const char* asking;
        const char* notAsking;
    } cases[] = {
        {true, false, "NeedsAttention", "Active"},
        {true, true, "NeedsAttention", "Active"},
        {false, false, "", ""},
        {false, true, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "status notifier " << c.statusNotifier << ", asked before the tray came "
                     << c.askedBeforeTheTrayCame);
        QWidget mainWindow;
        FakeTrayHost host{c.statusNotifier, !c.askedBeforeTheTrayCame};
        TCoolTrayIcon tray(&mainWindow, host);
        tray.setIcon(QIcon(QPixmap(16, 16)));
        tray.setNeedsAttention(true);
        host.isThere = true;
        tray.followTrayHost();
        EXPECT_TRUE(tray.needsAttention());
        EXPECT_EQ(tray.statusNotifierStatus(), QString::fromLatin1(c.asking));
        tray.setNeedsAttention(false);
        EXPECT_FALSE(tray.needsAttention());
        EXPECT_EQ(tray.statusNotifierStatus(), QString::fromLatin1(c.notAsking));
    }
}

// The component follows what the host tells of its tray, and asks it nothing in between.
TEST(CoolTrayIcon, FollowsTheTrayWhenTheHostTellsOfAChange) {
    QWidget mainWindow;
    FakeTrayHost host{false, false};
    TCoolTrayIcon tray(&mainWindow, host);
    tray.setIcon(QIcon(QPixmap(16, 16)));
    ASSERT_TRUE(host.changed);
    host.isThere = true;
    EXPECT_FALSE(tray.trayPresent());
    host.changed();
    EXPECT_TRUE(tray.trayPresent());
    EXPECT_NE(tray.findChild<QSystemTrayIcon*>(), nullptr);
    host.isThere = false;
    host.changed();
    EXPECT_FALSE(tray.trayPresent());
}

TEST(CoolTrayIcon, NoLongerFollowsTheHostOnceGone) {
    QWidget mainWindow;
    FakeTrayHost host{false, false};
    auto tray = std::make_unique<TCoolTrayIcon>(&mainWindow, host);
    tray.reset();
    host.isThere = true;
    host.changed(); // calls nothing that is gone
}

TEST(CoolTrayIcon, SaysNothingWhenATrayIsThereAtStart) {
    QWidget mainWindow;
    FakeTrayHost host{true, true};
    TCoolTrayIcon tray(&mainWindow, host);
    QSignalSpy missing(&tray, &TCoolTrayIcon::trayMissing);
    // Waits past the grace time for a signal that must not come.
    EXPECT_FALSE(missing.wait(TCoolTrayIcon::kTrayGraceMs + 1000));
}

} // namespace
} // namespace dvx
