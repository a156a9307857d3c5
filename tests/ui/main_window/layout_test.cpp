// The window's controls: names, texts, hints, places, what a screen reader speaks, focus order.
#include "support/main_window_test.h"

#include "ui/icons/pictures.h"
#include "ui/main_window/time_of_day_picker.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

namespace dvx {
namespace {

// How much wider than at first the session list's columns, and so the window, are: the Cost
// column takes 99,999.99 whole.
int listGrowth(const TfrmMain& window) {
    int growth = -(120 + 130 + 130 + 50);
    for (int column = 0; column < 4; ++column)
        growth += window.LVSessions->columnWidth(column);
    return growth;
}

TEST_F(ConfiguredWindowTest, TheWindowHasAFixedSizeAndNoCaptionButtons) {
    EXPECT_EQ(window.centralWidget()->size(), QSize(528 + listGrowth(window), 376));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
}

TEST_F(ConfiguredWindowTest, TheCommandButtonsCarryTheirCaptionsHintsAndPictures) {
    const struct {
        QToolButton* button;
        const char* caption;
        const char* hint;
        QPoint place;
    } buttons[] = {
        {window.BtnResetTotals, "Reset", "Resets current log", {4, 0}},
        {window.btnSetChanges,
         "Set Changes",
         "Sets any changes made to the settings below",
         {72, 0}},
        {window.btnMonitor, "Monitor!", "Activate monitor mode", {140, 0}},
        {window.btnManualStart, "Manual Start", "Manually start costing a call", {208, 0}},
        {window.btnManualStop, "Manual Stop", "Manually stop costing a call", {276, 0}},
        {window.btnSaveLog, "Save Log", "Open the Sessions log", {453 + listGrowth(window), 0}},
        {window.btnLoadLog, "Load Log", "Open the Sessions log", {453 + listGrowth(window), 52}},
        {window.btnPrintLog, "Print Log", "Open the Sessions log", {453 + listGrowth(window), 104}},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(b.button->text(), b.caption);
        EXPECT_EQ(b.button->accessibleName(), b.caption);
        EXPECT_EQ(b.button->toolTip(), b.hint);
        EXPECT_EQ(b.button->geometry(), QRect(b.place, QSize(67, 52)));
        EXPECT_EQ(b.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_TRUE(b.button->autoRaise());
        EXPECT_FALSE(b.button->icon().isNull());
    }
}

TEST_F(ConfiguredWindowTest, EveryControlHasANameAScreenReaderCanSpeak) {
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* control : controls) {
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
            qobject_cast<TimeOfDayPicker*>(control) || qobject_cast<QTreeView*>(control)) {
            if (control->parent() && qobject_cast<QAbstractSpinBox*>(control->parent()))
                continue; // the editor inside a time picker
            if (control->objectName().startsWith(QLatin1String("qt_")))
                continue; // the parts Qt builds into its own widgets
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->metaObject()->className() << " " << control->objectName().toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 27);
    const struct {
        QWidget* control;
        const char* spoken;
    } names[] = {
        {window.edtCurrentChargeRate, "Current Charge Rate"},
        {window.edtSessionCallTime, "Call Time This Session"},
        {window.edtSessionCost, "Call Charge This Session"},
        {window.LVSessions, "Sessions"},
        {window.edtTotalCallTime, "Total Call Time"},
        {window.edtTotalCost, "Total Call Charges"},
        {window.edtSessionTimeAlarm, "Session Time Alarm"},
        {window.edtTotalCostAlarm, "Total Cost Alarm"},
        {window.edtWeekendPerSecond, "Weekend Rate Per Minute"},
        {window.DTPWeekendStart, "Weekend Start"},
        {window.edtDefaultEntryDescription, "Default Entry Description"},
        {window.cbAutoStart, "Run Dorvantix at system startup"},
    };
    for (const auto& n : names)
        EXPECT_EQ(n.control->accessibleName(), n.spoken);
}

TEST_F(MainWindowTest, ThePagesComeInTheirOrderWithLogsSelected) {
    ASSERT_EQ(window.PageControl1->count(), 3);
    EXPECT_EQ(window.PageControl1->tabText(0), "Logs");
    EXPECT_EQ(window.PageControl1->tabText(1), "Alarms");
    EXPECT_EQ(window.PageControl1->tabText(2), "Setup");
    EXPECT_EQ(window.PageControl1->currentIndex(), 0);
    EXPECT_EQ(window.PageControl1->widget(0), window.tabStatistics);
    EXPECT_EQ(window.lblLastResetDate->text(), "(Totals Since)");
}

TEST_F(ConfiguredWindowTest, TheSessionListHasItsFourColumns) {
    const QStringList headers = {"Date", "Description", "Duration", "Cost"};
    const int widths[] = {120, 130, 130, 50};
    const QAbstractItemModel* model = window.LVSessions->model();
    ASSERT_EQ(model->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(model->headerData(column, Qt::Horizontal), headers[column]);
        EXPECT_GE(window.LVSessions->columnWidth(column), widths[column]);
    }
    EXPECT_FALSE(window.LVSessions->rootIsDecorated());
    EXPECT_EQ(window.LVSessions->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(window.LVSessions->editTriggers(), QAbstractItemView::NoEditTriggers);
}

// Follows the focus chain from `first` and returns the controls of `among` in the order met.
QList<QWidget*> focusOrder(QWidget* first, const QList<QWidget*>& among) {
    QList<QWidget*> order;
    QWidget* widget = first;
    for (int step = 0; step < 200 && order.size() < among.size(); ++step) {
        if (among.contains(widget) && !order.contains(widget))
            order.append(widget);
        widget = widget->nextInFocusChain();
    }
    return order;
}

TEST_F(ConfiguredWindowTest, TheAlarmsPageIsTraversedFromTheBottomBoxUp) {
    const QList<QWidget*> expected = {window.edtTotalCostAlarm, window.edtTotalTimeAlarm,
                                      window.edtSessionCostAlarm, window.edtSessionTimeAlarm};
    EXPECT_EQ(focusOrder(window.edtTotalCostAlarm, expected), expected);
}

TEST_F(ConfiguredWindowTest, TheSetupPageIsTraversedPickersFirst) {
    const QList<QWidget*> expected = {
        window.DTPOffPeakStart,       window.DTPOffPeakEnd,
        window.DTPWeekendStart,       window.DTPWeekendEnd,
        window.edtOffPeakPerSecond,   window.edtPeakPerSecond,
        window.edtWeekendPerSecond,   window.edtMinimumCallCharge,
        window.cbAutoStart,           window.edtDefaultEntryDescription,
        window.cbPromptForDescription};
    EXPECT_EQ(focusOrder(window.DTPOffPeakStart, expected), expected);
}

TEST_F(ConfiguredWindowTest, TheBoxesShowTheirHints) {
    EXPECT_EQ(window.edtCurrentChargeRate->toolTip(), "The current billing rate per minute");
    EXPECT_EQ(window.edtSessionTimeAlarm->toolTip(),
              "The duration in minutes for each session before the an alarm sounds");
    EXPECT_EQ(window.edtMinimumCallCharge->toolTip(),
              "Minimum cost per call regardless of duration");
    EXPECT_EQ(window.DTPOffPeakEnd->toolTip(), "Time of day when peak billing starts");
    EXPECT_TRUE(window.edtCurrentChargeRate->isReadOnly());
    EXPECT_TRUE(window.edtTotalCost->isReadOnly());
    EXPECT_EQ(window.DTPOffPeakStart->text(), "18:00:00");
}

QStringList captions(const QMenu* menu) {
    QStringList texts;
    for (const QAction* item : menu->actions())
        texts.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

TEST_F(ConfiguredWindowTest, TheMenusHoldTheirItemsInOrder) {
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), "&File");
    EXPECT_EQ(captions(bar[0]->menu()),
              QStringList({"Floating Display", "-", "&History...", "&Exit"}));
    EXPECT_EQ(bar[1]->text(), "&Help");
    EXPECT_EQ(captions(bar[1]->menu()), QStringList({"&About..."}));
    EXPECT_EQ(captions(window.PopupMenu),
              QStringList({"&Monitor", "Floating Display", "-", "Show Main Window", "-", "&Exit"}));
    EXPECT_TRUE(window.mnuMonitor->isCheckable());
    EXPECT_TRUE(window.mnuFloatingDisplay->isCheckable());
    EXPECT_EQ(window.PopupMenu->defaultAction(), nullptr);
}

TEST_F(ConfiguredWindowTest, ACommandOfBothMenusIsOneActionInBoth) {
    const QList<QAction*> file = window.menuBar()->actions().constFirst()->menu()->actions();
    const QList<QAction*> tray = window.PopupMenu->actions();
    for (QAction* item : {window.mnuFloatingDisplay, window.Exit1}) {
        EXPECT_TRUE(file.contains(item)) << item->text().toStdString();
        EXPECT_TRUE(tray.contains(item)) << item->text().toStdString();
    }
    EXPECT_EQ(window.mnuFloatingDisplayPopUp, window.mnuFloatingDisplay);
    EXPECT_EQ(window.mnuExit, window.Exit1);
}

TEST(Pictures, AreSquarePicturesOf32PixelsWithSomethingDrawn) {
    for (const QPixmap& picture :
         {ResetPicture(), SetChangesPicture(), MonitorPicture(), ManualStartPicture(),
          ManualStopPicture(), SaveLogPicture(), LoadLogPicture(), PrintLogPicture()}) {
        ASSERT_EQ(picture.size(), QSize(32, 32));
        const QImage image = picture.toImage();
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 150);
        EXPECT_LT(drawn, 32 * 32);
    }
    EXPECT_FALSE(ProgramIcon().pixmap(16, 16).isNull());
    EXPECT_EQ(ProgramIcon().availableSizes().size(), 7);
}

} // namespace
} // namespace dvx
