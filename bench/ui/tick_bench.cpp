// The cost of the one-second tick in the main window: watching with no call, and timing a call
// with every text it shows (window boxes, tray tip, floating display); and the memory of a day
// of ticks, which must not grow.
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_run_list.h"
#include "support/store_hive.h"
#include "ui/main_window/frm_main.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

using namespace dvx;

namespace {

// The window over a hive of its own holding a tariff of 3.5p a minute, at least 5p a call.
struct Window {
    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeDialogs dialogs;
    FakeRunList runList;
    TfrmMain main{MainWindowServices{clock, connection, dialogs, RegionalSettings::british(),
                                     runList, hive.settingsStore, hive.sessionLog}};

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

// The resident memory of this process now, in kilobytes.
double residentKilobytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

constexpr int kTicksInADay = 86400;
constexpr int kTicksInAnHour = 3600;

// A day of ticks on the fake clock, watching for a call that never comes or timing one call
// that lasts all day. The memory is read after the first hour, when everything the tick needs
// has been made, and again at the end of the day: the growth between them must stay flat.
void BM_DayOfTicks(benchmark::State& state) {
    const bool withCall = state.range(0) != 0;
    for (auto _ : state) {
        Window window;
        if (withCall)
            window.connection.dialUp();
        double afterAnHour = 0;
        for (int tick = 0; tick < kTicksInADay; ++tick) {
            window.clock.advanceSeconds(1);
            window.main.DurationTimerTimer();
            if (tick == kTicksInAnHour)
                afterAnHour = residentKilobytes();
        }
        const double afterADay = residentKilobytes();
        state.counters["rss_hour_kB"] = afterAnHour;
        state.counters["rss_day_kB"] = afterADay;
        state.counters["growth_kB"] = afterADay - afterAnHour;
        benchmark::DoNotOptimize(window.main.meter().sessionSeconds());
    }
}
BENCHMARK(BM_DayOfTicks)
    ->ArgName("call")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
