// dorvantix-log as a script runs it, in the tests' C.UTF-8 locale (month/day/year dates, amounts
// without a currency symbol).
#include "support/store_hive.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace dvx;
using dvx::test::ProductSeed;
using dvx::test::StoreHive;

namespace {

struct ToolRun {
    int status = -1;
    QString output;
    QString error;
};

QString Record(int name, const char* start, const char* stop, int seconds, const char* charges,
               const char* description = "") {
    return QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\%1]\n"
                          "\"CallTime\"=dword:%2\n\"SessionStart\"=\"%3\"\n\"SessionStop\"=\"%4\"\n"
                          "\"CallCharges\"=\"%5\"\n\"ConnectionName\"=\"Automatic Connection\"\n"
                          "\"Description\"=\"%6\"\n")
        .arg(name)
        .arg(seconds, 8, 16, QLatin1Char('0'))
        .arg(QLatin1String(start), QLatin1String(stop), QLatin1String(charges),
             QString::fromUtf8(description));
}

QByteArray Bytes(const QString& file) {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}

class LogTool : public ::testing::Test {
protected:
    void SetUp() override {
        store_.seed(Record(0, "11/30/2026 23:59:59", "12/01/2026 00:04:59", 300, "0.42",
                           "Hello, \\\"world\\\"") +
                    Record(1, "12/01/2026", "12/01/2026 00:01:00", 60, "1.00") +
                    Record(2, "10/15/2026 08:00:00", "10/15/2026 08:10:00", 600, "2.50") +
                    ProductSeed(QStringLiteral("\"PeriodStartDay\"=dword:0000000f\n")));
        store_.hive().close();
    }

    ToolRun run(const QStringList& args, const QString& hive = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DORVANTIX_HIVE"), hive.isEmpty() ? hivePath() : hive);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LOG_TOOL), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString hivePath() const { return store_.hive().file(); }

    StoreHive store_;
};

TEST_F(LogTool, PrintsEverySessionOldestFirstAndExits0) {
    const ToolRun result = run({QStringLiteral("sessions"), QStringLiteral("--format=csv")});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    EXPECT_EQ(result.error, QString());
    EXPECT_EQ(result.output,
              QStringLiteral("start,stop,seconds,cost,connection,description\r\n"
                             "2026-10-15T08:00:00,2026-10-15T08:10:00,600,2.50,Automatic "
                             "Connection,\r\n"
                             "2026-11-30T23:59:59,2026-12-01T00:04:59,300,0.42,Automatic "
                             "Connection,\"Hello, \"\"world\"\"\"\r\n"
                             "2026-12-01T00:00:00,2026-12-01T00:01:00,60,1.00,Automatic "
                             "Connection,\r\n"));
    const ToolRun chosen =
        run({QStringLiteral("sessions"), QStringLiteral("--from"), QStringLiteral("2026-11-30"),
             QStringLiteral("--to"), QStringLiteral("2026-11-30"), QStringLiteral("--format"),
             QStringLiteral("json")});
    EXPECT_EQ(chosen.status, 0);
    EXPECT_EQ(chosen.output.count(QStringLiteral("\"start\"")), 1);
    EXPECT_TRUE(chosen.output.contains(QStringLiteral("\"cost\": 0.42")));
}

TEST_F(LogTool, PeriodsStartOnTheProgramsDayUnlessTheLineSaysOtherwise) {
    const QString header =
        QStringLiteral("start,end,calls,seconds,cost,estimated_seconds,estimated_cost\r\n");
    ToolRun result =
        run({QStringLiteral("periods"), QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    QStringList lines = result.output.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0] + QStringLiteral("\r\n"), header);
    EXPECT_EQ(lines[1], QStringLiteral("2026-10-15,2026-11-15,1,600,2.50,,"));
    // Whether that period still runs depends on the day the test runs.
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2026-11-15,2026-12-15,2,360,1.42,")));

    result = run({QStringLiteral("periods"), QStringLiteral("--start-day"), QStringLiteral("1"),
                  QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_EQ(result.status, 0);
    lines = result.output.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[1], QStringLiteral("2026-10-01,2026-11-01,1,600,2.50,,"));
    EXPECT_EQ(lines[2], QStringLiteral("2026-11-01,2026-12-01,1,300,0.42,,"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("2026-12-01,2027-01-01,1,60,1.00,")));
}

TEST_F(LogTool, NamesARecordItCannotReadLeavesItOutAndExits1) {
    StoreHive broken;
    broken.seed(Record(0, "12/01/2026 10:00:00", "12/01/2026 10:01:00", 60, "0.05") +
                Record(1, "31/12/2026 10:00:00", "12/01/2026 10:01:00", 60, "0.05") +
                QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\2]\n"
                               "\"CallTime\"=dword:0000003c\n"));
    broken.hive().close();
    const struct {
        const char* command;
        const char* kept;
    } commands[] = {{"sessions", "2026-12-01T10:00:00,2026-12-01T10:01:00,60,0.05,"},
                    {"periods", "2026-12-01,2027-01-01,1,60,0.05,"}};
    for (const auto& c : commands) {
        SCOPED_TRACE(c.command);
        const ToolRun result =
            run({QLatin1String(c.command), QStringLiteral("--format"), QStringLiteral("csv")},
                broken.hive().file());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.error,
                  QStringLiteral("dorvantix-log: Software\\Ostravane\\Dorvantix\\Sessions\\1: "
                                 "SessionStart: '31/12/2026 10:00:00' is not a valid date and "
                                 "time; left out\n"
                                 "dorvantix-log: Software\\Ostravane\\Dorvantix\\Sessions\\2: "
                                 "SessionStart is missing; left out\n"));
        EXPECT_TRUE(result.output.contains(QLatin1String(c.kept))) << result.output.toStdString();
    }
}

TEST_F(LogTool, AWrongCommandLineOrAnUnusableHiveExits2WithTheReason) {
    QFile notAHive(store_.folder() + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(notAHive.open(QIODevice::WriteOnly));
    notAHive.write(QByteArray(4096, 'x'));
    notAHive.close();
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "no command given"},
        {{"report"}, "cannot understand \"report\""},
        {{"sessions", "periods"}, "cannot understand \"sessions periods\""},
        {{"sessions", "--format", "xml"}, "unknown format \"xml\""},
        {{"sessions", "--from", "2026-13-01"}, "--from \"2026-13-01\" is not a day"},
        {{"sessions", "--to", "2026-1-1"}, "--to \"2026-1-1\" is not a day"},
        {{"sessions", "--from", "2026-02-01", "--to", "2026-01-31"}, "--from comes after --to"},
        {{"sessions", "--start-day", "5"}, "--start-day belongs to the periods command"},
        {{"periods", "--from", "2026-01-01"}, "--from belongs to the sessions command"},
        {{"periods", "--start-day", "29"}, "--start-day \"29\" is not a day from 1 to 28"},
        {{"periods", "--start-day", "0"}, "--start-day \"0\" is not a day from 1 to 28"},
        {{"periods", "--start-day", "x"}, "--start-day \"x\" is not a day from 1 to 28"},
        {{"periods", "--bogus"}, "Unknown option 'bogus'"},
        {{"periods", "--hive", ""}, "--hive needs a file name"},
        {{"periods", "--hive", store_.folder() + "/none.db"}, "there is no hive"},
        {{"periods", "--hive", notAHive.fileName()}, "is not a hive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const ToolRun result = run(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("dorvantix-log: ")));
        EXPECT_TRUE(result.error.contains(QLatin1String(c.message))) << result.error.toStdString();
        EXPECT_EQ(result.output, QString());
    }
    EXPECT_FALSE(QFile::exists(store_.folder() + QStringLiteral("/none.db")));
    EXPECT_EQ(run({QStringLiteral("--help")}).status, 0);
}

TEST_F(LogTool, TheHiveOptionComesBeforeTheEnvironment) {
    StoreHive other;
    other.seed(Record(0, "01/05/2026 10:00:00", "01/05/2026 10:01:00", 60, "9.99"));
    other.hive().close();
    const ToolRun result =
        run({QStringLiteral("--hive"), other.hive().file(), QStringLiteral("sessions"),
             QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(
        result.output.contains(QStringLiteral("2026-01-05T10:00:00,2026-01-05T10:01:00,60,9.99")))
        << result.output.toStdString();
    EXPECT_FALSE(result.output.contains(QStringLiteral("2026-10-15")));
}

TEST_F(LogTool, ReadsWhileTheProgramWritesAndChangesNoByteOfTheHive) {
    const QByteArray before = Bytes(hivePath());
    {
        // The program in the middle of a write, holding the hive's write lock.
        Hive program(hivePath());
        Hive::Transaction writing(program);
        ASSERT_TRUE(writing.begun());
        ASSERT_TRUE(program.writeValue(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                                       QStringLiteral("TotalCallTime"), RegValue::ofDword(1)));
        for (const char* command : {"sessions", "periods"}) {
            const ToolRun result = run({QLatin1String(command)});
            EXPECT_EQ(result.status, 0) << result.error.toStdString();
            EXPECT_TRUE(result.output.contains(QStringLiteral("10/15/2026")))
                << result.output.toStdString();
        }
    }
    EXPECT_EQ(Bytes(hivePath()), before);
}

} // namespace
