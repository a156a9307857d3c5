#include "platform/clock/system_clock.h"

#include <QDateTime>

namespace dvx {

DateTime SystemClock::now() const {
    return encodeDateTime(QDateTime::currentDateTime());
}

std::int64_t SystemClock::instantMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace dvx
