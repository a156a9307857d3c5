#include "platform/sound/effect_sound_player.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace dvx;

namespace {

const QString kName = QStringLiteral("alarm.wav");

// Counts the sound streams that reach the sound server, one per sound started.
class SinkInputWatch {
public:
    SinkInputWatch() {
        process_.start(QStringLiteral("pactl"), {QStringLiteral("subscribe")});
        process_.waitForStarted();
        QTest::qWait(300); // the subscription is in place
    }
    ~SinkInputWatch() {
        process_.kill();
        process_.waitForFinished();
    }
    int streamsStarted() {
        output_ += process_.readAllStandardOutput();
        return output_.count("Event 'new' on sink-input");
    }

private:
    QProcess process_;
    QByteArray output_;
};

class EffectSoundPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "sound_player_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

    static bool haveSoundServer() { return qEnvironmentVariableIsSet("DORVANTIX_TEST_SINK"); }

    void putFile(const QByteArray& content) {
        QFile file(folder_.filePath(kName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray projectSound() {
        QFile file(QStringLiteral(ALARM_WAV));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << ALARM_WAV;
        return file.readAll();
    }
    EffectSoundPlayer makePlayer() {
        return EffectSoundPlayer(kName, {folder_.path()}, [this] { ++beeps_; });
    }

    QTemporaryDir folder_;
    int beeps_ = 0;

private:
    static inline std::unique_ptr<QApplication> app_;
};

} // namespace

TEST_F(EffectSoundPlayerTest, AMissingFileGivesTheBeepAtEveryPlay) {
    EffectSoundPlayer player = makePlayer();
    player.play();
    EXPECT_EQ(beeps_, 1);
    player.play();
    EXPECT_EQ(beeps_, 2);
}

TEST_F(EffectSoundPlayerTest, EveryPlayStartsTheSoundAgain) {
    if (!haveSoundServer())
        GTEST_SKIP() << "no PulseAudio test server (pulseaudio and pactl are needed)";
    putFile(projectSound());
    EffectSoundPlayer player = makePlayer();
    SinkInputWatch watch;
    for (int blink = 0; blink < 3; ++blink) {
        player.play();
        QTest::qWait(500);
    }
    QTest::qWait(300);
    EXPECT_EQ(beeps_, 0);
    EXPECT_GE(watch.streamsStarted(), 3);
}

TEST_F(EffectSoundPlayerTest, AnUnplayableFileGivesTheBeep) {
    if (!haveSoundServer())
        GTEST_SKIP() << "no PulseAudio test server (pulseaudio and pactl are needed)";
    putFile(QByteArray("this is not a wave file"));
    EffectSoundPlayer player = makePlayer();
    player.play();
    EXPECT_TRUE(QTest::qWaitFor([this] { return beeps_ == 1; }, 3000));
    player.play();
    EXPECT_EQ(beeps_, 2);
}
