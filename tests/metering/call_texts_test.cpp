#include "metering/call_texts.h"

#include <gtest/gtest.h>

using namespace dvx;

TEST(CallTexts, UseTheSecondsFormUpToAMinute) {
    const std::pair<int, const char*> cases[] = {
        {0, "Call time 0 seconds."},
        {60, "Call time 60 seconds."},
        {61, "Call time 1 minutes, 1 seconds."},
        {3725, "Call time 62 minutes, 5 seconds."},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(CallTimeText(seconds), text);
}

TEST(CallTexts, HintHasTwoBlanksBeforeTheCost) {
    EXPECT_EQ(CallHintText(0, QStringLiteral("£0.05")),
              QStringLiteral("Dorvantix - Call time 0 seconds.  Cost £0.05"));
    EXPECT_EQ(CallHintText(61, QStringLiteral("£0.05")),
              QStringLiteral("Dorvantix - Call time 1 minutes, 1 seconds.  Cost £0.05"));
    EXPECT_EQ(CallCostText(QStringLiteral("£1.00")), QStringLiteral("Cost £1.00"));
}
