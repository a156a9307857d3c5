// Where the Save Log and Load Log dialogs open.
#include "ui/main_window/log_dialog_folder.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dvx {
namespace {

const LogFolderCandidates kInstalled{"/usr/bin", "/home/ann/logs", "/home/ann/Documents",
                                     "/home/ann"};

// A file system in which only the listed folders exist, and only some of them may be written.
FolderProbe FileSystemWith(const QSet<QString>& folders, const QSet<QString>& writable) {
    return {[folders](const QString& folder) { return folders.contains(folder); },
            [writable](const QString& folder) { return writable.contains(folder); }};
}

TEST(LogDialogFolder, TheProgramsFolderWhenWritableElseTheLastUsedElseDocumentsElseHome) {
    struct Case {
        const char* what;
        LogFolderCandidates candidates;
        QSet<QString> folders;
        QSet<QString> writable;
        QString expected;
    };
    const QSet<QString> all{"/usr/bin", "/home/ann/logs", "/home/ann/Documents", "/home/ann"};
    LogFolderCandidates neverUsed = kInstalled;
    neverUsed.lastUsed.clear();
    const Case cases[] = {
        {"a build the user may write in", kInstalled, all, {"/usr/bin", "/home/ann"}, "/usr/bin"},
        {"installed", kInstalled, all, {"/home/ann"}, "/home/ann/logs"},
        {"installed, never used", neverUsed, all, {"/home/ann"}, "/home/ann/Documents"},
        {"the last folder was removed",
         kInstalled,
         {"/usr/bin", "/home/ann/Documents", "/home/ann"},
         {},
         "/home/ann/Documents"},
        {"no documents folder", neverUsed, {"/usr/bin", "/home/ann"}, {}, "/home/ann"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogDialogFolder(c.candidates, FileSystemWith(c.folders, c.writable)), c.expected)
            << c.what;
    }
}

TEST(LogDialogFolder, TheRealFileSystemTellsFoldersFromFiles) {
    const QTemporaryDir dir;
    QFile file(dir.filePath("log.dvx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const FolderProbe probe = FileSystemFolderProbe();
    EXPECT_TRUE(probe.exists(dir.path()));
    EXPECT_TRUE(probe.writable(dir.path()));
    for (const QString& notAFolder : {file.fileName(), dir.filePath("gone")}) {
        EXPECT_FALSE(probe.exists(notAFolder));
        EXPECT_FALSE(probe.writable(notAFolder));
    }
}

} // namespace
} // namespace dvx
