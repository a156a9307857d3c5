// Finished calls the hive cannot take at once: kept, said in the status bar, written whole at a
// later tick, and never dropped.
#include "support/main_window_test.h"

#include "calllog/waiting_calls_file.h"
#include "store/registry/hive.h"
#include "store/settings/store_keys.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <chrono>

namespace dvx {
namespace {

class UnsavedSessionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        run([this] { window.LoadSettings(); });
        hive.hive().setBusyWait(std::chrono::milliseconds(20));
    }

    QString unsavedText() const {
        const auto* label = window.SB->findChild<QLabel*>(QStringLiteral("lblUnsaved"));
        return label != nullptr && label->isVisibleTo(window.SB) ? label->text() : QString();
    }
};

TEST_F(UnsavedSessionsTest, CallsEndingWhileAnotherProgramHoldsTheHiveLandLaterInOrder) {
    {
        // Another program writes to the hive and holds it for the length of this block.
        Hive other(hive.hive().file());
        Hive::Transaction holding(other);
        ASSERT_TRUE(other.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                     RegValue::ofDword(1)));
        automaticSession(60);
        automaticSession(30);
        EXPECT_FALSE(hive.keyExists(kSessionsKey));
        EXPECT_EQ(unsavedText(), "2 calls not saved yet");
        EXPECT_TRUE(dialogs.shown().isEmpty()); // only busy: nothing to tell
        EXPECT_EQ(window.meter().totalSeconds(), 90);
    }
    tick();
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList({"0", "1"}));
    EXPECT_EQ(hive.value(RecordKey(QStringLiteral("0")), QStringLiteral("CallTime")),
              RegValue::ofDword(60));
    EXPECT_EQ(hive.value(RecordKey(QStringLiteral("1")), QStringLiteral("CallTime")),
              RegValue::ofDword(30));
    EXPECT_EQ(hive.value(kProductKey, QStringLiteral("TotalCallTime")), RegValue::ofDword(90));
    EXPECT_EQ(unsavedText(), QString());
}

// A hive that refuses for another reason (full, read-only, replaced) is told once in a box that
// stops nothing: calls go on being timed and kept, and land soon after the hive takes them.
TEST_F(UnsavedSessionsTest, AHiveThatRefusesIsToldOnceWithoutStoppingTheTick) {
    const QString file = hive.hive().file();
    ASSERT_TRUE(QFile::rename(file, file + QStringLiteral(".aside")));
    {
        QFile broken(file);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray("not a hive\n").repeated(100));
    }
    automaticSession(60);
    automaticSession(12);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].kind, BoxKind::notice);
    EXPECT_TRUE(dialogs.shown()[0].text.contains(file));
    EXPECT_EQ(unsavedText(), "2 calls not saved yet");
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected, 2 calls not saved yet");
    EXPECT_TRUE(window.DurationTimer->isActive());
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(file + QStringLiteral(".aside"), file));
    for (int i = 0; i < 6; ++i)
        tickAfter(1);
    EXPECT_EQ(hive.subKeys(kSessionsKey), QStringList({"0", "1"}));
    EXPECT_EQ(unsavedText(), QString());
    EXPECT_EQ(trayHint(), "Dorvantix - Not Connected");
}

// Exit while calls wait: the user is told, the calls get a few seconds, and what still waits is
// kept for the next start.
TEST_F(UnsavedSessionsTest, ExitTellsOfTheWaitingCallsAndKeepsThem) {
    {
        Hive other(hive.hive().file());
        Hive::Transaction holding(other);
        ASSERT_TRUE(other.writeValue(QStringLiteral("Software\\Other"), QStringLiteral("x"),
                                     RegValue::ofDword(1)));
        automaticSession(60);
        window.ExitProgram();
        EXPECT_EQ(status(), "Saving 1 waiting call before Dorvantix ends...");
        EXPECT_EQ(unsavedText(), "1 call not saved yet");
    }
    EXPECT_TRUE(QFile::exists(WaitingCallsFile::besideHive(hive.hive().file())));
}

// The error box of a tick's own failure holds the ticks: no call starts, ends or asks for its
// description inside it, and the tick goes on once it is closed.
TEST_F(UnsavedSessionsTest, TheErrorBoxOfATickHoldsTheTicks) {
    hive.seed(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\0]\n"
                             "\"CallCharges\"=\"£0..5\"\n"));
    window.SetMonitoring(true);
    connection.dialUp();
    window.runTick();
    clock.advanceSeconds(30);
    connection.hangUp();
    bool ticking = true;
    dialogs.expect(BoxKind::applicationError).whileOpen([this, &ticking] {
        ticking = window.DurationTimer->isActive();
    });
    window.runTick();
    EXPECT_FALSE(ticking);
    EXPECT_TRUE(window.DurationTimer->isActive());
    EXPECT_EQ(hive.subKeys(kSessionsKey).size(), 2) << "the call was recorded before the list";
}

} // namespace
} // namespace dvx
