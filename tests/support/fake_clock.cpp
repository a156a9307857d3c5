#include "support/fake_clock.h"

namespace dvx {

DateTime FakeClock::now() const {
    return encodeDateTime(QDateTime::fromMSecsSinceEpoch(instantMs_).toLocalTime());
}

void FakeClock::setLocal(const QDateTime& local) {
    instantMs_ = local.toMSecsSinceEpoch();
}

} // namespace dvx
