// dorvantix-reg as a user runs it.
#include "store/registry/hive.h"
#include "temp_hive.h"

#include <QProcess>

using namespace dvx;
using dvx::test::FileBytes;
using dvx::test::TempHiveTest;
using dvx::test::WriteFileBytes;

namespace {

struct ToolRun {
    int status = -1;
    QString output;
    QString error;
};

class RegTool : public TempHiveTest {
protected:
    ToolRun run(QStringList args, const QByteArray& input = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DORVANTIX_HIVE"), hivePath());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(REG_TOOL), args);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    ToolRun import(const QByteArray& text) {
        const QString file = filePath(QStringLiteral("import.reg"));
        EXPECT_TRUE(WriteFileBytes(file, text));
        return run({QStringLiteral("import"), file});
    }
};

const QByteArray kTariff = "REGEDIT4\n"
                           "\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]\n"
                           "\"OffPeakStart\"=\"18:00:00\"\n"
                           "\"PeakPerSecond\"=dword:00000032\n"
                           "\"Balance\"=dword:fffffff6\n"
                           "\"Description\"=\"Home \\\"ISP\\\" \\\\ Zürich\"\n"
                           "\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\0]\n"
                           "\"CallTime\"=dword:0000012c\n";

TEST_F(RegTool, ImportsExportsAndQueries) {
    ToolRun result = import(kTariff);
    ASSERT_EQ(result.status, 0) << result.error.toStdString();
    result =
        run({QStringLiteral("export"), QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Ostravane")});
    EXPECT_EQ(result.status, 0);
    const QByteArray sessionsKey =
        "\n[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions]\n";
    QByteArray expected = kTariff;
    expected.insert(
        expected.indexOf("\n[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions"),
        sessionsKey);
    expected.insert(9, "\n[HKEY_LOCAL_MACHINE\\Software\\Ostravane]\n");
    EXPECT_EQ(result.output, QString::fromUtf8(expected));

    const struct {
        QStringList args;
        const char* output;
    } queries[] = {
        {{"query", "Software\\Ostravane\\Dorvantix", "peakpersecond"}, "50\n"},
        {{"query", "HKLM\\Software\\Ostravane\\Dorvantix", "Balance"}, "-10\n"},
        {{"query", "software\\ostravane\\dorvantix", "Description"}, "Home \"ISP\" \\ Zürich\n"},
        {{"query", "Software\\Ostravane\\Dorvantix"},
         "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]\n"
         "\"OffPeakStart\"=\"18:00:00\"\n"
         "\"PeakPerSecond\"=dword:00000032\n"
         "\"Balance\"=dword:fffffff6\n"
         "\"Description\"=\"Home \\\"ISP\\\" \\\\ Zürich\"\n"
         "Sessions\\\n"},
    };
    for (const auto& q : queries) {
        result = run(q.args);
        EXPECT_EQ(result.status, 0) << result.error.toStdString();
        EXPECT_EQ(result.output, QString::fromUtf8(q.output));
    }
    // Standard input, and deletions.
    result = run({QStringLiteral("import"), QStringLiteral("-")},
                 "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions]\n"
                 "[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]\n\"Balance\"=-\n");
    EXPECT_EQ(result.status, 0) << result.error.toStdString();
    Hive hive(hivePath());
    EXPECT_FALSE(hive.keyExists(QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions")));
    RegValue value;
    EXPECT_EQ(hive.readValue(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                             QStringLiteral("Balance"), value),
              Hive::Lookup::noValue);
}

TEST_F(RegTool, RefusesBadInputClearlyAndChangesNothing) {
    ASSERT_EQ(import(kTariff).status, 0);
    const QByteArray before = FileBytes(hivePath());
    const struct {
        QByteArray text;
        const char* message;
    } cases[] = {
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software]\n[HKEY_USERS\\x]\n",
         "import.reg, line 3: unknown root key \"HKEY_USERS\""},
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software]\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:1x\n",
         "import.reg, line 4: \"dword:1x\" is not a DWORD"},
        {"Windows Registry Editor\n", "import.reg, line 1: the text does not start with"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ToolRun result = import(c.text);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.message)))
            << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QStringLiteral("nothing was imported")));
        EXPECT_EQ(FileBytes(hivePath()), before);
    }
    ToolRun result = run({QStringLiteral("import"), filePath(QStringLiteral("missing.reg"))});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.error.contains(QStringLiteral("cannot read"))) << result.error.toStdString();
    result = run({QStringLiteral("query"), QStringLiteral("Software\\Missing")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.error.contains(QStringLiteral("does not exist")))
        << result.error.toStdString();
    result = run({QStringLiteral("frobnicate")});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.error.contains(QStringLiteral("--help")));
}

TEST_F(RegTool, ABrokenHiveIsReportedAndLeftAlone) {
    const QByteArray notAHive = "this is not a hive\n";
    ASSERT_TRUE(WriteFileBytes(hivePath(), notAHive));
    for (const QStringList& args : {QStringList{"export"}, QStringList{"query", "Software"}}) {
        const ToolRun result = run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.error.contains(QStringLiteral("not a database")))
            << result.error.toStdString();
    }
    EXPECT_EQ(import(kTariff).status, 1);
    EXPECT_EQ(FileBytes(hivePath()), notAHive);
}

// --hive may stand before or after the command; an unknown option is a usage error.
TEST_F(RegTool, OptionsStandAnywhereOnTheLine) {
    ASSERT_EQ(import(kTariff).status, 0);
    const QString other = filePath(QStringLiteral("other.db"));
    const QString key = QStringLiteral("Software\\Ostravane\\Dorvantix");
    const QString name = QStringLiteral("PeakPerSecond");
    for (const QStringList& args : {QStringList{"--hive", other, "query", key, name},
                                    QStringList{"query", key, name, "--hive", other},
                                    QStringList{"query", "--hive=" + other, key, name}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const ToolRun result = run(args);
        EXPECT_EQ(result.status, 1) << "the other hive holds no tariff";
        EXPECT_TRUE(result.error.contains(QStringLiteral("does not exist")))
            << result.error.toStdString();
    }
    EXPECT_EQ(run({"query", key, name}).status, 0);
    const ToolRun unknown = run({"query", key, "--frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("frobnicate")))
        << unknown.error.toStdString();
}

TEST_F(RegTool, HelpDescribesTheCommands) {
    const ToolRun result = run({QStringLiteral("--help")});
    EXPECT_EQ(result.status, 0);
    for (const char* word : {"export [KEY]", "import FILE", "query KEY ", "query KEY VALUE"}) {
        EXPECT_TRUE(result.output.contains(QLatin1String(word))) << word;
    }
}

} // namespace

namespace {

// A second connection of the same process that opens and closes, as the window's list reader
// and the history do, leaves the first one's hold on the hive: another program that reads the
// hive meanwhile never takes it for unused and never removes the write-ahead log that the first
// connection goes on writing.
TEST_F(RegTool, AnotherProgramSeesEveryWriteAfterASecondConnectionOfThisOneClosed) {
    dvx::Hive writer(hivePath());
    const QString key = QStringLiteral("Software\\Ostravane\\Dorvantix");
    ASSERT_TRUE(writer.writeValue(key, QStringLiteral("First"), dvx::RegValue::ofDword(1)));
    {
        dvx::Hive reader(hivePath(), dvx::Hive::ReadOnly{});
        dvx::RegValue value;
        ASSERT_EQ(reader.readValue(key, QStringLiteral("First"), value), dvx::Hive::Lookup::found);
    }
    ASSERT_EQ(run({QStringLiteral("query"), key, QStringLiteral("First")}).output, "1\n");
    ASSERT_TRUE(writer.writeValue(key, QStringLiteral("Second"), dvx::RegValue::ofDword(2)));
    const ToolRun second = run({QStringLiteral("query"), key, QStringLiteral("Second")});
    EXPECT_EQ(second.output, "2\n") << second.error.toStdString();
}

} // namespace
