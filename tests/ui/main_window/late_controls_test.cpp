// The window builds its controls when it is first shown. Whatever happened before (the start-up,
// calls, settings that could not be read, calls the hive could not take yet), a window built then
// shows exactly what a window built at once shows when it is shown after the same events.
#include "support/window_program.h"

#include "ui/main_window/time_of_day_picker.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace dvx {
namespace {

const QString kConfigured = QString::fromLatin1(test::kTariffTimes) +
                            QStringLiteral("\"FirstRun\"=dword:00000001\n"
                                           "\"PeakPerSecond\"=dword:00000023\n"
                                           "\"MinCallCharge\"=dword:00000032\n"
                                           "\"TotalCallTime\"=dword:00000258\n"
                                           "\"TotalCallCharges\"=\"£1.20\"\n"
                                           "\"LastResetDate\"=\"01/03/2026 09:00:00\"\n"
                                           "\"AutoRun\"=dword:00000001\n"
                                           "\"DefaultDescription\"=\"Dial-up\"\n");

// The program with its call helpers; its controls are built at once, or left for later.
struct Program : WindowProgram {
    explicit Program(Controls controls) : WindowProgram(controls) {
        hive.hive().setBusyWait(std::chrono::milliseconds(20));
    }

    void tickAfter(std::int64_t seconds) {
        clock.advanceSeconds(seconds);
        window.runGuarded([this] { window.DurationTimerTimer(); });
    }

    void call(std::int64_t seconds) {
        connection.dialUp();
        tickAfter(0);
        tickAfter(seconds);
        connection.hangUp();
        tickAfter(1);
    }
};

// What every named control shows, one line each, and the list's rows.
std::string shown(const TfrmMain& window) {
    QStringList lines;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName() + QStringLiteral(": ");
        if (control->objectName().isEmpty())
            continue;
        if (const auto* box = qobject_cast<const TimeOfDayPicker*>(control))
            lines << name + box->time().toString();
        else if (const auto* box = qobject_cast<const QLineEdit*>(control))
            lines << name + box->text();
        else if (const auto* box = qobject_cast<const QCheckBox*>(control))
            lines << name + QString::number(box->isChecked());
        else if (const auto* label = qobject_cast<const QLabel*>(control))
            lines << name + label->text() + QString::number(label->isVisibleTo(&window));
        else if (const auto* button = qobject_cast<const QToolButton*>(control))
            lines << name + QString::number(button->isEnabled());
        else if (const auto* bar = qobject_cast<const QStatusBar*>(control))
            lines << name + bar->currentMessage();
    }
    const QAbstractItemModel& list = *window.LVSessions->model();
    for (int row = 0; row < list.rowCount(); ++row)
        for (int column = 0; column < list.columnCount(); ++column)
            lines << QStringLiteral("row %1: %2")
                         .arg(row)
                         .arg(list.index(row, column).data().toString());
    lines.sort();
    return lines.join(QLatin1Char('\n')).toStdString();
}

struct Events {
    const char* name;
    std::function<void(Program&)> happen;
    const char* mustShow; // one line the window shows after them
};

void startUp(Program& program, const QString& productLines = kConfigured) {
    program.hive.seed(test::ProductSeed(productLines));
    program.window.runGuarded([&program] { program.window.FormCreate(); });
}

TEST(LateControlsTest, ControlsBuiltLateShowWhatControlsBuiltAtOnceShow) {
    const Events cases[] = {
        {"start-up", [](Program& p) { startUp(p); }, "SB: Monitoring For Call"},
        {"alarm limits",
         [](Program& p) {
             p.hive.seed(test::AlarmsSeed(QStringLiteral("\"SessionTimeAlarm\"=dword:0000000f\n"
                                                         "\"TotalCostAlarm\"=\"£12.50\"\n")));
             startUp(p);
         },
         "edtTotalCostAlarm: £12.50"},
        {"a call running",
         [](Program& p) {
             startUp(p);
             p.connection.dialUp();
             p.tickAfter(0);
             p.tickAfter(75);
         },
         "edtSessionCallTime: 1min, 15sec"},
        {"two calls ended",
         [](Program& p) {
             startUp(p);
             p.call(130);
             p.call(20);
         },
         "SB: Not Connected"},
        {"the list read ahead, then a call",
         [](Program& p) {
             startUp(p);
             p.call(40);
             p.window.FillSessionList();
             p.call(61);
         },
         "row 1: Dial-up"},
        {"totals that cannot be read",
         [](Program& p) {
             p.dialogs.expect(BoxKind::applicationError);
             startUp(p, kConfigured + QStringLiteral("\"TotalCallCharges\"=\"£1..5\"\n"));
         },
         "edtPeakPerSecond: "},
        {"a call the hive could not take",
         [](Program& p) {
             startUp(p);
             Hive other(p.hive.hive().file());
             Hive::Transaction holding(other);
             ASSERT_TRUE(other.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                          RegValue::ofDword(1)));
             p.call(30);
         },
         "lblUnsaved: 1 call not saved yet1"},
    };
    for (const Events& events : cases) {
        SCOPED_TRACE(events.name);
        Program atOnce(Program::Controls::builtAtOnce);
        Program late(Program::Controls::builtWhenShown);
        events.happen(atOnce);
        events.happen(late);
        EXPECT_EQ(late.window.LVSessions, nullptr);
        atOnce.window.show();
        late.window.show();
        const std::string expected = shown(atOnce.window);
        EXPECT_EQ(shown(late.window), expected);
        EXPECT_NE(expected.find(std::string(events.mustShow) + '\n'), std::string::npos)
            << expected;
        EXPECT_EQ(late.dialogs.texts(), atOnce.dialogs.texts());
    }
}

} // namespace
} // namespace dvx
