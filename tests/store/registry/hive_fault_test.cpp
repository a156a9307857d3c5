// A hive file that is damaged or may not be written: every call fails silently, nothing
// crashes, and the file is never changed.
#include "store/registry/hive.h"
#include "store/registry/regutils.h"
#include "store/registry/sound_hive_files.h"
#include "support/child_process.h"
#include "temp_hive.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace dvx;
using dvx::test::FileBytes;
using dvx::test::TempHiveTest;
using dvx::test::WriteFileBytes;

namespace {

const QString kKey = QStringLiteral("Software\\Ostravane\\Dorvantix");
const QString kSessions = kKey + QStringLiteral("\\Sessions");
constexpr uid_t kNobody = 65534;

// A hive of a few hundred records, so that its file spans many pages.
QByteArray SoundHiveBytes(const QString& path) {
    {
        Hive hive(path);
        Hive::Transaction transaction(hive);
        for (int i = 0; i < 1000; ++i) {
            EXPECT_TRUE(hive.writeValue(
                kSessions + QStringLiteral("\\%1").arg(i), QStringLiteral("Description"),
                RegValue::ofString(QStringLiteral("Session number %1").arg(i))));
        }
        EXPECT_TRUE(hive.writeValue(kKey, QStringLiteral("Text"),
                                    RegValue::ofString(QStringLiteral("12"))));
        EXPECT_TRUE(hive.writeValue(kKey, QStringLiteral("Number"), RegValue::ofDword(42)));
        EXPECT_TRUE(transaction.commit());
    }
    return FileBytes(path);
}

// Calls every registry function; each must fail and leave its variable as it was.
void ExpectEveryCallFails(const Registry& registry) {
    std::int32_t number = 99;
    QString text = QStringLiteral("unchanged");
    QStringList names{QStringLiteral("left over")};
    EXPECT_TRUE(registry.ReadRegInteger(kKey, QStringLiteral("Number"), number, true));
    EXPECT_TRUE(registry.ReadRegInteger(kKey, QStringLiteral("Text"), number, true));
    EXPECT_TRUE(registry.ReadRegString(kKey, QStringLiteral("Missing"), text, true));
    EXPECT_EQ(number, 99);
    EXPECT_EQ(text, QStringLiteral("unchanged"));
    EXPECT_TRUE(registry.WriteRegInteger(kKey, QStringLiteral("Number"), 1));
    EXPECT_TRUE(
        registry.WriteRegString(QStringLiteral("Software\\New"), QStringLiteral("v"), text));
    EXPECT_TRUE(registry.ListRegSubKeys(kSessions, names));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(registry.DeleteRegKey(kSessions));
    EXPECT_TRUE(registry.DeleteRegValue(kKey, QStringLiteral("Number")));
    EXPECT_TRUE(registry.EnsureRegKey(QStringLiteral("Software\\New")));
}

class DamagedHive : public TempHiveTest {};

TEST_F(DamagedHive, EveryCallFailsAndTheFileStaysAsItWas) {
    const QByteArray sound = SoundHiveBytes(filePath(QStringLiteral("sound.db")));
    ASSERT_GT(sound.size(), 8 * 4096);
    QByteArray scribbled = sound;
    scribbled.replace(sound.size() / 4, sound.size() / 2, QByteArray(sound.size() / 2, '\xab'));
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"text file", QByteArray("[Settings]\nPeak=42\n").repeated(40)},
        {"shorter than a database header", QByteArray("SQLite format 3")},
        {"truncated to half", sound.left(sound.size() / 2)},
        {"truncated to its first page", sound.left(4096)},
        {"pages overwritten", scribbled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes(hivePath(), c.bytes));
        useHive(hivePath());
        ExpectEveryCallFails(registry());
        EXPECT_EQ(FileBytes(hivePath()), c.bytes);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files),
                  QStringList({QStringLiteral("hive.db"), QStringLiteral("sound.db")}));
    }
}

// Runs body in this process, or, when the process is root (whom file permissions do not stop),
// in a child process that has given root up. Returns false when that was not possible.
bool RunWithoutRoot(const std::function<void()>& body) {
    if (geteuid() != 0) {
        body();
        return true;
    }
    const auto giveUpRoot = [] {
        return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
    };
    return test::RunInChildProcess(giveUpRoot, body, "in the unprivileged process");
}

TEST_F(DamagedHive, AReadOnlyHiveIsReadButNeverWritten) {
    const QByteArray sound = SoundHiveBytes(hivePath());
    ASSERT_EQ(chmod(QFile::encodeName(hivePath()).constData(), 0444), 0);
    // The folder stays writable, as the user's data folder is.
    const QByteArray folder = QFile::encodeName(dir_.path());
    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.constData(), kNobody, kNobody), 0);
    }
    useHive(filePath(QStringLiteral("unused.db"))); // no connection crosses the fork
    const bool ran = RunWithoutRoot([&] {
        useHive(hivePath());
        std::int32_t number = 0;
        QString text;
        QStringList names;
        EXPECT_FALSE(registry().ReadRegInteger(kKey, QStringLiteral("Number"), number, true));
        EXPECT_EQ(number, 42);
        EXPECT_FALSE(registry().ReadRegString(kKey, QStringLiteral("Text"), text, true));
        EXPECT_EQ(text, QStringLiteral("12"));
        EXPECT_FALSE(registry().ListRegSubKeys(kSessions, names));
        EXPECT_EQ(names.size(), 1000);
        EXPECT_FALSE(registry().EnsureRegKey(kSessions)) << "an existing key opens";
        // Replacing a value of the wrong type, creating a missing one: the variable becomes 0
        // as always, but the write fails.
        EXPECT_TRUE(registry().ReadRegInteger(kKey, QStringLiteral("Text"), number, false));
        EXPECT_EQ(number, 0);
        EXPECT_TRUE(registry().ReadRegString(kKey, QStringLiteral("Missing"), text, true));
        EXPECT_EQ(text, QString());
        EXPECT_TRUE(registry().WriteRegInteger(kKey, QStringLiteral("Number"), 1));
        EXPECT_TRUE(registry().EnsureRegKey(QStringLiteral("Software\\New")));
        EXPECT_TRUE(registry().DeleteRegKey(kSessions));
        EXPECT_TRUE(registry().DeleteRegValue(kKey, QStringLiteral("Number")));
        useHive(filePath(QStringLiteral("unused.db")));
    });
    chmod(QFile::encodeName(hivePath()).constData(), 0644);
    if (!ran) {
        GTEST_SKIP() << "cannot give up root here, and root writes a read-only file anyway";
    }
    EXPECT_EQ(FileBytes(hivePath()), sound);
}

// A file that may only be read gets nothing made beside it (the log files would take its mode
// and keep it from being written for good), and it is written as soon as it may be.
TEST_F(DamagedHive, AReadOnlyHiveLeavesNothingBesideItAndIsWrittenOnceItMayBe) {
    SoundHiveBytes(hivePath());
    const QByteArray file = QFile::encodeName(hivePath());
    ASSERT_EQ(chmod(file.constData(), 0444), 0);
    const QByteArray folder = QFile::encodeName(dir_.path());
    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.constData(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(file.constData(), kNobody, kNobody), 0);
    }
    useHive(filePath(QStringLiteral("unused.db")));
    const bool ran = RunWithoutRoot([&] {
        useHive(hivePath());
        std::int32_t number = 0;
        EXPECT_FALSE(registry().ReadRegInteger(kKey, QStringLiteral("Number"), number, false));
        EXPECT_EQ(number, 42);
        const StoreResult refused =
            registry().WriteRegTogether([&] { registry().WriteRegInteger(kKey, "Number", 43); });
        EXPECT_FALSE(refused.ok());
        EXPECT_FALSE(refused.busy());
        EXPECT_EQ(QDir(dir_.path()).entryList({QStringLiteral("hive.db?*")}, QDir::Files),
                  QStringList());
        ASSERT_EQ(chmod(file.constData(), 0644), 0);
        EXPECT_FALSE(registry().WriteRegInteger(kKey, QStringLiteral("Number"), 43));
        EXPECT_FALSE(registry().ReadRegInteger(kKey, QStringLiteral("Number"), number, false));
        EXPECT_EQ(number, 43);
        useHive(filePath(QStringLiteral("unused.db")));
    });
    chmod(file.constData(), 0644);
    if (!ran) {
        GTEST_SKIP() << "cannot give up root here, and root writes a read-only file anyway";
    }
}

using State = HiveHealth::State;

// Every kind of file in the hive's place that can be told apart without giving up root.
TEST_F(DamagedHive, HealthTellsAFirstRunFromAFileThatCannotBeUsed) {
    const QByteArray sound = SoundHiveBytes(filePath(QStringLiteral("sound.db")));
    const struct {
        const char* what;
        std::function<void()> prepare;
        State state;
        const char* reason;
    } cases[] = {
        {"no file yet", [] {}, State::noFileYet, ""},
        {"no file nor folder yet", [] {}, State::noFileYet, ""},
        {"a sound hive", [&] { WriteFileBytes(hivePath(), sound); }, State::ready, ""},
        {"random bytes",
         [&] { WriteFileBytes(hivePath(), QByteArray("\x13\x9c\xfe random").repeated(500)); },
         State::unusable, "is not a hive: it is not a database"},
        {"a truncated hive", [&] { WriteFileBytes(hivePath(), sound.left(sound.size() / 2)); },
         State::unusable, "truncated"},
        {"another program's database",
         [&] {
             sqlite3* db = nullptr;
             sqlite3_open(QFile::encodeName(hivePath()).constData(), &db);
             sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         State::unusable, "a database of another program"},
        {"a folder", [&] { QDir().mkpath(hivePath()); }, State::unusable, "is not a file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(hivePath()).removeRecursively();
        QFile::remove(hivePath());
        c.prepare();
        const QByteArray before = FileBytes(hivePath());
        const QStringList files =
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QString file = QString(c.what) == QStringLiteral("no file nor folder yet")
                                 ? filePath(QStringLiteral("new/folder/hive.db"))
                                 : hivePath();
        useHive(file);
        const HiveHealth health = hive().health();
        EXPECT_EQ(health.state, c.state) << health.reason.toStdString();
        EXPECT_TRUE(health.reason.contains(QString::fromUtf8(c.reason)))
            << health.reason.toStdString();
        if (c.state == State::unusable) {
            EXPECT_TRUE(health.reason.contains(file)) << health.reason.toStdString();
            EXPECT_FALSE(health.usable());
            EXPECT_TRUE(registry().WriteRegInteger(kKey, QStringLiteral("Number"), 1));
            EXPECT_EQ(FileBytes(hivePath()), before);
        }
        if (c.state != State::ready) {
            EXPECT_FALSE(c.state == State::noFileYet && QFile::exists(file))
                << "looking creates nothing";
            EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
        }
        useHive(filePath(QStringLiteral("unused.db")));
    }
}

// What only file permissions make: checked by a user whom they stop.
TEST_F(DamagedHive, HealthTellsReadOnlyAndUnreachableHives) {
    const QByteArray sound = SoundHiveBytes(hivePath());
    const QByteArray folder = QFile::encodeName(dir_.path());
    const QByteArray file = QFile::encodeName(hivePath());
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.constData(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(file.constData(), kNobody, kNobody), 0);
    }
    const struct {
        const char* what;
        mode_t folderMode;
        mode_t fileMode;
        bool removeFile;
        State state;
        const char* reason;
    } cases[] = {
        {"a read-only file", 0755, 0444, false, State::readOnly, "may be read but not written"},
        {"a hive in a read-only folder", 0555, 0644, false, State::readOnly,
         "may be read but not written"},
        {"a file that may not be read", 0755, 0200, false, State::unusable, "may not be read"},
        {"a folder that may not be entered", 0600, 0644, false, State::unusable,
         "cannot reach the hive"},
        {"no file in a read-only folder", 0555, 0644, true, State::unusable,
         "none can be made there"},
    };
    useHive(filePath(QStringLiteral("unused.db"))); // no connection crosses the fork
    bool ran = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // As a program that ended leaves it: no log files beside the hive.
        ASSERT_EQ(chmod(folder.constData(), 0755), 0);
        QFile::remove(hivePath() + QStringLiteral("-wal"));
        QFile::remove(hivePath() + QStringLiteral("-shm"));
        if (c.removeFile) {
            QFile::remove(hivePath());
        }
        if (!c.removeFile) {
            ASSERT_EQ(chmod(file.constData(), c.fileMode), 0);
        }
        ASSERT_EQ(chmod(folder.constData(), c.folderMode), 0);
        ran = RunWithoutRoot([&] {
                  useHive(hivePath());
                  const HiveHealth health = hive().health();
                  EXPECT_EQ(health.state, c.state) << health.reason.toStdString();
                  EXPECT_TRUE(health.reason.contains(QString::fromUtf8(c.reason)))
                      << health.reason.toStdString();
                  EXPECT_TRUE(health.reason.contains(hivePath())) << health.reason.toStdString();
                  if (c.state == State::readOnly) {
                      std::int32_t number = 0;
                      EXPECT_FALSE(
                          registry().ReadRegInteger(kKey, QStringLiteral("Number"), number, false));
                      EXPECT_EQ(number, 42) << "a read-only hive is read as it stands";
                  }
                  EXPECT_TRUE(registry().WriteRegInteger(kKey, QStringLiteral("Number"), 1));
                  useHive(filePath(QStringLiteral("unused.db")));
              }) &&
              ran;
        chmod(folder.constData(), 0755);
        if (!c.removeFile) {
            chmod(file.constData(), 0644);
            EXPECT_EQ(FileBytes(hivePath()), sound);
        }
    }
    if (!ran) {
        GTEST_SKIP() << "cannot give up root here, and root reads and writes any file";
    }
}

} // namespace

namespace {

// A hive this process found sound is not checked page by page again while it stands as it was;
// once something else wrote it, it is.
TEST_F(DamagedHive, AHiveFoundSoundIsCheckedAgainOnceSomethingElseWroteIt) {
    WriteFileBytes(hivePath(), SoundHiveBytes(filePath(QStringLiteral("sound.db"))));
    for (int open = 0; open < 2; ++open) {
        Hive sound(hivePath());
        ASSERT_TRUE(sound.health().usable()) << "open " << open;
    }
    // The file's times move in steps of a few milliseconds: the damage comes in a later one.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    {
        QFile file(hivePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(file.size() / 2));
        ASSERT_EQ(file.write(QByteArray(8192, '\x5a')), 8192);
    }
    Hive damaged(hivePath());
    const HiveHealth health = damaged.health();
    EXPECT_EQ(health.state, State::unusable);
    EXPECT_TRUE(health.reason.contains(QStringLiteral("damaged"))) << health.reason.toStdString();
}

// While another thread checks the hive, the window's connection finds it busy at once, as it
// would a hive another program holds, and a reading connection waits for the check's end.
TEST_F(DamagedHive, AHiveBeingCheckedIsBusyForTheWindowAndAwaitedByAReader) {
    WriteFileBytes(hivePath(), SoundHiveBytes(filePath(QStringLiteral("sound.db"))));
    const std::optional<HiveFileState> state = StateOfHiveFile(QFile::encodeName(hivePath()));
    ASSERT_TRUE(state);
    CheckBegins(*state);
    Hive window(hivePath());
    RegValue value;
    EXPECT_EQ(window.readValue(kKey, QStringLiteral("Number"), value), Hive::Lookup::failed);
    EXPECT_TRUE(window.lastFailureWasBusy()) << window.lastError().toStdString();
    std::thread checkEnds([&state] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        CheckEnds(*state);
    });
    Hive reader(hivePath(), Hive::ReadOnly{});
    EXPECT_EQ(reader.readValue(kKey, QStringLiteral("Number"), value), Hive::Lookup::found);
    checkEnds.join();
    EXPECT_EQ(window.readValue(kKey, QStringLiteral("Number"), value), Hive::Lookup::found);
}

} // namespace
