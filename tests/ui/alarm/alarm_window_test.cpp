#include "ui/alarm/alarm_window.h"

#include "support/fake_sound_player.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace dvx;

namespace {

class AlarmWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "alarm_window_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

    FakeSoundPlayer sound_;
    TfrmAlarm window_{sound_};

private:
    static inline std::unique_ptr<QApplication> app_;
};

} // namespace

TEST_F(AlarmWindowTest, IsABorderlessFixedWindowAboveAllOthers) {
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.isShowing());
    EXPECT_EQ(window_.size(), QSize(325, 123));
    EXPECT_TRUE(window_.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window_.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window_.Timer->interval(), 500);
    EXPECT_EQ(window_.Timer->timerType(), Qt::PreciseTimer);
    EXPECT_FALSE(window_.Timer->isActive());
}

// Until it is first shown it has no widgets (making them loads the fonts and the icons, for
// nothing in a program that never raises an alarm); however it is first shown, they are there.
TEST_F(AlarmWindowTest, ItsWidgetsAreMadeWhenItIsFirstShown) {
    const struct {
        const char* name;
        std::function<void(TfrmAlarm&)> show;
    } firstShows[] = {
        {"an alarm", [](TfrmAlarm& window) { window.ShowAlarm(QStringLiteral("message")); }},
        {"show", [](TfrmAlarm& window) { window.show(); }},
        {"open", [](TfrmAlarm& window) { window.open(); }},
    };
    for (const auto& firstShow : firstShows) {
        SCOPED_TRACE(firstShow.name);
        FakeSoundPlayer sound;
        TfrmAlarm window{sound};
        window.TimerTimer(); // a blink before the first show neither blinks nor sounds
        EXPECT_EQ(sound.plays, 0);
        EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());

        firstShow.show(window);
        EXPECT_TRUE(window.isShowing());
        ASSERT_NE(window.btnOK, nullptr);
        EXPECT_EQ(window.size(), QSize(325, 123));
        EXPECT_EQ(window.Label1->text(), QStringLiteral("Dorvantix Alarm"));
        EXPECT_EQ(window.btnOK->text(), QStringLiteral("Dismiss Alarm"));
        EXPECT_EQ(window.btnOK->accessibleName(), QStringLiteral("Dismiss Alarm"));
        EXPECT_FALSE(window.btnOK->icon().isNull());
        EXPECT_TRUE(window.btnOK->isDefault());
        EXPECT_EQ(window.btnOK->geometry(), QRect(214, 6, 101, 25));
        EXPECT_TRUE(window.LblMessage->wordWrap());
        EXPECT_TRUE(window.Timer->isActive());
        QTest::mouseClick(window.btnOK, Qt::LeftButton);
        EXPECT_FALSE(window.isShowing());
    }
}

TEST_F(AlarmWindowTest, AnAlarmShowsItsMessageCentredAndStartsBlinking) {
    window_.setWindowTitle(QStringLiteral("something else"));
    window_.ShowAlarm(QStringLiteral("The current session cost has reached £0.05"));
    EXPECT_TRUE(window_.isShowing());
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Dorvantix"));
    EXPECT_EQ(window_.LblMessage->text(),
              QStringLiteral("The current session cost has reached £0.05"));
    EXPECT_TRUE(window_.Timer->isActive());
    EXPECT_EQ(sound_.plays, 0); // the first blink and sound come half a second later
    EXPECT_EQ(window_.frameGeometry().center(),
              QGuiApplication::primaryScreen()->geometry().center());

    // Each blink flips the title and starts the sound again.
    window_.TimerTimer();
    EXPECT_TRUE(window_.Label1->isHidden());
    window_.TimerTimer();
    EXPECT_FALSE(window_.Label1->isHidden());
    EXPECT_EQ(sound_.plays, 2);
    EXPECT_TRUE(QTest::qWaitFor([this] { return sound_.plays >= 4; }, 5000));
}

TEST_F(AlarmWindowTest, DismissStopsTheBlinkAndTheNextAlarmStartsWhereItLeftOff) {
    window_.ShowAlarm(QStringLiteral("first"));
    const QPoint place = window_.pos();
    window_.TimerTimer();
    ASSERT_TRUE(window_.Label1->isHidden());

    QTest::mouseClick(window_.btnOK, Qt::LeftButton);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.Timer->isActive());
    EXPECT_TRUE(window_.Label1->isHidden());

    window_.ShowAlarm(QStringLiteral("second"));
    EXPECT_EQ(window_.LblMessage->text(), QStringLiteral("second"));
    EXPECT_EQ(window_.pos(), place);
    EXPECT_TRUE(window_.Timer->isActive());
    EXPECT_TRUE(window_.Label1->isHidden());
}

TEST_F(AlarmWindowTest, EnterDismissesTheAlarm) {
    window_.ShowAlarm(QStringLiteral("The current session time has reached 1 minutes, 0 seconds."));
    QTest::keyClick(&window_, Qt::Key_Return);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.Timer->isActive());
}

TEST_F(AlarmWindowTest, ClosingTheWindowAnyOtherWayAlsoStopsTheSound) {
    window_.ShowAlarm(QStringLiteral("message"));
    QTest::keyClick(&window_, Qt::Key_Escape);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.Timer->isActive());

    window_.ShowAlarm(QStringLiteral("message"));
    window_.close();
    EXPECT_FALSE(window_.isVisible());
    EXPECT_FALSE(window_.Timer->isActive());
}
