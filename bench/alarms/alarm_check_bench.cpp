// The alarm check runs in every tick of a session: its usual case, nothing reached, should cost
// next to nothing, and the tick that raises an alarm only a message's worth more.
#include "metering/alarms/alarm_check.h"

#include <benchmark/benchmark.h>

using namespace dvx;

namespace {

const AlarmLimits kLimits{60, Currency::fromUnits(5), 600, Currency::fromUnits(50)};

void QuietTick(benchmark::State& state) {
    const RegionalSettings rs = RegionalSettings::british();
    MeteredAmounts amounts{125, Currency::fromRaw(1200), 3000, Currency::fromUnits(3),
                           QStringLiteral("01/02/2026 09:30:00")};
    for (auto _ : state) {
        const AlarmCheckResult result =
            CheckAlarmLimits(kLimits, AlarmsArmed::all(), amounts, false, rs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(QuietTick);

void TickThatRaisesAnAlarm(benchmark::State& state) {
    const RegionalSettings rs = RegionalSettings::british();
    MeteredAmounts amounts{3600, Currency::fromRaw(1200), 3000, Currency::fromUnits(3),
                           QStringLiteral("01/02/2026 09:30:00")};
    for (auto _ : state) {
        const AlarmCheckResult result =
            CheckAlarmLimits(kLimits, AlarmsArmed::all(), amounts, false, rs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(TickThatRaisesAnAlarm);

} // namespace

BENCHMARK_MAIN();
