// Importing a REGEDIT4 file whose one key holds many values, into a fresh hive each time: the
// time per value stays the same from 1,000 to 50,000 values.
#include "store/registry/hive.h"
#include "store/registry/regedit_import.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace dvx;

namespace {

QByteArray ManyValues(int count) {
    QByteArray text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Many]\n";
    for (int i = 0; i < count; ++i) {
        text += "\"Value " + QByteArray::number(i) + "\"=\"Evening call number " +
                QByteArray::number(i) + "\"\n";
    }
    return text;
}

void BM_ImportValuesOfOneKey(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QByteArray file = ManyValues(count);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        Hive hive(dir.filePath(QStringLiteral("hive.db")));
        if (!hive.ensureKey(QStringLiteral("Software")))
            std::abort();
        state.ResumeTiming();
        RegeditError error;
        if (!ImportRegedit(hive, file, error)) {
            state.SkipWithError(error.message.toUtf8().constData());
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_ImportValuesOfOneKey)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
