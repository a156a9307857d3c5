// What a running session shows each second: the window's boxes, the tray tip and the floating
// display.
#include "support/main_window_test.h"

#include <QLineEdit>

namespace dvx {
namespace {

struct TextCase {
    int seconds;
    const char* hint;
    const char* floatingTime;
    const char* floatingCost;
    const char* callTime;
    const char* callCost;
};

// Peak 0.035 per minute: 3725 seconds cost 350 / 60 x 3725 = 21729.2 ten-thousandths.
const TextCase kTextCases[] = {
    {0, "Dorvantix - Call time 0 seconds.  Cost £0.05", "Call time 0 seconds.", "Cost £0.05",
     "0min, 00sec", "£0.05"},
    {59, "Dorvantix - Call time 59 seconds.  Cost £0.05", "Call time 59 seconds.", "Cost £0.05",
     "0min, 59sec", "£0.05"},
    {60, "Dorvantix - Call time 60 seconds.  Cost £0.05", "Call time 60 seconds.", "Cost £0.05",
     "1min, 00sec", "£0.05"},
    {61, "Dorvantix - Call time 1 minutes, 1 seconds.  Cost £0.05",
     "Call time 1 minutes, 1 seconds.", "Cost £0.05", "1min, 01sec", "£0.05"},
    {3725, "Dorvantix - Call time 62 minutes, 5 seconds.  Cost £2.17",
     "Call time 62 minutes, 5 seconds.", "Cost £2.17", "62min, 05sec", "£2.17"},
};

TEST_F(ConfiguredWindowTest, ATickShowsTheSessionInEveryPlace) {
    startAutomaticSession();
    int elapsed = 0;
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(c.seconds);
        tickAfter(c.seconds - elapsed);
        elapsed = c.seconds;
        EXPECT_EQ(trayHint(), QString::fromUtf8(c.hint));
        EXPECT_EQ(floatingTime(), QString::fromUtf8(c.floatingTime));
        EXPECT_EQ(floatingCost(), QString::fromUtf8(c.floatingCost));
        EXPECT_EQ(window.edtSessionCallTime->text(), QString::fromUtf8(c.callTime));
        EXPECT_EQ(window.edtSessionCost->text(), QString::fromUtf8(c.callCost));
    }
}

TEST_F(ConfiguredWindowTest, TheFinishedSessionStaysInTheBoxesUntilTheNextUpdate) {
    startAutomaticSession();
    tickAfter(75);
    connection.hangUp();
    tickAfter(1);
    EXPECT_EQ(window.edtSessionCallTime->text(), "1min, 15sec");
    EXPECT_EQ(window.edtSessionCost->text(), "£0.05");
    EXPECT_EQ(window.edtTotalCallTime->text(), "1min, 15sec");
}

TEST_F(ConfiguredWindowTest, TheRateOfTheStartHoldsForTheWholeSession) {
    clock.setLocal(QDateTime(QDate(2026, 3, 3), QTime(17, 59, 0))); // Tuesday, peak
    startAutomaticSession();
    EXPECT_EQ(window.meter().currentRate(), Currency::fromRaw(kPeakRaw));
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.035");
    tickAfter(600); // well into off-peak
    EXPECT_EQ(window.meter().currentRate(), Currency::fromRaw(kPeakRaw));
    EXPECT_EQ(window.meter().sessionCharge(), Currency::fromRaw(3500));
}

TEST_F(ConfiguredWindowTest, EachSessionTakesTheRateOfItsOwnStart) {
    clock.setLocal(QDateTime(QDate(2026, 3, 7), QTime(10, 0, 0))); // Saturday
    startAutomaticSession();
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.020");
    connection.hangUp();
    tick();
    clock.setLocal(QDateTime(QDate(2026, 3, 9), QTime(20, 0, 0))); // Monday evening
    connection.dialUp();
    tick();
    EXPECT_EQ(window.edtCurrentChargeRate->text(), "£0.010");
}

} // namespace
} // namespace dvx
