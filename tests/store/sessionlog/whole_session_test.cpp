// A finished session is recorded whole or not at all: stopped after any single change to the
// hive, or killed at any moment, the process leaves records that are complete and totals that
// are their sums.
#include "metering/money_text.h"
#include "metering/regional_settings.h"
#include "store/registry/hive.h"
#include "store/settings/store_keys.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <random>

namespace dvx {
namespace {

constexpr int kStoppedStatus = 75;
const QStringList kRecordValues = {"CallTime",    "SessionStart",   "SessionStop",
                                   "CallCharges", "ConnectionName", "Number"};

struct LogState {
    int records = 0;
    int withoutDescription = 0;
};

// Checks that every record holds all its values, in their order (a record may lack only its
// description, written in a step of its own), and that the stored totals are the sums of the
// records.
LogState ExpectWholeLog(const QString& file) {
    Hive hive(file);
    const RegionalSettings regional = RegionalSettings::british();
    QStringList names;
    hive.listSubKeys(kSessionsKey, names);
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
        const bool described = stored.size() == kRecordValues.size() + 1 &&
                               stored.last() == QStringLiteral("Description");
        EXPECT_EQ(stored.mid(0, kRecordValues.size()), kRecordValues);
        EXPECT_TRUE(described || stored.size() == kRecordValues.size());
        ++state.records;
        state.withoutDescription += described ? 0 : 1;
    }
    RegValue totalTime = RegValue::ofDword(0);
    RegValue totalCharges = RegValue::ofString({});
    hive.readValue(kProductKey, QStringLiteral("TotalCallTime"), totalTime);
    hive.readValue(kProductKey, QStringLiteral("TotalCallCharges"), totalCharges);
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
        EXPECT_LE(state.withoutDescription, 1);
    }
    EXPECT_GE(absent, 2) << "the session is written in several changes that land together";
    EXPECT_GE(whole, 1) << "the description is written in a step of its own";
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
        EXPECT_LE(state.withoutDescription, round + 1) << "one description per kill at most";
        recorded = state.records;
    }
}

} // namespace
} // namespace dvx
