// One tick's arithmetic and texts: the charge, the money and duration texts and the tray tip.
#include "metering/call_texts.h"
#include "metering/money_text.h"
#include "metering/tariff.h"

#include <benchmark/benchmark.h>

using namespace dvx;

static void BM_TickArithmeticAndTexts(benchmark::State& state) {
    const RegionalSettings rs = RegionalSettings::british();
    std::int32_t seconds = 0;
    for (auto _ : state) {
        const Currency charge =
            SessionCharge(seconds, Currency::fromRaw(350), Currency::fromRaw(500));
        const QString money = MoneyText(charge, rs);
        benchmark::DoNotOptimize(DurationText(seconds));
        benchmark::DoNotOptimize(CallHintText(seconds, money));
        benchmark::DoNotOptimize(CallCostText(money));
        seconds = (seconds + 1) % 100000;
    }
}
BENCHMARK(BM_TickArithmeticAndTexts);

BENCHMARK_MAIN();
