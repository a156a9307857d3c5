// Opening the History window over a log of 1,000 to 100,000 sessions: the time until the window
// is up (the log is read on a thread of its own), the time until it shows the periods, and the
// longest the window's thread went without handling its events meanwhile (a 5 ms timer's
// longest wait), which is what a user feels as a freeze.
#include "log_hive.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "ui/history/frm_history.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace dvx;
using dvx::bench::LogHive;

namespace {

class StillClock final : public Clock {
public:
    DateTime now() const override { return 0; }
    std::int64_t instantMs() const override { return 1797000000000; } // December 2026
};

class NoDialogs final : public Dialogs {
public:
    void applicationError(const QString&) override { std::abort(); }
    void error(const QString&) override { std::abort(); }
    void information(const QString&) override {}
    void notice(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<QString> openFileName(const FileDialogOptions&) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
    void showModal(QDialog&) override {}
};

void OpenTheHistoryWindow(benchmark::State& state) {
    const QString file = LogHive::ofSize(int(state.range(0))).file();
    StillClock clock;
    NoDialogs dialogs;
    double up = 0;
    double longestStall = 0;
    for (auto _ : state) {
        QElapsedTimer since;
        qint64 last = 0;
        qint64 stall = 0;
        QTimer beat;
        beat.setInterval(5);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            stall = std::max(stall, since.elapsed() - last);
            last = since.elapsed();
        });
        QEventLoop loop;
        since.start();
        TfrmHistory window({file, clock, dialogs, RegionalSettings::british(), [](int) {}});
        QObject::connect(&window, &TfrmHistory::historyShown, &loop, &QEventLoop::quit);
        window.show();
        up = std::max(up, double(since.elapsed()));
        last = since.elapsed();
        beat.start();
        loop.exec();
        longestStall = std::max(longestStall, double(stall));
    }
    state.counters["up_ms"] = up;
    state.counters["longest_stall_ms"] = longestStall;
}
BENCHMARK(OpenTheHistoryWindow)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
