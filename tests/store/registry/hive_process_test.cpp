// Real processes on one hive: one killed in the middle of its writes, several writing at once.
#include "store/registry/hive.h"
#include "temp_hive.h"

#include <QProcess>
#include <sqlite3.h>

using namespace dvx;
using dvx::test::TempHiveTest;

namespace {

const QString kSessions = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions");

QProcess* StartWriter(const QString& hive, const QString& name, int count, QObject* parent) {
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(HIVE_WRITER), {hive, name, QString::number(count)});
    return process;
}

// Reads the numbers the writer printed until it has printed at least `wanted` of them.
int ReadReported(QProcess& process, int wanted) {
    int last = -1;
    QByteArray pending;
    while (last + 1 < wanted && process.waitForReadyRead(30000)) {
        pending += process.readAllStandardOutput();
        const qsizetype end = pending.lastIndexOf('\n');
        if (end >= 0) {
            const QList<QByteArray> lines = pending.left(end).split('\n');
            last = lines.last().toInt();
            pending.remove(0, end + 1);
        }
    }
    return last;
}

void ExpectRecord(Hive& hive, const QString& name, int i) {
    const QString key =
        kSessions + QLatin1Char('\\') + name + QLatin1Char('-') + QString::number(i);
    RegValue callTime;
    RegValue description;
    ASSERT_EQ(hive.readValue(key, QStringLiteral("CallTime"), callTime), Hive::Lookup::found)
        << key.toStdString();
    ASSERT_EQ(hive.readValue(key, QStringLiteral("Description"), description), Hive::Lookup::found)
        << key.toStdString();
    EXPECT_EQ(callTime, RegValue::ofDword(i));
    EXPECT_EQ(description, RegValue::ofString(QStringLiteral("record %1").arg(i)));
}

bool PassesIntegrityCheck(const QString& file) {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    bool ok =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
            SQLITE_OK &&
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW &&
        qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "ok") == 0;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return ok;
}

class HiveProcesses : public TempHiveTest {};

TEST_F(HiveProcesses, AKilledWriterLeavesEveryReturnedWrite) {
    for (const int killAfter : {1, 20}) {
        SCOPED_TRACE(killAfter);
        const QString name = QStringLiteral("killed%1").arg(killAfter);
        QProcess* writer = StartWriter(hivePath(), name, 0, nullptr);
        std::unique_ptr<QProcess> owner(writer);
        ASSERT_TRUE(writer->waitForStarted());
        const int reported = ReadReported(*writer, killAfter);
        writer->kill(); // SIGKILL, wherever the writer is
        writer->waitForFinished();
        // The numbers printed after the last read were returned too.
        const QByteArray rest = writer->readAllStandardOutput().trimmed();
        const int lastReturned = rest.isEmpty() ? reported : rest.split('\n').last().toInt();
        ASSERT_GE(lastReturned, killAfter - 1);

        EXPECT_TRUE(PassesIntegrityCheck(hivePath()));
        Hive hive(hivePath());
        for (int i = 0; i <= lastReturned; ++i) {
            ExpectRecord(hive, name, i);
        }
        RegValue last;
        ASSERT_EQ(hive.readValue(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                                 QStringLiteral("Last ") + name, last),
                  Hive::Lookup::found);
        EXPECT_GE(last.dword, lastReturned);
    }
}

TEST_F(HiveProcesses, WritersAndReadersShareTheHive) {
    constexpr int kRecords = 20;
    QObject owner;
    QList<QProcess*> writers;
    for (const char* name : {"first", "second", "third"}) {
        writers.append(StartWriter(hivePath(), QString::fromLatin1(name), kRecords, &owner));
    }
    // Meanwhile this process reads the growing list, as the session list does.
    Hive reader(hivePath());
    int reads = 0;
    bool running = true;
    while (running) {
        QStringList names;
        if (reader.listSubKeys(kSessions, names)) {
            ++reads;
            for (const QString& key : names.mid(0, 5)) {
                RegValue value;
                EXPECT_NE(reader.readValue(kSessions + QLatin1Char('\\') + key,
                                           QStringLiteral("CallTime"), value),
                          Hive::Lookup::failed)
                    << reader.lastError().toStdString();
            }
        }
        running = false;
        for (QProcess* writer : writers) {
            writer->waitForFinished(5);
            running = running || writer->state() != QProcess::NotRunning;
        }
    }
    for (QProcess* writer : writers) {
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << "a writer failed, probably on a lock";
    }
    EXPECT_GT(reads, 0);
    QStringList names;
    ASSERT_TRUE(reader.listSubKeys(kSessions, names));
    EXPECT_EQ(names.size(), 3 * kRecords);
    for (const char* name : {"first", "second", "third"}) {
        for (int i = 0; i < kRecords; ++i) {
            ExpectRecord(reader, QString::fromLatin1(name), i);
        }
    }
    EXPECT_TRUE(PassesIntegrityCheck(hivePath()));
}

// While another process holds the write lock, a hive told to wait briefly fails its writes
// (all of a transaction's, none landing) instead of waiting long; once the lock is gone the
// same writes land, and reads never waited at all.
TEST_F(HiveProcesses, AShortWaitFailsWhileTheHiveIsHeldAndWorksAfterwards) {
    Hive hive(hivePath());
    ASSERT_TRUE(hive.writeValue(kSessions, QStringLiteral("Count"), RegValue::ofDword(1)));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(hivePath()).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    hive.setBusyWait(std::chrono::milliseconds(50));
    const auto writeBoth = [&] {
        // What becomes of the writes inside is the commit's to say.
        Hive::Transaction transaction(hive);
        static_cast<void>(
            hive.writeValue(kSessions, QStringLiteral("Count"), RegValue::ofDword(2)));
        static_cast<void>(hive.writeValue(kSessions + QStringLiteral("\\1"),
                                          QStringLiteral("CallTime"), RegValue::ofDword(60)));
        return transaction.commit();
    };
    EXPECT_FALSE(writeBoth());
    EXPECT_TRUE(hive.lastFailureWasBusy());
    EXPECT_TRUE(hive.lastError().contains(QStringLiteral("locked")))
        << hive.lastError().toStdString();
    hive.setBusyWait(std::chrono::milliseconds(0));
    const auto releaseAfterBegin = [&] {
        // The lock goes while the writes are under way: none of them may land on its own.
        Hive::Transaction transaction(hive);
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
        static_cast<void>(
            hive.writeValue(kSessions, QStringLiteral("Count"), RegValue::ofDword(3)));
        const bool committed = transaction.commit();
        sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        return committed;
    };
    EXPECT_FALSE(releaseAfterBegin());
    EXPECT_TRUE(hive.lastFailureWasBusy());
    EXPECT_FALSE(hive.writeValue(kSessions, QString(300, QLatin1Char('n')), RegValue::ofDword(1)));
    EXPECT_FALSE(hive.lastFailureWasBusy()) << "a refused write is no busy hive";
    RegValue count;
    EXPECT_EQ(hive.readValue(kSessions, QStringLiteral("Count"), count), Hive::Lookup::found);
    EXPECT_EQ(count, RegValue::ofDword(1));
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(writeBoth()) << hive.lastError().toStdString();
    EXPECT_EQ(hive.readValue(kSessions, QStringLiteral("Count"), count), Hive::Lookup::found);
    EXPECT_EQ(count, RegValue::ofDword(2));
    EXPECT_TRUE(hive.keyExists(kSessions + QStringLiteral("\\1")));
}

} // namespace
