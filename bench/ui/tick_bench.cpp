// The cost of the one-second tick in the main window: watching with no call, and timing a call
// with every text it shows (window boxes, tray tip, floating display).
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_run_list.h"
#include "support/store_hive.h"
#include "ui/main_window/frm_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace dvx;

namespace {

// The window over a hive of its own holding a tariff of 3.5p a minute, at least 5p a call.
struct Window {
    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    FakeRunList runList;
    TfrmMain main{
        MainWindowServices{clock, connection, dialogs, RegionalSettings::british(), runList}};

    Window() {
        hive.seed(test::ProductSeed(QString::fromLatin1(test::kTariffTimes) +
                                    QStringLiteral("\"FirstRun\"=dword:00000001\n"
                                                   "\"PeakPerSecond\"=dword:00000023\n"
                                                   "\"MinCallCharge\"=dword:00000032\n")));
        main.LoadSettings();
        main.SetMonitoring(true);
    }
};

void BM_WatchingTick(benchmark::State& state) {
    Window window;
    for (auto _ : state)
        window.main.DurationTimerTimer();
}
BENCHMARK(BM_WatchingTick);

void BM_ChargingTick(benchmark::State& state) {
    Window window;
    window.connection.dialUp();
    window.main.DurationTimerTimer();
    for (auto _ : state) {
        window.clock.advanceSeconds(1);
        window.main.DurationTimerTimer();
    }
    benchmark::DoNotOptimize(window.main.meter().sessionSeconds());
}
BENCHMARK(BM_ChargingTick);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
