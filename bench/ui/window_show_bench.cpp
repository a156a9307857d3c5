// Showing the main window from the tray, as a double click on the icon does, with the Logs page
// selected: over an empty session log, over one of 10 sessions, a little more than the list shows
// at once, and over one of 1,000, 10,000 and 100,000 sessions. The window is painted before the
// time stops. Between two shows the window goes back to the tray with Monitor!, outside the time.
// The first show of a window just made reads the whole log, unless the program has waited in the
// tray a moment after its start: it reads the log then.
#include "metering/session_list_model.h"
#include "store/registry/hive.h"
#include "support/window_program.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace dvx;

namespace {

SessionRecord Session(int i) {
    return {.callTime = 60 + i % 3600,
            .sessionStart = QStringLiteral("03/03/2026 12:%1:00").arg(i % 60, 2, 10, QChar('0')),
            .sessionStop = QStringLiteral("03/03/2026 13:00:00"),
            .callCharges = QStringLiteral("£0.42"),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

// The program over a hive of its own that holds the settings of a configured program and
// `sessions` recorded sessions; its window builds its controls when first shown.
struct Program : WindowProgram {
    explicit Program(int sessions) : WindowProgram(Controls::builtWhenShown) {
        hive.seed(test::ProductSeed(QString::fromLatin1(test::kTariffTimes) +
                                    QStringLiteral("\"FirstRun\"=dword:00000001\n")));
        Hive& store = hive.hive();
        Hive::Transaction together(store);
        for (int i = 0; i < sessions; ++i)
            writeRecord(store, i);
        if (!together.commit())
            std::abort();
        window.LoadSettings();
        window.SetMonitoring(true);
    }

    // Record `i` with every value a recorded session has, under the name the program gives it.
    static void writeRecord(Hive& store, int i) {
        const QString key =
            QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions\\") + QString::number(i);
        const SessionRecord record = Session(i);
        bool written =
            store.writeValue(key, QStringLiteral("CallTime"), RegValue::ofDword(record.callTime));
        const auto text = [&](const char* name, const QString& value) {
            written =
                written && store.writeValue(key, QLatin1String(name), RegValue::ofString(value));
        };
        text("SessionStart", record.sessionStart);
        text("SessionStop", record.sessionStop);
        text("CallCharges", record.callCharges);
        text("ConnectionName", record.connectionName);
        text("Number", record.number);
        text("Description", QStringLiteral("Dial-up"));
        if (!written)
            std::abort();
    }

    // The program started and waits in the tray for a few seconds.
    void startAndWait() {
        window.FormCreate();
        QEventLoop waiting;
        QTimer::singleShot(3000, &waiting, &QEventLoop::quit);
        waiting.exec();
    }

    void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // The double click on the tray icon, until the window is painted with every session listed.
    void showFromTray(benchmark::State& state) {
        window.CoolTrayIconDblClick();
        settle();
        window.repaint();
        if (window.sessionList().rowCount() != state.range(0))
            state.SkipWithError("the list does not show every session");
    }
};

// The first show of a window made for it and readied, outside the time, by `ready`.
void ShowWindowFirstTime(benchmark::State& state, void (*ready)(Program&)) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            Program program(int(state.range(0)));
            ready(program);
            state.ResumeTiming();
            program.showFromTray(state);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// The window shown again after Monitor!, as after the first show or a call's end.
void BM_ShowWindowFromTray(benchmark::State& state) {
    Program program(int(state.range(0)));
    program.window.CoolTrayIconDblClick();
    program.window.btnMonitorClick();
    program.settle();
    for (auto _ : state) {
        program.showFromTray(state);
        state.PauseTiming();
        program.window.btnMonitorClick();
        program.settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowWindowFromTray)
    ->ArgName("sessions")
    ->Arg(0)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The first show of a window just made, whose list has not been read yet.
void BM_ShowWindowFirstTime(benchmark::State& state) {
    ShowWindowFirstTime(state, [](Program&) {});
}
BENCHMARK(BM_ShowWindowFirstTime)
    ->ArgName("sessions")
    ->Arg(0)
    ->Arg(10000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// The first show after the program has waited in the tray a moment since its start, as when the
// user opens the window from the tray after a logon.
void BM_ShowWindowFirstTimeAfterStart(benchmark::State& state) {
    ShowWindowFirstTime(state, [](Program& program) { program.startAndWait(); });
}
BENCHMARK(BM_ShowWindowFirstTimeAfterStart)
    ->ArgName("sessions")
    ->Arg(0)
    ->Arg(10000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
