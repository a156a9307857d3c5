// A hive file that is damaged or may not be written: every call fails silently, nothing
// crashes, and the file is never changed.
#include "store/registry/hive.h"
#include "store/registry/process_hive.h"
#include "store/registry/regutils.h"
#include "temp_hive.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
            hive.writeValue(kSessions + QStringLiteral("\\%1").arg(i),
                            QStringLiteral("Description"),
                            RegValue::ofString(QStringLiteral("Session number %1").arg(i)));
        }
        hive.writeValue(kKey, QStringLiteral("Text"), RegValue::ofString(QStringLiteral("12")));
        hive.writeValue(kKey, QStringLiteral("Number"), RegValue::ofDword(42));
        EXPECT_TRUE(transaction.commit());
    }
    return FileBytes(path);
}

// Calls every registry function; each must fail and leave its variable as it was.
void ExpectEveryCallFails() {
    std::int32_t number = 99;
    QString text = QStringLiteral("unchanged");
    QStringList names{QStringLiteral("left over")};
    EXPECT_TRUE(ReadRegInteger(kKey, QStringLiteral("Number"), number, true));
    EXPECT_TRUE(ReadRegInteger(kKey, QStringLiteral("Text"), number, true));
    EXPECT_TRUE(ReadRegString(kKey, QStringLiteral("Missing"), text, true));
    EXPECT_EQ(number, 99);
    EXPECT_EQ(text, QStringLiteral("unchanged"));
    EXPECT_TRUE(WriteRegInteger(kKey, QStringLiteral("Number"), 1));
    EXPECT_TRUE(WriteRegString(QStringLiteral("Software\\New"), QStringLiteral("v"), text));
    EXPECT_TRUE(ListRegSubKeys(kSessions, names));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(DeleteRegKey(kSessions));
    EXPECT_TRUE(DeleteRegValue(kKey, QStringLiteral("Number")));
    EXPECT_TRUE(EnsureRegKey(QStringLiteral("Software\\New")));
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
        UseHiveFile(hivePath());
        ExpectEveryCallFails();
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
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(3);
        }
        body();
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
        return false;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the checks in the unprivileged process failed (see above)";
    return true;
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
    UseHiveFile(filePath(QStringLiteral("unused.db"))); // no connection crosses the fork
    const bool ran = RunWithoutRoot([&] {
        UseHiveFile(hivePath());
        std::int32_t number = 0;
        QString text;
        QStringList names;
        EXPECT_FALSE(ReadRegInteger(kKey, QStringLiteral("Number"), number, true));
        EXPECT_EQ(number, 42);
        EXPECT_FALSE(ReadRegString(kKey, QStringLiteral("Text"), text, true));
        EXPECT_EQ(text, QStringLiteral("12"));
        EXPECT_FALSE(ListRegSubKeys(kSessions, names));
        EXPECT_EQ(names.size(), 1000);
        EXPECT_FALSE(EnsureRegKey(kSessions)) << "an existing key opens";
        // Replacing a value of the wrong type, creating a missing one: the variable becomes 0
        // as always, but the write fails.
        EXPECT_TRUE(ReadRegInteger(kKey, QStringLiteral("Text"), number, false));
        EXPECT_EQ(number, 0);
        EXPECT_TRUE(ReadRegString(kKey, QStringLiteral("Missing"), text, true));
        EXPECT_EQ(text, QString());
        EXPECT_TRUE(WriteRegInteger(kKey, QStringLiteral("Number"), 1));
        EXPECT_TRUE(EnsureRegKey(QStringLiteral("Software\\New")));
        EXPECT_TRUE(DeleteRegKey(kSessions));
        EXPECT_TRUE(DeleteRegValue(kKey, QStringLiteral("Number")));
        UseHiveFile(filePath(QStringLiteral("unused.db")));
    });
    chmod(QFile::encodeName(hivePath()).constData(), 0644);
    if (!ran) {
        GTEST_SKIP() << "cannot give up root here, and root writes a read-only file anyway";
    }
    EXPECT_EQ(FileBytes(hivePath()), sound);
}

} // namespace
