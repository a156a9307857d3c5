// Each button and menu item starts its own command.
#include "support/main_window_test.h"

#include "store/registry/regutils.h"
#include "ui/about/frm_about.h"
#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

namespace dvx {
namespace {

TEST_F(ConfiguredWindowTest, MonitorHidesTheWindowAndWatchesAgain) {
    window.mnuShowStatistics->trigger();
    ASSERT_TRUE(window.isVisible());
    window.btnMonitor->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.meter().monitoring());
    EXPECT_TRUE(window.mnuMonitor->isChecked());
    EXPECT_EQ(status(), "Monitoring For Call");
}

TEST_F(ConfiguredWindowTest, MonitorDuringACallKeepsTheCallsStatus) {
    startAutomaticSession();
    window.mnuShowStatistics->trigger();
    window.btnMonitor->click();
    EXPECT_EQ(status(), "Charging call...");
    EXPECT_TRUE(window.meter().charging());
}

TEST_F(ConfiguredWindowTest, ShowMainWindowOpensItAndStopsWatching) {
    watch();
    window.SetFloatingDisplay(true);
    window.mnuShowStatistics->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_FALSE(window.mnuMonitor->isChecked());
    EXPECT_TRUE(window.frmFloat->isVisible()); // left as it was
    EXPECT_EQ(window.PageControl1->currentWidget(), window.tabStatistics);
}

TEST_F(ConfiguredWindowTest, ADoubleClickOnTheTrayIconOpensTheWindowWithoutTheFloatingDisplay) {
    watch();
    window.SetFloatingDisplay(true);
    emit window.CoolTrayIcon->OnDblClick();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.meter().monitoring());
    EXPECT_FALSE(window.settings().FloatingShown);
    EXPECT_FALSE(window.frmFloat->isVisible());
    EXPECT_FALSE(window.mnuFloatingDisplay->isChecked());
    EXPECT_FALSE(window.mnuFloatingDisplayPopUp->isChecked());
}

TEST_F(ConfiguredWindowTest, OpeningTheWindowKeepsACallTimed) {
    startAutomaticSession();
    window.mnuShowStatistics->trigger();
    connection.hangUp();
    tickAfter(15);
    EXPECT_TRUE(window.meter().charging());
    EXPECT_EQ(window.meter().sessionSeconds(), 15);
}

TEST_F(ConfiguredWindowTest, TheTrayMenusMonitorItemTogglesMonitorModeOnly) {
    window.mnuShowStatistics->trigger();
    for (bool expected : {true, false, true}) {
        window.mnuMonitor->trigger();
        EXPECT_EQ(window.meter().monitoring(), expected);
        EXPECT_EQ(window.mnuMonitor->isChecked(), expected);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(ConfiguredWindowTest, BothFloatingDisplayItemsSwitchTheSameDisplay) {
    for (QAction* item : {window.mnuFloatingDisplay, window.mnuFloatingDisplayPopUp,
                          window.mnuFloatingDisplayPopUp, window.mnuFloatingDisplay}) {
        const bool shownBefore = window.settings().FloatingShown;
        item->trigger();
        EXPECT_EQ(window.settings().FloatingShown, !shownBefore);
        EXPECT_EQ(window.frmFloat->isVisible(), window.settings().FloatingShown);
        EXPECT_EQ(window.mnuFloatingDisplay->isChecked(), window.settings().FloatingShown);
        EXPECT_EQ(window.mnuFloatingDisplayPopUp->isChecked(), window.settings().FloatingShown);
    }
}

TEST_F(ConfiguredWindowTest, ClosingTheFloatingDisplaySwitchesItOff) {
    window.SetFloatingDisplay(true);
    window.frmFloat->close();
    EXPECT_FALSE(window.settings().FloatingShown);
    EXPECT_FALSE(window.mnuFloatingDisplay->isChecked());
}

TEST_F(ConfiguredWindowTest, BothExitItemsEndTheProgram) {
    for (QAction* item : {window.mnuExit, window.Exit1}) {
        QSignalSpy ending(&window, &TfrmMain::programEnding);
        item->trigger();
        EXPECT_EQ(ending.count(), 1) << item->objectName().toStdString();
    }
}

TEST_F(ConfiguredWindowTest, AboutShowsTheVersionAndTheIconAndIsGoneAfterwards) {
    window.FormCreate();
    dialogs.expect(BoxKind::modal).whileOpen([] {
        TfrmAbout* about = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<TfrmAbout*>(widget))
                about = candidate;
        }
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), "");
        EXPECT_EQ(about->Label11->text(), "Dorvantix v1.05");
        EXPECT_FALSE(about->Image->pixmap().isNull());
        EXPECT_EQ(about->size(), QSize(309, 175));
    });
    window.About1->trigger();
    EXPECT_EQ(dialogs.pending(), 0);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TfrmAbout*>(widget), nullptr);
}

TEST_F(ConfiguredWindowTest, TheCommandBarStartsItsCommands) {
    window.btnManualStart->click();
    EXPECT_TRUE(window.meter().charging());
    dialogs.expect(BoxKind::confirm, true);
    window.btnManualStop->click();
    EXPECT_FALSE(window.meter().charging());
    EXPECT_EQ(dialogs.texts(), QStringList{"Stop charging current call?"});
}

TEST_F(ConfiguredWindowTest, ResetAsksFirstAndClearsTheTotalsOnYes) {
    storeTotals(725, Currency::fromRaw(12345));
    dialogs.expect(BoxKind::confirm, false);
    window.BtnResetTotals->click();
    EXPECT_EQ(window.meter().totalSeconds(), 725);
    dialogs.expect(BoxKind::confirm, true);
    window.BtnResetTotals->click();
    EXPECT_EQ(dialogs.texts(), QStringList(2, "Reset current log (this is irreversable)?"));
    EXPECT_EQ(window.meter().totalSeconds(), 0);
    EXPECT_EQ(window.meter().totalCharges(), Currency());
    EXPECT_EQ(window.edtTotalCallTime->text(), "0min, 00sec");
}

TEST_F(ConfiguredWindowTest, TheLogsPageFillsTheListEachTimeItIsShown) {
    storeTotals(0, Currency());
    window.mnuShowStatistics->trigger();
    EXPECT_EQ(window.lblLogname->text(), "Current Log - From 01/03/2026 09:00:00");
    window.PageControl1->setCurrentWidget(window.tabAlarms);
    hive.registry().WriteRegInteger(QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions\\0"),
                                    QStringLiteral("CallTime"), 61);
    window.PageControl1->setCurrentWidget(window.tabStatistics);
    EXPECT_EQ(window.edtTotalCallTime->text(), "1min, 01sec");
}

TEST_F(ConfiguredWindowTest, TheTimeLimitBoxesKeepOnlyDigits) {
    window.edtSessionTimeAlarm->setText(QStringLiteral("1a2"));
    EXPECT_EQ(window.edtSessionTimeAlarm->text(), "12");
    window.edtTotalTimeAlarm->setText(QStringLiteral("-3 x4"));
    EXPECT_EQ(window.edtTotalTimeAlarm->text(), "34");
    window.edtSessionCostAlarm->setText(QStringLiteral("£2.5x"));
    EXPECT_EQ(window.edtSessionCostAlarm->text(), "£2.5x");
}

} // namespace
} // namespace dvx
