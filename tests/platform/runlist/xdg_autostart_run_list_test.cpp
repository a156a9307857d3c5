// The start-at-logon entry as the desktop's autostart file.
#include "platform/runlist/desktop_exec.h"
#include "platform/runlist/xdg_autostart_run_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dvx {
namespace {

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The Exec line of a file, as the desktop reads it.
QString ExecLine(const QString& text) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    }
    return {};
}

class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
};

TEST_F(AutostartTest, WritingCreatesTheFolderAndAnEntryThatStartsTheProgram) {
    const QString path = dir.filePath(QStringLiteral("config/autostart/dorvantix.desktop"));
    XdgAutostartRunList runList(path);
    runList.write(QStringLiteral("/usr/bin/dorvantix"));
    const QString text = FileText(path);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=Dorvantix\n")));
    EXPECT_EQ(ExecLine(text), "/usr/bin/dorvantix");
    runList.write(QStringLiteral("/opt/dorvantix/bin/dorvantix"));
    EXPECT_EQ(ExecLine(FileText(path)), "/opt/dorvantix/bin/dorvantix");
}

TEST_F(AutostartTest, RemovingDeletesTheEntryAndIsSilentWhenItIsAbsent) {
    const QString path = dir.filePath(QStringLiteral("dorvantix.desktop"));
    XdgAutostartRunList runList(path);
    runList.remove();
    EXPECT_FALSE(QFile::exists(path));
    runList.write(QStringLiteral("/usr/bin/dorvantix"));
    ASSERT_TRUE(QFile::exists(path));
    runList.remove();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(AutostartTest, AFolderThatCannotBeMadeLosesTheWriteSilently) {
    const QString blocker = dir.filePath(QStringLiteral("file"));
    ASSERT_TRUE(QFile(blocker).open(QIODevice::WriteOnly));
    XdgAutostartRunList runList(blocker + QStringLiteral("/autostart/dorvantix.desktop"));
    runList.write(QStringLiteral("/usr/bin/dorvantix"));
    runList.remove();
    EXPECT_FALSE(QFile::exists(runList.entryPath()));
}

TEST_F(AutostartTest, TheStandardPlaceFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(DefaultAutostartEntryPath(), dir.path() + "/autostart/dorvantix.desktop");
    XdgAutostartRunList().write(QStringLiteral("/usr/bin/dorvantix"));
    EXPECT_TRUE(QFile::exists(dir.path() + "/autostart/dorvantix.desktop"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_TRUE(DefaultAutostartEntryPath().endsWith("/.config/autostart/dorvantix.desktop"));
    EXPECT_FALSE(DefaultAutostartEntryPath().startsWith("relative"));
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

// Quoted as the desktop entry format asks, then escaped as a value of its key file.
TEST(DesktopExec, APathIsQuotedOnlyWhenItMustBe) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/dorvantix", "/usr/bin/dorvantix"},
        {"/home/ann/My Programs/dorvantix", "\"/home/ann/My Programs/dorvantix\""},
        {"/opt/a$b/dorvantix", "\"/opt/a\\\\$b/dorvantix\""},
        {"/opt/say \"hi\"/d", "\"/opt/say \\\\\"hi\\\\\"/d\""},
        {"/opt/50%/dorvantix", "/opt/50%%/dorvantix"},
        {"/opt/back\\slash/d", "\"/opt/back\\\\\\\\slash/d\""},
        {"/opt/it's/d", "\"/opt/it's/d\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DesktopExecValue(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec));
    }
}

} // namespace
} // namespace dvx
