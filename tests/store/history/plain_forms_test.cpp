// The locale-free forms that scripts and spreadsheets read.
#include "store/history/plain_forms.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

TEST(PlainForms, AmountsHaveAPointAndTwoDecimals) {
    const struct {
        std::int64_t raw;
        const char* text;
    } cases[] = {{0, "0.00"},   {500, "0.05"}, {12345000, "1234.50"}, {-4200, "-0.42"},
                 {125, "0.01"}, {150, "0.02"}, {-50, "0.00"},         {99999950, "10000.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(PlainAmountText(Currency::fromRaw(c.raw)), QLatin1String(c.text)) << c.raw;
}

TEST(PlainForms, MomentsAreLocalIso8601ToTheSecond) {
    EXPECT_EQ(IsoDateTimeText(*encodeDate(2026, 12, 11) + encodeTime(4, 27, 33)),
              QStringLiteral("2026-12-11T04:27:33"));
    EXPECT_EQ(IsoDateTimeText(*encodeDate(2028, 2, 29)), QStringLiteral("2028-02-29T00:00:00"));
    // Half a second before midnight is the next day's first second.
    EXPECT_EQ(IsoDateTimeText(*encodeDate(2026, 12, 31) + encodeTime(23, 59, 59, 500)),
              QStringLiteral("2027-01-01T00:00:00"));
    EXPECT_EQ(IsoDateText(QDate(987, 1, 2)), QStringLiteral("0987-01-02"));
}

} // namespace
