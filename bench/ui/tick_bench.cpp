// The cost of the one-second tick in the main window: watching with no call, and timing a call
// with every text it shows (window boxes, tray tip, floating display).
#include "platform/fakes/fake_clock.h"
#include "platform/fakes/fake_connection_state.h"
#include "platform/fakes/fake_dialogs.h"
#include "ui/main_window/frm_main.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace dvx;

namespace {

struct Window {
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    TfrmMain main{MainWindowServices{clock, connection, dialogs, RegionalSettings::british()}};

    Window() {
        main.Tariff.peakRate = Currency::fromRaw(350);
        main.Tariff.minimumCharge = Currency::fromRaw(500);
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
    benchmark::DoNotOptimize(window.main.SessionSeconds);
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
