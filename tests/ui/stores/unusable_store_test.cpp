// A hive file the program cannot use is never taken for a first run: the start-up says what is
// wrong and what to do, leaves the file as it is, and still times calls.
#include "support/main_window_test.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

namespace dvx {
namespace {

// A page of bytes that no hive file begins with.
QByteArray Garbage() {
    return QByteArray(4096, '\x5a');
}

// Writes the garbage in place of the file; whether it could.
bool WriteGarbage(const QString& file) {
    QFile damaged(file);
    const QByteArray garbage = Garbage();
    return damaged.open(QIODevice::WriteOnly) && damaged.write(garbage) == garbage.size();
}

// What the file holds now; nothing when it cannot be read.
QByteArray FileBytes(const QString& file) {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}

TEST_F(MainWindowTest, ADamagedHiveIsToldOnceLeftAloneAndCallsAreStillTimed) {
    const QString file = hive.hive().file();
    hive.hive().close();
    ASSERT_TRUE(WriteGarbage(file));
    dialogs.expect(BoxKind::error);
    run([this] { window.FormCreate(); });
    ASSERT_EQ(dialogs.shown().size(), 1); // no first-run message
    EXPECT_TRUE(dialogs.shown()[0].text.contains(file)) << dialogs.shown()[0].text.toStdString();
    EXPECT_TRUE(dialogs.shown()[0].text.contains(QStringLiteral("DORVANTIX_HIVE")));
    EXPECT_TRUE(window.meter().monitoring());
    // The desktop is told the same, for a user who does not see the box.
    ASSERT_EQ(notifier.sent.size(), 1);
    EXPECT_EQ(notifier.sent[0].body, dialogs.shown()[0].text);
    EXPECT_EQ(notifier.sent[0].urgency, DesktopNotification::Urgency::critical);

    automaticSession(90);
    EXPECT_EQ(window.meter().totalSeconds(), 90);
    EXPECT_EQ(dialogs.shown().size(), 1); // told once
    EXPECT_EQ(notifier.sent.size(), 1);
    EXPECT_EQ(FileBytes(file), Garbage()) << "the file is left as it is";
}

// Once the file can be used (moved aside by the user, or space again on the disk) its settings
// are loaded and the calls timed meanwhile are priced with its tariff, never at nobody's price.
TEST_F(MainWindowTest, CallsTimedWhileTheHiveCouldNotBeUsedArePricedWithItsTariffOnceItCanBe) {
    seedConfiguredStore();
    const QString file = hive.hive().file();
    hive.hive().close();
    ASSERT_TRUE(QFile::rename(file, file + QStringLiteral(".aside")));
    ASSERT_TRUE(WriteGarbage(file));
    dialogs.expect(BoxKind::error);
    run([this] { window.FormCreate(); });
    automaticSession(30);
    EXPECT_EQ(window.meter().totalCharges(), Currency()) << "no tariff was read";
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(file + QStringLiteral(".aside"), file));
    for (int i = 0; i < 12 && hive.sessionLog.SessionRecordNames().isEmpty(); ++i)
        tickAfter(1);
    ASSERT_EQ(hive.sessionLog.SessionRecordNames(), QStringList({"0"}));
    EXPECT_EQ(hive.sessionLog.ReadSessionRecord(QStringLiteral("0")).callCharges, "£0.05");
    EXPECT_EQ(window.meter().totalCharges(), Currency::fromRaw(kMinimumRaw));
    EXPECT_EQ(window.edtPeakPerSecond->text(), "£0.035") << "the settings were loaded";
    EXPECT_EQ(dialogs.shown().size(), 1);
}

} // namespace
} // namespace dvx

namespace dvx {
namespace {

class HiveCheckedAsideTest : public MainWindowTest {
protected:
    HiveCheckedAsideTest() : MainWindowTest(Controls::builtAtOnce, Work::aside) {}

    // Runs the event loop until the start has gone on past the hive's check.
    void waitForTheStart() {
        const QDeadlineTimer deadline(10000);
        while (!window.DurationTimer->isActive() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ASSERT_TRUE(window.DurationTimer->isActive()) << "the start never went on";
    }
};

// A hive the program has not found sound yet is checked beside the window, and the start goes
// on once the check is done: with a sound hive its settings are loaded, with a damaged one the
// user is told as at any start and the file is left as it is.
TEST_F(HiveCheckedAsideTest, TheStartGoesOnOnceTheHiveIsChecked) {
    seedConfiguredStore();
    const QString file = hive.hive().file();
    hive.hive().close();
    // A copy of the file, which this process has never found sound.
    const QString copy = file + QStringLiteral(".copy");
    ASSERT_TRUE(QFile::copy(file, copy));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(copy, file));
    run([this] { window.FormCreate(); });
    EXPECT_FALSE(window.DurationTimer->isActive()) << "no tick before the hive is checked";
    waitForTheStart();
    EXPECT_EQ(window.edtPeakPerSecond->text(), "£0.035") << "the settings were loaded";
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(HiveCheckedAsideTest, ADamagedHiveFoundAsideIsToldAndLeftAlone) {
    const QString file = hive.hive().file();
    hive.hive().close();
    ASSERT_TRUE(WriteGarbage(file));
    dialogs.expect(BoxKind::error);
    run([this] { window.FormCreate(); });
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "told once the check is done";
    waitForTheStart();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown()[0].text.contains(file)) << dialogs.shown()[0].text.toStdString();
    EXPECT_EQ(FileBytes(file), Garbage()) << "the file is left as it is";
}

} // namespace
} // namespace dvx
