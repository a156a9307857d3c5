#pragma once

#include <compare>
#include <cstdint>

namespace dvx {

// Money as an exact count of ten-thousandths of the currency unit.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths) {
        return Currency(tenThousandths);
    }
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units * kScale); }

    constexpr std::int64_t raw() const { return raw_; }

    constexpr Currency operator+(Currency other) const { return Currency(raw_ + other.raw_); }
    constexpr Currency operator-(Currency other) const { return Currency(raw_ - other.raw_); }
    constexpr Currency& operator+=(Currency other) {
        raw_ += other.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

} // namespace dvx
