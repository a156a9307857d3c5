// A finished session is recorded whole or not at all: stopped after any single change to the
// hive, or killed at any moment, the process leaves records that are complete and totals that
// are their sums.
#include "metering/money_text.h"
#include "metering/regional_settings.h"
#include "store/registry/hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/session_log_store.h"
#include "store/settings/store_keys.h"
#include "support/child_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dvx {
namespace {

constexpr int kStoppedStatus = 75;
const QStringList kRecordValues = {"CallTime",    "SessionStart",   "SessionStop",
                                   "CallCharges", "ConnectionName", "Number"};

struct LogState {
    int records = 0;
};

// Checks that every record holds all its values in their order, its first description last (the
// user's answer may replace it later), and that the stored totals are the sums of the records.
LogState ExpectWholeLog(const QString& file) {
    Hive hive(file);
    const RegionalSettings regional = RegionalSettings::british();
    QStringList names;
    EXPECT_TRUE(hive.listSubKeys(kSessionsKey, names));
    std::int64_t seconds = 0;
    Currency charges;
    LogState state;
    for (const QString& name : names) {
        SCOPED_TRACE(("record " + name).toStdString());
        QList<NamedRegValue> values;
        EXPECT_TRUE(hive.listValues(kSessionsKey + QLatin1Char('\\') + name, values));
        QStringList stored;
        for (const NamedRegValue& value : values) {
            stored.append(value.name);
            if (value.name == QStringLiteral("CallTime")) {
                seconds += value.value.dword;
            } else if (value.name == QStringLiteral("CallCharges")) {
                charges += ParseMoneyText(value.value.text, regional);
            }
        }
        EXPECT_EQ(stored, kRecordValues + QStringList{QStringLiteral("Description")});
        ++state.records;
    }
    RegValue totalTime = RegValue::ofDword(0);
    RegValue totalCharges = RegValue::ofString({});
    EXPECT_EQ(hive.readValue(kProductKey, QStringLiteral("TotalCallTime"), totalTime),
              Hive::Lookup::found);
    EXPECT_EQ(hive.readValue(kProductKey, QStringLiteral("TotalCallCharges"), totalCharges),
              Hive::Lookup::found);
    EXPECT_EQ(totalTime.dword, seconds);
    EXPECT_EQ(ParseMoneyText(totalCharges.text, regional), charges);
    return state;
}

class WholeSession : public ::testing::Test {
protected:
    QString hivePath() const { return dir_.filePath(QStringLiteral("hive.db")); }

    // Runs the recorder to its end (or its stop); gives its exit status.
    int record(int count, int stopAfterChange = 0) {
        QProcess recorder;
        recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        recorder.start(QStringLiteral(SESSION_RECORDER),
                       {hivePath(), QString::number(count), QString::number(stopAfterChange)});
        EXPECT_TRUE(recorder.waitForFinished(30000));
        return recorder.exitStatus() == QProcess::NormalExit ? recorder.exitCode() : -1;
    }

    QTemporaryDir dir_;
};

// Ends the recorder after its first change, its second, and so on until it gets through: each
// time the hive holds the earlier session and either the new one whole, totals included, or
// nothing of it.
TEST_F(WholeSession, StoppedAfterAnySingleChangeTheSessionIsWholeOrAbsent) {
    ASSERT_EQ(record(1), 0);
    const QByteArray oneSession = [&] {
        QFile file(hivePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(oneSession.isEmpty());
    int absent = 0;
    int whole = 0;
    for (int stop = 1; stop < 100; ++stop) {
        SCOPED_TRACE("stopped after change " + std::to_string(stop));
        for (const char* suffix : {"", "-wal", "-shm"}) {
            QFile::remove(hivePath() + QLatin1String(suffix));
        }
        QFile file(hivePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(oneSession) == oneSession.size());
        file.close();
        const int status = record(1, stop);
        const LogState state = ExpectWholeLog(hivePath());
        if (status == 0) {
            EXPECT_EQ(state.records, 2);
            break;
        }
        ASSERT_EQ(status, kStoppedStatus);
        ASSERT_TRUE(state.records == 1 || state.records == 2) << state.records;
        (state.records == 1 ? absent : whole) += 1;
    }
    EXPECT_GE(absent, 2) << "the session is written in several changes that land together";
    EXPECT_GE(whole, 1) << "the user's description is written in a step of its own";
}

// Kills the recorder at moments spread over its work, again and again on the same hive.
TEST_F(WholeSession, AKillAtAnyMomentLeavesWholeSessionsAndTheirTotals) {
    std::mt19937 random(20261210);
    int recorded = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess recorder;
        recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        recorder.start(QStringLiteral(SESSION_RECORDER), {hivePath(), QStringLiteral("0")});
        ASSERT_TRUE(recorder.waitForReadyRead(30000));
        // Somewhere inside one of the next sessions.
        QThread::usleep(std::uniform_int_distribution<unsigned>(0, 30000)(random));
        recorder.kill();
        ASSERT_TRUE(recorder.waitForFinished(30000));
        const LogState state = ExpectWholeLog(hivePath());
        EXPECT_GT(state.records, recorded);
        recorded = state.records;
    }
}

// Runs body in a child process with a mount table of its own in which `folder` is a small
// file system of `size`. False when this machine does not allow that (it needs root).
bool OnSmallDisk(const QString& folder, const char* size, const std::function<void()>& body) {
    const QByteArray path = QFile::encodeName(folder);
    const auto mountSmallDisk = [&] {
        return unshare(CLONE_NEWNS) == 0 &&
               mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               mount("dorvantix-test", path.constData(), "tmpfs", 0,
                     (QByteArray("size=") + size).constData()) == 0;
    };
    return test::RunInChildProcess(mountSmallDisk, body, "on the small disk");
}

SessionRecord Minute() {
    return {.callTime = 60,
            .sessionStart = QStringLiteral("03/03/2026 12:00:00"),
            .sessionStop = QStringLiteral("03/03/2026 12:01:00"),
            .callCharges = QStringLiteral("£1.00"),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

// A session that meets a full disk is not written at all, so the caller keeps it; once there
// is room again the same session lands whole.
TEST_F(WholeSession, OnAFullDiskNothingLandsAndTheKeptSessionLandsLater) {
    const QString folder = dir_.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const bool ran = OnSmallDisk(folder, "512k", [&] {
        const QString file = folder + QStringLiteral("/hive.db");
        Hive hive(file);
        const SessionLogStore sessionLog{Registry(hive)};
        const RegionalSettings regional = RegionalSettings::british();
        std::int32_t seconds = 0;
        Currency charges;
        const Currency minute = ParseMoneyText(QStringLiteral("£1.00"), regional);
        ASSERT_TRUE(sessionLog.RecordWholeSession(Minute(), 60, minute, regional).result.ok());
        seconds = 60;
        charges = minute;
        // Fill what is left of the disk.
        QFile filler(folder + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        int recorded = 1;
        StoreValue<QString> written;
        for (int i = 0; i < 1000; ++i) {
            written =
                sessionLog.RecordWholeSession(Minute(), seconds + 60, charges + minute, regional);
            if (!written.result.ok()) {
                break;
            }
            seconds += 60;
            charges += minute;
            ++recorded;
        }
        ASSERT_FALSE(written.result.ok()) << "the disk never filled";
        EXPECT_TRUE(written.result.reason().contains(QStringLiteral("full")))
            << written.result.reason().toStdString();
        EXPECT_EQ(ExpectWholeLog(file).records, recorded);
        // Room again: the kept session lands.
        ASSERT_TRUE(QFile::remove(filler.fileName()));
        written = sessionLog.RecordWholeSession(Minute(), seconds + 60, charges + minute, regional);
        EXPECT_TRUE(written.result.ok()) << written.result.reason().toStdString();
        EXPECT_TRUE(
            sessionLog
                .WriteSessionDescription(written.value, QStringLiteral("after the disk was full"))
                .ok());
        EXPECT_EQ(ExpectWholeLog(file).records, recorded + 1);
    });
    if (!ran) {
        GTEST_SKIP() << "cannot mount a small file system here (that needs root)";
    }
}

// Imports of 25,000 values into the same hive, one after another, while sessions are
// recorded: every session lands whole, and the totals are their sum.
TEST_F(WholeSession, SessionsAreRecordedWholeWhileImportsRunInALoop) {
    QByteArray file = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Imported]\n";
    for (int i = 0; i < 25000; ++i) {
        file += "\"Value " + QByteArray::number(i) + "\"=\"Imported value " +
                QByteArray::number(i) + "\"\n";
    }
    const QString import = dir_.filePath(QStringLiteral("values.reg"));
    QFile out(import);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    ASSERT_EQ(record(1), 0);
    QProcess importer;
    int imports = 0;
    const auto startImport = [&] {
        importer.start(QStringLiteral(REG_TOOL),
                       {QStringLiteral("--hive"), hivePath(), QStringLiteral("import"), import});
    };
    startImport();
    // Batches of 25 sessions until three imports have gone through meanwhile.
    QProcess recorder;
    recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    int batches = 0;
    while (imports < 3 || recorder.state() != QProcess::NotRunning) {
        if (recorder.state() == QProcess::NotRunning && imports < 3) {
            EXPECT_EQ(recorder.exitCode(), 0);
            recorder.start(QStringLiteral(SESSION_RECORDER), {hivePath(), QStringLiteral("25")});
            ++batches;
        }
        recorder.waitForFinished(10);
        if (importer.waitForFinished(0) || importer.state() == QProcess::NotRunning) {
            EXPECT_EQ(importer.exitCode(), 0) << importer.readAllStandardError().toStdString();
            ++imports;
            startImport();
        }
    }
    importer.waitForFinished(30000);
    EXPECT_EQ(recorder.exitCode(), 0);
    const LogState state = ExpectWholeLog(hivePath());
    EXPECT_EQ(state.records, 1 + 25 * batches);
}

} // namespace
} // namespace dvx
