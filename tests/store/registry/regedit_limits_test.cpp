// What an imported file may hold: deep key paths, long names, large values and NUL characters
// are refused with the line and the reason; at the limits everything goes in and comes out
// again; and a deep tree is exported without its paths piling up in memory.
#include "store/registry/hive.h"
#include "store/registry/reg_limits.h"
#include "store/registry/regedit_import.h"
#include "store/registry/regedit_text.h"
#include "temp_hive.h"

#include <fcntl.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace dvx;
using dvx::test::FileBytes;
using dvx::test::TempHiveTest;

namespace {

// A path of `levels` key names, each `name` (the last one `last` when given).
QByteArray DeepPath(int levels, const QByteArray& name = "k") {
    QByteArray path;
    for (int i = 0; i < levels; ++i) {
        path += (i == 0 ? "" : "\\") + name;
    }
    return path;
}

QByteArray Section(const QByteArray& path) {
    return "[HKEY_LOCAL_MACHINE\\" + path + "]\n";
}

QByteArray File(const QByteArray& body) {
    return "REGEDIT4\n\n" + body;
}

QByteArray Value(const QByteArray& name, const QByteArray& text) {
    return "\"" + name + "\"=\"" + text + "\"\n";
}

const QByteArray kMegabyte(kMaxValueBytes, 'x');
const QByteArray kEuro = "\xe2\x82\xac"; // three bytes in UTF-8

TEST(RegeditLimits, RefusesWhatTheHiveWouldNotHoldNamingLineAndReason) {
    const QByteArray key = Section("Software\\A");
    const struct {
        const char* what;
        QByteArray text;
        int line;
        const char* reason;
    } cases[] = {
        {"513 levels", File(Section(DeepPath(513))), 3, "more than 512 levels deep"},
        {"20,000 levels", File(Section(DeepPath(20000))), 3, "more than 512 levels deep"},
        {"a deletion 513 levels deep", File("[-HKEY_LOCAL_MACHINE\\" + DeepPath(513) + "]\n"), 3,
         "more than 512 levels deep"},
        {"a key name of 256 characters", File(Section("Software\\" + QByteArray(256, 'n'))), 3,
         "has 256 characters; at most 255"},
        {"a value name of 256 characters", File(key + Value(QByteArray(256, 'v'), "x")), 4,
         "the value name \"vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv...\" has 256 characters"},
        {"a DWORD with a long name", File(key + "\"" + QByteArray(300, 'v') + "\"=dword:1\n"), 4,
         "has 300 characters; at most 255"},
        {"deleting a value with a long name", File(key + "\"" + QByteArray(256, 'v') + "\"=-\n"), 4,
         "has 256 characters"},
        {"a value one byte over 1 MB", File(key + Value("big", kMegabyte + "y")), 4,
         "the value \"big\" holds 1048577 bytes; at most 1 MB (1048576 bytes)"},
        {"a value over 1 MB in UTF-8, not in characters",
         File(key + Value("euros", kEuro.repeated(kMaxValueBytes / 3 + 1))), 4,
         "holds 1048578 bytes"},
        {"NUL inside a value", File(key + "\"a\"=\"before" + QByteArray(1, '\0') + "after\"\n"), 4,
         "NUL character"},
        {"NUL inside a name", File(key + "\"a" + QByteArray(1, '\0') + "b\"=\"x\"\n"), 4,
         "NUL character"},
        {"NUL in a key path", File("[HKEY_LOCAL_MACHINE\\A" + QByteArray(1, '\0') + "]\n"), 3,
         "control character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString text;
        RegeditError error;
        ASSERT_TRUE(DecodeRegeditFile(c.text, text, error));
        QList<RegeditChange> changes;
        EXPECT_FALSE(ParseRegedit(text, changes, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.reason)))
            << error.message.toStdString();
        EXPECT_LT(error.message.size(), 200) << "the message quotes only the start of a text";
    }
}

class RegeditLimitsHive : public TempHiveTest {};

// Exactly at every limit the file goes in whole, and an export gives the same text again.
TEST_F(RegeditLimitsHive, EverythingAtTheLimitsIsImportedAndExportedWhole) {
    const QByteArray longName(kMaxNameLength, 'n');
    const QByteArray file =
        File(Section(DeepPath(kMaxKeyDepth)) + Value("full", kMegabyte) +
             Section("Software\\" + longName) + Value(QByteArray(kMaxNameLength, 'v'), "x") +
             Value("euros", kEuro.repeated(kMaxValueBytes / 3)));
    Hive hive(hivePath());
    RegeditError error;
    ASSERT_TRUE(ImportRegedit(hive, file, error))
        << error.line << ": " << error.message.toStdString();
    RegValue full;
    ASSERT_EQ(
        hive.readValue(QString::fromLatin1(DeepPath(kMaxKeyDepth)), QStringLiteral("full"), full),
        Hive::Lookup::found);
    EXPECT_EQ(full.text.size(), kMaxValueBytes);
    QString exported;
    ASSERT_TRUE(ExportRegedit(hive, QString(), exported));
    Hive again(filePath(QStringLiteral("again.db")));
    ASSERT_TRUE(ImportRegedit(again, exported.toUtf8(), error)) << error.message.toStdString();
    QString reexported;
    ASSERT_TRUE(ExportRegedit(again, QString(), reexported));
    EXPECT_EQ(reexported, exported);
}

// The hive itself refuses what an import may not bring, whoever asks.
TEST_F(RegeditLimitsHive, TheHiveRefusesWritesBeyondTheLimits) {
    Hive hive(hivePath());
    ASSERT_TRUE(hive.ensureKey(QStringLiteral("Software")));
    const QByteArray before = FileBytes(hivePath());
    const struct {
        const char* what;
        QString key;
        QString name;
        RegValue value;
        const char* reason;
    } cases[] = {
        {"513 levels", QString::fromLatin1(DeepPath(513)), "v", RegValue::ofDword(1),
         "more than 512 levels deep"},
        {"a long value name", "Software", QString(256, QLatin1Char('v')), RegValue::ofDword(1),
         "has 256 characters"},
        {"a value over 1 MB", "Software", "v",
         RegValue::ofString(QString(kMaxValueBytes + 1, QLatin1Char('x'))), "at most 1 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(hive.writeValue(c.key, c.name, c.value));
        EXPECT_TRUE(hive.lastError().contains(QString::fromUtf8(c.reason)))
            << hive.lastError().toStdString();
    }
    EXPECT_FALSE(hive.ensureKey(QString::fromLatin1(DeepPath(513))));
    hive.close();
    EXPECT_EQ(FileBytes(hivePath()), before);
}

// A chain of keys `levels` deep below "Deep", written straight into the hive's tables as an
// older version of the program could leave it.
bool AddDeepChain(const QString& file, int levels) {
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK &&
              sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db,
                                 "INSERT INTO hive_key(parent, name, folded_name, folded_path) "
                                 "VALUES(?1, 'k', 'K', ?2)",
                                 -1, &insert, nullptr) == SQLITE_OK;
    std::string path = "DEEP";
    sqlite3_int64 parent = 0;
    ok = ok && sqlite3_exec(db,
                            "INSERT INTO hive_key(parent, name, folded_name, folded_path) "
                            "VALUES(1, 'Deep', 'DEEP', 'DEEP')",
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    parent = sqlite3_last_insert_rowid(db);
    for (int i = 0; ok && i < levels; ++i) {
        path += "\\K";
        sqlite3_bind_int64(insert, 1, parent);
        sqlite3_bind_text(insert, 2, path.c_str(), int(path.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
        parent = sqlite3_last_insert_rowid(db);
    }
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return ok;
}

// Runs the tool with its output thrown away; gives its exit status and its peak memory.
bool RunTool(const QString& hive, const char* command, int& status, long& peakKilobytes) {
    const QByteArray hiveBytes = QFile::encodeName(hive);
    char* const argv[] = {const_cast<char*>(REG_TOOL), const_cast<char*>("--hive"),
                          const_cast<char*>(hiveBytes.constData()), const_cast<char*>(command),
                          nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool spawned = posix_spawn(&child, REG_TOOL, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    rusage usage{};
    int waited = 0;
    if (!spawned || wait4(child, &waited, 0, &usage) != child || !WIFEXITED(waited)) {
        return false;
    }
    status = WEXITSTATUS(waited);
    peakKilobytes = usage.ru_maxrss;
    return true;
}

// 4,000 levels make 16 million characters of section lines: held whole, with a copy of each
// path per level, that was over 100 MB; written as it is read it is a few.
TEST_F(RegeditLimitsHive, ADeepTreeIsExportedInLittleMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory makes the peak meaningless";
#endif
    Hive hive(hivePath());
    ASSERT_TRUE(hive.ensureKey(QStringLiteral("Software")));
    hive.close();
    ASSERT_TRUE(AddDeepChain(hivePath(), 4000));
    int status = -1;
    long peak = 0;
    ASSERT_TRUE(RunTool(hivePath(), "export", status, peak));
    EXPECT_EQ(status, 0);
    EXPECT_LT(peak, 48 * 1024) << "kilobytes at the peak";
}

} // namespace
