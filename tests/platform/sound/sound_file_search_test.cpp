#include "platform/sound/sound_file_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dvx;

namespace {

struct Folders {
    QTemporaryDir working, program, data;

    QStringList inOrder() const { return {working.path(), program.path(), data.path()}; }
};

void PutFile(const QTemporaryDir& folder, const QString& name) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
}

} // namespace

TEST(SoundFileSearch, TakesTheFirstFolderThatHoldsTheFile) {
    Folders folders;
    const QString name = QStringLiteral("alarm.wav");
    EXPECT_EQ(FindSoundFile(name, folders.inOrder()), QString());

    PutFile(folders.data, name);
    EXPECT_EQ(FindSoundFile(name, folders.inOrder()), folders.data.filePath(name));
    PutFile(folders.program, name);
    EXPECT_EQ(FindSoundFile(name, folders.inOrder()), folders.program.filePath(name));
    PutFile(folders.working, name);
    EXPECT_EQ(FindSoundFile(name, folders.inOrder()), folders.working.filePath(name));
}

TEST(SoundFileSearch, SkipsAFolderOfThatName) {
    Folders folders;
    const QString name = QStringLiteral("alarm.wav");
    ASSERT_TRUE(QDir(folders.working.path()).mkdir(name));
    PutFile(folders.data, name);
    EXPECT_EQ(FindSoundFile(name, folders.inOrder()), folders.data.filePath(name));
}

TEST(SoundFileSearch, LooksInTheWorkingFolderThenTheProgramsThenTheDataFolder) {
    int argc = 1;
    char name[] = "sound_file_search_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const QStringList folders = SoundSearchFolders();
    ASSERT_EQ(folders.size(), 3);
    EXPECT_EQ(folders[0], QDir::currentPath());
    EXPECT_EQ(folders[1], QCoreApplication::applicationDirPath());
    EXPECT_TRUE(folders[2].endsWith(QStringLiteral("/share/dorvantix")))
        << folders[2].toStdString();
}
