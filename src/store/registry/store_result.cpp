#include "store/registry/store_result.h"

#include "store/registry/hive.h"

namespace dvx {

StoreResult StoreResult::of(const Hive& hive, bool failed) {
    return failed ? failure(hive.lastError(), hive.lastFailureWasBusy()) : success();
}

} // namespace dvx
