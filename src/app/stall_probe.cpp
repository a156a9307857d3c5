#include "app/stall_probe.h"

#include <QTimerEvent>
#include <ctime>

namespace dvx {

namespace {

double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

} // namespace

std::unique_ptr<StallProbe> StallProbe::fromEnvironment() {
    const QByteArray path = qgetenv("DORVANTIX_STALL_PROBE");
    if (path.isEmpty())
        return nullptr;
    std::FILE* file = std::fopen(path.constData(), "w");
    if (file == nullptr) {
        std::perror(path.constData());
        return nullptr;
    }
    return std::unique_ptr<StallProbe>(new StallProbe(file));
}

StallProbe::StallProbe(std::FILE* file) : file_(file), lastFiring_(MonotonicMs()) {
    std::fprintf(file_, "probe %.1f interval %d threshold %.0f\n", lastFiring_, kIntervalMs,
                 kThresholdMs);
    std::fflush(file_);
    startTimer(kIntervalMs, Qt::PreciseTimer);
}

StallProbe::~StallProbe() {
    std::fclose(file_);
}

void StallProbe::timerEvent(QTimerEvent*) {
    const double now = MonotonicMs();
    const double late = now - lastFiring_ - kIntervalMs;
    lastFiring_ = now;
    if (!fired_) {
        fired_ = true;
        std::fprintf(file_, "first %.1f %.1f\n", now, late);
        std::fflush(file_);
        return;
    }
    if (late <= kThresholdMs && late <= longest_)
        return;
    if (late > kThresholdMs)
        std::fprintf(file_, "stall %.1f %.1f\n", now, late);
    if (late > longest_) {
        longest_ = late;
        std::fprintf(file_, "longest %.1f %.1f\n", now, late);
    }
    std::fflush(file_);
}

} // namespace dvx
