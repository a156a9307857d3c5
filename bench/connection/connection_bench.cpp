// The tick's connection-state query, answered from the kernel's link events, beside one dump of
// every interface (the fallback when the events cannot be followed).
#include "platform/connection/interface_dump.h"
#include "platform/connection/kernel_connection_state.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace dvx;

static void BM_QueryFromLinkEvents(benchmark::State& state) {
    KernelConnectionState source;
    if (!source.followsLinkEvents()) {
        state.SkipWithError("the kernel's link events cannot be watched here");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(source.query());
    }
}
BENCHMARK(BM_QueryFromLinkEvents);

static void BM_DumpEveryInterface(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DumpConnectionState());
    }
}
BENCHMARK(BM_DumpEveryInterface);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
