#include "store/registry/giving_way.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <sqlite3.h>
#include <thread>

namespace dvx {

namespace {

using Clock = std::chrono::steady_clock;

// The end of the moment asked for, in the clock's ticks; zero when none was asked.
std::atomic<Clock::rep> wayGivenUntil{0};

// SQLite calls back after this many of its steps: often enough to pause within a millisecond,
// seldom enough to cost nothing.
constexpr int kStepsBetweenLooks = 4000;

bool OnMainThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

int PauseWhileGivingWay(void*) {
    WaitWhileGivingWay();
    return 0;
}

} // namespace

void GiveWayFor(std::chrono::milliseconds moment) {
    const Clock::rep until = (Clock::now() + moment).time_since_epoch().count();
    Clock::rep asked = wayGivenUntil.load(std::memory_order_relaxed);
    while (asked < until && !wayGivenUntil.compare_exchange_weak(asked, until))
        ;
}

std::chrono::milliseconds WayStillGiven() {
    const Clock::rep until = wayGivenUntil.load(std::memory_order_relaxed);
    if (until == 0)
        return std::chrono::milliseconds(0);
    const Clock::duration left = Clock::time_point(Clock::duration(until)) - Clock::now();
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(left),
                    std::chrono::milliseconds(0));
}

void WaitWhileGivingWay() {
    const Clock::rep until = wayGivenUntil.load(std::memory_order_relaxed);
    if (until == 0 || OnMainThread())
        return;
    const Clock::time_point end{Clock::duration(until)};
    if (Clock::now() < end)
        std::this_thread::sleep_until(end);
}

void GiveWayOffTheMainThread(sqlite3* connection) {
    if (!OnMainThread())
        sqlite3_progress_handler(connection, kStepsBetweenLooks, &PauseWhileGivingWay, nullptr);
}

} // namespace dvx
