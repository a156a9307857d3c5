// The floating display made hidden at the start, as the main window makes it: it has no widgets
// until it is first shown, and then shows what it was last told, at the place it was moved to.
#include "ui/floating/frm_float.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace dvx {
namespace {

// A tick's news for the display: a call of so many seconds and its charge, or no call.
struct Told {
    std::int32_t seconds = 0;
    const char* charge = nullptr; // null: not connected
};
const Told kNotConnected{};

void tell(TfrmFloat& display, const std::vector<Told>& news) {
    for (const Told& told : news) {
        if (told.charge == nullptr)
            display.showNotConnected();
        else
            display.showCall(told.seconds, QString::fromUtf8(told.charge));
    }
}

struct FirstShowCase {
    const char* name;
    std::vector<Told> before;  // told while it was never shown
    std::vector<Told> after;   // told once shown
    std::vector<QPoint> moves; // while it was never shown, as the stored place is read
    const char* time;
    const char* cost;
};

const FirstShowCase kCases[] = {
    {"never told", {}, {}, {}, "", ""},
    {"not connected before", {kNotConnected}, {}, {}, "Not Connected", ""},
    {"a call before",
     {kNotConnected, {61, "£0.05"}},
     {},
     {},
     "Call time 1 minutes, 1 seconds.",
     "Cost £0.05"},
    {"a call that ended before", {{61, "£0.05"}, kNotConnected}, {}, {}, "Not Connected", ""},
    {"a call after", {kNotConnected}, {{5, "£0.05"}}, {}, "Call time 5 seconds.", "Cost £0.05"},
    {"a call before and its next second after",
     {{59, "£1,234.56"}},
     {{60, "£1,234.57"}},
     {},
     "Call time 60 seconds.",
     "Cost £1,234.57"},
    {"moved before",
     {{125, "£0.10"}},
     {},
     {{321, 0}, {321, 123}},
     "Call time 2 minutes, 5 seconds.",
     "Cost £0.10"},
    {"moved and a call after",
     {kNotConnected},
     {{1, "£0.05"}},
     {{40, 50}},
     "Call time 1 seconds.",
     "Cost £0.05"},
};

class FloatingFirstShowTest : public ::testing::TestWithParam<FirstShowCase> {};

TEST_P(FloatingFirstShowTest, ShowsWhatItWasLastToldWhereItWasMoved) {
    const FirstShowCase& c = GetParam();
    TfrmFloat display(nullptr);
    display.hide();
    display.move(0, 0);
    tell(display, c.before);
    for (const QPoint& place : c.moves)
        display.move(place);
    const QPoint place = c.moves.empty() ? QPoint(0, 0) : c.moves.back();

    EXPECT_TRUE(display.findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(display.pos(), place);
    EXPECT_EQ(display.x(), place.x());
    EXPECT_EQ(display.y(), place.y());

    display.show();
    tell(display, c.after);
    ASSERT_NE(display.lblTime, nullptr);
    EXPECT_EQ(display.lblTime->text().toStdString(), c.time);
    EXPECT_EQ(display.lblCost->text().toStdString(), c.cost);
    EXPECT_EQ(display.timeText(), display.lblTime->text());
    EXPECT_EQ(display.costText(), display.lblCost->text());
    EXPECT_EQ(display.pos(), place);
    EXPECT_EQ(display.size(), QSize(199, 13 + 37)); // its own caption over the two lines
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatingFirstShowTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FirstShowCase>& info) {
                             return std::to_string(info.index);
                         });

// Once made, its lines follow the call whether it is shown or hidden.
TEST(FloatingDisplay, HiddenAgainItsLinesStayCurrent) {
    TfrmFloat display(nullptr);
    display.show();
    display.hide();
    display.showCall(61, QStringLiteral("£0.05"));
    EXPECT_EQ(display.lblTime->text(), QStringLiteral("Call time 1 minutes, 1 seconds."));
    display.show();
    display.showNotConnected();
    EXPECT_EQ(display.lblTime->text(), QStringLiteral("Not Connected"));
    EXPECT_TRUE(display.lblCost->text().isEmpty());
}

} // namespace
} // namespace dvx
