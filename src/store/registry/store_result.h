#pragma once

#include <QString>
#include <utility>

namespace dvx {

class Hive;

// Whether an access of the store went through, and when it did not, why: the hive's own message
// and whether another process only held the hive for longer than the wait (then the same access
// is likely to go through a little later).
class [[nodiscard]] StoreResult {
public:
    static StoreResult success() { return StoreResult(); }
    static StoreResult failure(QString reason, bool busy = false) {
        StoreResult result;
        result.failed_ = true;
        result.reason_ = std::move(reason);
        result.busy_ = busy;
        return result;
    }
    // The outcome of a hive call that failed when `failed` is true, with the hive's reason.
    static StoreResult of(const Hive& hive, bool failed);

    bool ok() const { return !failed_; }
    bool busy() const { return busy_; }
    const QString& reason() const { return reason_; }

private:
    bool failed_ = false;
    bool busy_ = false;
    QString reason_;
};

// A value read or made by an access of the store, with the access's result.
template <typename T> struct [[nodiscard]] StoreValue {
    T value{};
    StoreResult result;
};

} // namespace dvx
