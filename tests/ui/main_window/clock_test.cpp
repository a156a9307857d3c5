// The session's seconds follow the system clock, but not a change to or from summer time.
#include "support/main_window_test.h"

#include <QLineEdit>
#include <ctime>

namespace dvx {
namespace {

TEST_F(ConfiguredWindowTest, SettingTheClockMovesTheSessionsSecondsAndCharge) {
    startAutomaticSession();
    tickAfter(100);
    EXPECT_EQ(window.meter().sessionSeconds(), 100);
    clock.advanceSeconds(-30);
    tick();
    EXPECT_EQ(window.meter().sessionSeconds(), 70);
    clock.advanceSeconds(1000);
    tick();
    EXPECT_EQ(window.meter().sessionSeconds(), 1070);
    EXPECT_EQ(window.meter().sessionCharge(), Currency::fromRaw(6242)); // 350 / 60 x 1070 = 6241.67
    EXPECT_EQ(window.edtSessionCost->text(), "£0.62");
}

TEST_F(ConfiguredWindowTest, HalfSecondsRoundToTheEvenSecond) {
    startAutomaticSession();
    clock.advanceMs(2500);
    tick();
    EXPECT_EQ(window.meter().sessionSeconds(), 2);
    clock.advanceMs(1000);
    tick();
    EXPECT_EQ(window.meter().sessionSeconds(), 4);
}

// Runs a test in a time zone with summer time, and puts the zone back afterwards.
class SummerTimeTest : public ConfiguredWindowTest {
protected:
    void SetUp() override {
        previous_ = qgetenv("TZ");
        qputenv("TZ", "Europe/London");
        tzset();
    }
    void TearDown() override {
        qputenv("TZ", previous_);
        tzset();
    }

private:
    QByteArray previous_;
};

struct ChangeCase {
    const char* change;
    QDateTime startUtc;
    QTime localStart;
    QTime localAfterAMinute;
};

TEST_F(SummerTimeTest, ACallAcrossTheChangeGainsOrLosesNoHour) {
    const ChangeCase cases[] = {
        {"clocks go forward", QDateTime(QDate(2026, 3, 29), QTime(0, 59, 30), Qt::UTC),
         QTime(0, 59, 30), QTime(2, 0, 30)},
        {"clocks go back", QDateTime(QDate(2026, 10, 25), QTime(0, 59, 30), Qt::UTC),
         QTime(1, 59, 30), QTime(1, 0, 30)},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.change);
        clock.setInstantMs(c.startUtc.toMSecsSinceEpoch());
        ASSERT_EQ(timeOf(clock.now()), c.localStart);
        startAutomaticSession();
        EXPECT_EQ(timeOf(window.meter().sessionStart()), c.localStart);
        tickAfter(60);
        EXPECT_EQ(timeOf(clock.now()), c.localAfterAMinute);
        EXPECT_EQ(window.meter().sessionSeconds(), 60);
        EXPECT_EQ(window.edtSessionCallTime->text(), "1min, 00sec");
        connection.hangUp();
        tick();
    }
}

} // namespace
} // namespace dvx
