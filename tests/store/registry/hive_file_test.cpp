// Where the hive lives, how its file comes to be, and what the file holds.
#include "store/registry/default_hive_path.h"
#include "store/registry/hive.h"
#include "store/registry/hive_schema.h"
#include "store/registry/regutils.h"
#include "temp_hive.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

using namespace dvx;
using dvx::test::FileBytes;
using dvx::test::TempHiveTest;

namespace {

// Sets or removes an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    ~ScopedEnv() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

int PragmaOf(const QString& file, const char* pragma) {
    sqlite3* db = nullptr;
    int value = -1;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, pragma, -1, &statement, nullptr);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            value = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

bool ExecOn(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

TEST(HivePath, FollowsTheEnvironmentThenXdgDataHomeThenHome) {
    {
        ScopedEnv hive("DORVANTIX_HIVE", "/tmp/profile/other.db");
        EXPECT_EQ(DefaultHivePath(), QStringLiteral("/tmp/profile/other.db"));
    }
    ScopedEnv noHive("DORVANTIX_HIVE", QByteArray());
    {
        ScopedEnv data("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(DefaultHivePath(), QStringLiteral("/srv/data/dorvantix/hive.db"));
    }
    ScopedEnv home("HOME", "/home/someone");
    for (const QByteArray& unusable : {QByteArray(), QByteArray("relative/data")}) {
        ScopedEnv data("XDG_DATA_HOME", unusable);
        EXPECT_EQ(DefaultHivePath(),
                  QStringLiteral("/home/someone/.local/share/dorvantix/hive.db"));
    }
}

class HiveFile : public TempHiveTest {};

TEST_F(HiveFile, ReadsCreateNoFileAndTheFirstWriteCreatesFileAndFolders) {
    const QString nested = filePath(QStringLiteral("a/b/c/hive.db"));
    useHive(nested);
    std::int32_t value = 5;
    QStringList names;
    EXPECT_TRUE(
        registry().ReadRegInteger(QStringLiteral("Software"), QStringLiteral("v"), value, true));
    EXPECT_TRUE(registry().ListRegSubKeys(QString(), names));
    EXPECT_TRUE(registry().DeleteRegKey(QStringLiteral("Software")));
    EXPECT_FALSE(QFileInfo::exists(filePath(QStringLiteral("a"))));

    EXPECT_FALSE(registry().WriteRegInteger(QStringLiteral("Software"), QStringLiteral("v"), 1));
    EXPECT_TRUE(QFileInfo::exists(nested));
    EXPECT_EQ(PragmaOf(nested, "PRAGMA user_version"), kHiveSchemaVersion);
    EXPECT_EQ(PragmaOf(nested, "PRAGMA application_id"), kHiveApplicationId);
}

TEST_F(HiveFile, EveryCallSeesTheFileAsItIsNow) {
    EXPECT_FALSE(registry().WriteRegInteger(QStringLiteral("Software"), QStringLiteral("v"), 1));
    // Another process removes the file: the next write creates a new one, which holds it.
    ASSERT_TRUE(QFile::remove(hivePath()));
    EXPECT_FALSE(registry().WriteRegInteger(QStringLiteral("Software"), QStringLiteral("w"), 2));
    std::int32_t value = 0;
    EXPECT_TRUE(
        registry().ReadRegInteger(QStringLiteral("Software"), QStringLiteral("v"), value, false));
    Hive other(hivePath());
    RegValue read;
    EXPECT_EQ(other.readValue(QStringLiteral("Software"), QStringLiteral("w"), read),
              Hive::Lookup::found);
    EXPECT_EQ(read, RegValue::ofDword(2));
    // A file put in its place (a restored backup) is the one read and written from then on.
    const QString backup = filePath(QStringLiteral("backup.db"));
    {
        Hive restored(backup);
        ASSERT_TRUE(restored.writeValue(QStringLiteral("Software"), QStringLiteral("b"),
                                        RegValue::ofDword(4)));
    }
    other.close();
    ASSERT_EQ(
        ::rename(QFile::encodeName(backup).constData(), QFile::encodeName(hivePath()).constData()),
        0);
    EXPECT_FALSE(
        registry().WriteRegInteger(QStringLiteral("Software"), QStringLiteral("after"), 5));
    EXPECT_FALSE(
        registry().ReadRegInteger(QStringLiteral("Software"), QStringLiteral("b"), value, false));
    EXPECT_EQ(value, 4);
    EXPECT_EQ(other.readValue(QStringLiteral("Software"), QStringLiteral("after"), read),
              Hive::Lookup::found);
    EXPECT_EQ(read, RegValue::ofDword(5));
    // A change made by another connection is seen at once.
    EXPECT_TRUE(
        other.writeValue(QStringLiteral("software"), QStringLiteral("w"), RegValue::ofDword(3)));
    EXPECT_FALSE(
        registry().ReadRegInteger(QStringLiteral("Software"), QStringLiteral("w"), value, false));
    EXPECT_EQ(value, 3);
}

TEST_F(HiveFile, SubKeysAreReadWithTheirValuesInOneCall) {
    Hive hive(hivePath());
    const QString parent = QStringLiteral("Software\\Log");
    QList<SubKeyValues> read;
    EXPECT_FALSE(hive.readSubKeyValues(parent, read));
    ASSERT_TRUE(hive.ensureKey(parent + QStringLiteral("\\b")));
    ASSERT_TRUE(hive.writeValue(parent + QStringLiteral("\\C"), QStringLiteral("z"),
                                RegValue::ofString(QStringLiteral("last"))));
    ASSERT_TRUE(hive.writeValue(parent + QStringLiteral("\\C"), QStringLiteral("a"),
                                RegValue::ofDword(-1)));
    ASSERT_TRUE(hive.writeValue(parent + QStringLiteral("\\a\\deeper"), QStringLiteral("x"),
                                RegValue::ofDword(9)));
    ASSERT_TRUE(hive.readSubKeyValues(QStringLiteral("software\\LOG"), read));
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(read[0].name, "a");
    EXPECT_TRUE(read[0].values.isEmpty());
    EXPECT_EQ(read[1].name, "b");
    EXPECT_TRUE(read[1].values.isEmpty());
    EXPECT_EQ(read[2].name, "C");
    EXPECT_EQ(read[2].values,
              (QList<NamedRegValue>{{"z", RegValue::ofString(QStringLiteral("last"))},
                                    {"a", RegValue::ofDword(-1)}}));
    // Another connection's change is seen by the next call.
    Hive other(hivePath());
    ASSERT_TRUE(other.deleteKey(parent + QStringLiteral("\\b")));
    ASSERT_TRUE(hive.readSubKeyValues(parent, read));
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[1].name, "C");
}

// A key's stamp stays while nothing below it changes, and moves with every change that may
// reach it: this hive's own writes there, a deletion of a key above it, and any commit of
// another connection.
TEST_F(HiveFile, AKeysStampMovesWithEveryChangeThatMayReachIt) {
    Hive hive(hivePath());
    const QString log = QStringLiteral("Software\\Log");
    const QString record = log + QStringLiteral("\\0");
    ASSERT_TRUE(hive.writeValue(record, QStringLiteral("v"), RegValue::ofDword(1)));
    Hive other(hivePath());
    const struct {
        const char* change;
        std::function<bool()> make;
        bool moves;
    } cases[] = {
        {"nothing", [] { return true; }, false},
        {"a value read",
         [&] {
             RegValue v;
             return hive.readValue(record, "v", v) == Hive::Lookup::found;
         },
         false},
        {"a value beside the key",
         [&] { return hive.writeValue(QStringLiteral("Software"), "w", RegValue::ofDword(2)); },
         false},
        {"a key beside it", [&] { return hive.ensureKey(QStringLiteral("Software\\Logs")); },
         false},
        {"a key above it made again", [&] { return hive.ensureKey(QStringLiteral("Software")); },
         false},
        {"a value of a record", [&] { return hive.writeValue(record, "v", RegValue::ofDword(3)); },
         true},
        {"a value of the key, in any case",
         [&] {
             return hive.writeValue(QStringLiteral("SOFTWARE\\log"), "n", RegValue::ofDword(4));
         },
         true},
        {"a value deleted", [&] { return hive.deleteValue(record, "v"); }, true},
        {"a record deleted", [&] { return hive.deleteKey(record); }, true},
        {"another connection's change elsewhere",
         [&] { return other.writeValue(QStringLiteral("Other"), "x", RegValue::ofDword(5)); },
         true},
        {"a key above it deleted", [&] { return hive.deleteKey(QStringLiteral("Software")); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        ASSERT_TRUE(hive.ensureKey(log));
        const std::optional<HiveStamp> before = hive.stamp(log);
        ASSERT_TRUE(before.has_value());
        ASSERT_TRUE(c.make());
        EXPECT_EQ(hive.stamp(log) != before, c.moves);
    }
}

// A value set to what it already holds, with the same type and bytes, is left as it is: no
// commit reaches the file (another connection sees none), this hive's stamp stays and the name
// keeps its stored case, inside a transaction too. Any other value is written.
TEST_F(HiveFile, AValueSetToWhatItHoldsWritesNothing) {
    Hive hive(hivePath());
    const QString key = QStringLiteral("Software\\Dorvantix");
    ASSERT_TRUE(hive.writeValue(key, QStringLiteral("Floating"), RegValue::ofDword(0)));
    ASSERT_TRUE(hive.writeValue(key, QStringLiteral("Name"), RegValue::ofString("Ab c")));
    int hookCalls = 0;
    hive.setChangeHook([&] { ++hookCalls; });
    Hive other(hivePath());
    const struct {
        const char* write;
        QString key;
        QString name;
        RegValue value;
        bool writes;
    } cases[] = {
        {"the same DWORD", key, "Floating", RegValue::ofDword(0), false},
        {"the same DWORD, key and name in another case", key.toUpper(), "FLOATING",
         RegValue::ofDword(0), false},
        {"the same string", key, "Name", RegValue::ofString("Ab c"), false},
        {"another DWORD", key, "Floating", RegValue::ofDword(1), true},
        {"a string in another case", key, "Name", RegValue::ofString("ab c"), true},
        {"a string with a trailing NUL", key, "Name",
         RegValue::ofString(QString("Ab c") + QChar(0)), true},
        {"the DWORD's digits as a string", key, "Floating", RegValue::ofString("1"), true},
        {"the string's DWORD back", key, "Floating", RegValue::ofDword(1), true},
        {"a new value", key, "New", RegValue::ofDword(0), true},
    };
    for (const bool inTransaction : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.write) + (inTransaction ? " in a transaction" : ""));
            const std::optional<HiveStamp> own = hive.stamp(key);
            const std::optional<HiveStamp> seen = other.stamp(key);
            ASSERT_TRUE(own && seen);
            hookCalls = 0;
            if (inTransaction) {
                Hive::Transaction transaction(hive);
                ASSERT_TRUE(hive.writeValue(c.key, c.name, c.value));
                ASSERT_TRUE(transaction.commit());
            } else {
                ASSERT_TRUE(hive.writeValue(c.key, c.name, c.value));
            }
            EXPECT_EQ(other.stamp(key) != seen, c.writes);
            if (!inTransaction) {
                EXPECT_EQ(hive.stamp(key) != own, c.writes);
                EXPECT_EQ(hookCalls, c.writes ? 1 : 0);
            }
            RegValue stored;
            ASSERT_EQ(hive.readValue(key, c.name, stored), Hive::Lookup::found);
            EXPECT_EQ(stored.type, c.value.type);
        }
        ASSERT_TRUE(hive.deleteValue(key, QStringLiteral("New")));
        ASSERT_TRUE(hive.writeValue(key, QStringLiteral("Floating"), RegValue::ofDword(0)));
        ASSERT_TRUE(hive.writeValue(key, QStringLiteral("Name"), RegValue::ofString("Ab c")));
    }
    QList<NamedRegValue> values;
    ASSERT_TRUE(hive.listValues(key, values));
    ASSERT_EQ(values.size(), 2);
    EXPECT_EQ(values[0].name, "Floating");
    EXPECT_EQ(values[1].name, "Name");
}

// A hive that cannot be read gives no stamp, so nothing is taken for unchanged.
TEST_F(HiveFile, AMissingHiveHasNoStamp) {
    Hive hive(filePath(QStringLiteral("absent.db")));
    EXPECT_FALSE(hive.stamp(QStringLiteral("Software")).has_value());
}

TEST_F(HiveFile, AnEmptyFileBecomesAHive) {
    ASSERT_TRUE(dvx::test::WriteFileBytes(hivePath(), QByteArray()));
    EXPECT_FALSE(registry().WriteRegString(QStringLiteral("Software"), QStringLiteral("v"),
                                           QStringLiteral("x")));
    EXPECT_EQ(PragmaOf(hivePath(), "PRAGMA user_version"), kHiveSchemaVersion);
}

// A database of another program, or of a later version of this one, is refused untouched.
TEST_F(HiveFile, ForeignOrNewerDatabasesAreLeftAlone) {
    const struct {
        const char* what;
        const char* sql;
    } cases[] = {
        {"another program's database", "CREATE TABLE notes(text TEXT)"},
        {"a newer hive", "PRAGMA application_id = 1146509384; PRAGMA user_version = 99;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(hivePath());
        ASSERT_TRUE(ExecOn(hivePath(), c.sql));
        const QByteArray before = FileBytes(hivePath());
        useHive(hivePath());
        EXPECT_TRUE(registry().WriteRegInteger(QStringLiteral("Software"), QStringLiteral("v"), 1));
        EXPECT_TRUE(registry().EnsureRegKey(QStringLiteral("Software")));
        std::int32_t value = 7;
        EXPECT_TRUE(registry().ReadRegInteger(QStringLiteral("Software"), QStringLiteral("v"),
                                              value, true));
        EXPECT_EQ(value, 7);
        EXPECT_EQ(FileBytes(hivePath()), before);
        EXPECT_FALSE(hive().lastError().isEmpty());
    }
}

} // namespace
