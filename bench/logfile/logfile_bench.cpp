// Saving and loading a log of 100,000 sessions, beside a plain write and read of the same number
// of bytes through the same kind of buffer, so the cost of the record codec and the texts shows.
// Saved are the list as the session log fills it and the list as a log file loads it; loading
// fills the session list.
#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "metering/session_list_model.h"
#include "store/logfile/log_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace dvx;

namespace {

constexpr int kSessions = 100000;
constexpr std::size_t kFileBytes = 208 * (kSessions + 1);
constexpr std::size_t kChunk = 208 * 315;

const RegionalSettings& regional() {
    static const RegionalSettings rs = RegionalSettings::british();
    return rs;
}

const QTemporaryDir& folder() {
    static const QTemporaryDir dir;
    return dir;
}

QString logFile() {
    return folder().filePath(QStringLiteral("bench.dvx"));
}

QByteArray plainFile() {
    return QFile::encodeName(folder().filePath(QStringLiteral("plain.bin")));
}

// The list as the session log fills it: the texts the store holds, and the seconds.
ListedSessions sessionList() {
    ListedSessions rows;
    rows.reserve(kSessions);
    const DateTime first = encodeDate(QDate(2024, 1, 1)) + encodeTime(8, 0, 0);
    for (int i = 0; i < kSessions; ++i) {
        const int seconds = 30 + i % 7200;
        rows.append(StoredSession{
            DateTimeText(first + i * 0.01, regional()),
            i % 3 == 0 ? QStringLiteral("Café €%1").arg(i) : QStringLiteral("Automatic Connection"),
            seconds, MoneyText(Currency::fromRaw(500 + seconds * 6), regional())});
    }
    return rows;
}

void BM_SaveLogFile(benchmark::State& state) {
    const ListedSessions rows = sessionList();
    for (auto _ : state)
        SaveLogFile(rows, 45000.5, regional(), logFile());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

void BM_SaveLoadedLogFile(benchmark::State& state) {
    SaveLogFile(sessionList(), 45000.5, regional(), logFile());
    const LogLoadResult loaded = LoadLogFile(logFile(), regional());
    const QString copy = folder().filePath(QStringLiteral("copy.dvx"));
    for (auto _ : state)
        SaveLogFile(loaded.rows, 45000.5, regional(), copy);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

void BM_LoadLogFile(benchmark::State& state) {
    SaveLogFile(sessionList(), 45000.5, regional(), logFile());
    SessionListModel list(regional());
    for (auto _ : state) {
        LogLoadResult result = LoadLogFile(logFile(), regional());
        if (result.rows.size() != kSessions)
            state.SkipWithError("the log did not load whole");
        list.setSessions(std::move(result.rows));
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

void BM_PlainWrite(benchmark::State& state) {
    std::vector<char> chunk(kChunk, 'x');
    for (auto _ : state) {
        const int fd = ::open(plainFile().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        for (std::size_t done = 0; done < kFileBytes; done += kChunk) {
            const std::size_t size = std::min(kChunk, kFileBytes - done);
            if (::write(fd, chunk.data(), size) != static_cast<ssize_t>(size))
                state.SkipWithError("write failed");
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

void BM_PlainRead(benchmark::State& state) {
    std::vector<char> chunk(kChunk);
    for (auto _ : state) {
        const int fd = ::open(plainFile().constData(), O_RDONLY);
        std::size_t total = 0;
        for (ssize_t got; (got = ::read(fd, chunk.data(), chunk.size())) > 0;)
            total += static_cast<std::size_t>(got);
        ::close(fd);
        if (total != kFileBytes)
            state.SkipWithError("the plain file did not read whole");
        benchmark::DoNotOptimize(chunk.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}

} // namespace

BENCHMARK(BM_SaveLogFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLoadedLogFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLogFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
