#include "platform/sound/sound_server_identity.h"
#include "platform/sound/stream_sound_player.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace dvx;

namespace {

const QString kName = QStringLiteral("alarm.wav");

QString Pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The sound streams that reach the sound server: how many were opened, and the application
// names of those playing now.
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
    int streamsOpened() {
        output_ += process_.readAllStandardOutput();
        return int(output_.count("Event 'new' on sink-input"));
    }
    QString log() {
        output_ += process_.readAllStandardOutput();
        return QString::fromUtf8(output_);
    }
    static QStringList playingApplications() {
        static const QRegularExpression name(
            QStringLiteral("^\\s*application\\.name = \"([^\"]*)\""),
            QRegularExpression::MultilineOption);
        QStringList names;
        for (auto match = name.globalMatch(Pactl({"list", "sink-inputs"})); match.hasNext();)
            names.append(match.next().captured(1));
        return names;
    }

private:
    QProcess process_;
    QByteArray output_;
};

class StreamSoundPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        AnnounceToSoundServer(QStringLiteral("Dorvantix"), QStringLiteral("dorvantix"));
        static int argc = 1;
        static char name[] = "sound_player_tests";
        QCoreApplication::setApplicationName(QStringLiteral("Dorvantix"));
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
    std::unique_ptr<StreamSoundPlayer> makePlayer() {
        return std::make_unique<StreamSoundPlayer>(kName, QStringList{folder_.path()},
                                                   [this] { ++beeps_; });
    }

    QTemporaryDir folder_;
    int beeps_ = 0;

private:
    static inline std::unique_ptr<QApplication> app_;
};

} // namespace

TEST_F(StreamSoundPlayerTest, AMissingFileGivesTheBeepAtEveryPlay) {
    const auto player = makePlayer();
    player->play();
    EXPECT_EQ(beeps_, 1);
    player->play();
    EXPECT_EQ(beeps_, 2);
}

TEST_F(StreamSoundPlayerTest, AnUnplayableFileGivesTheBeepAtEveryPlay) {
    putFile(QByteArray("this is not a wave file"));
    const auto player = makePlayer();
    player->play();
    player->play();
    EXPECT_EQ(beeps_, 2);
    EXPECT_FALSE(player->streaming());
}

// An alarm sounds every half second on one stream that says whose it is; the stream closes a
// while after the last sound, and the next alarm opens one of its own.
TEST_F(StreamSoundPlayerTest, AnAlarmIsOneStreamNamedDorvantix) {
    if (!haveSoundServer())
        GTEST_SKIP() << "no PulseAudio test server (pulseaudio and pactl are needed)";
    putFile(projectSound());
    const auto player = makePlayer();
    SinkInputWatch watch;
    for (int blink = 0; blink < 6; ++blink) {
        player->play();
        QTest::qWait(500);
        if (blink == 2) {
            EXPECT_EQ(SinkInputWatch::playingApplications(), QStringList{"Dorvantix"});
        }
    }
    EXPECT_EQ(beeps_, 0);
    EXPECT_EQ(watch.streamsOpened(), 1) << watch.log().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player->streaming(); }, 10000));
    EXPECT_TRUE(
        QTest::qWaitFor([] { return SinkInputWatch::playingApplications().isEmpty(); }, 5000));

    player->play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.streamsOpened() == 2; }, 5000));
}
