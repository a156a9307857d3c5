#include "ui/main_window/log_dialog_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace dvx {

FolderProbe FileSystemFolderProbe() {
    return {[](const QString& folder) { return QFileInfo(folder).isDir(); },
            [](const QString& folder) {
                const QFileInfo info(folder);
                return info.isDir() && info.isWritable();
            }};
}

QString LogDialogFolder(const LogFolderCandidates& candidates, const FolderProbe& probe) {
    if (probe.writable(candidates.programFolder))
        return candidates.programFolder;
    for (const QString& folder : {candidates.lastUsed, candidates.documents}) {
        if (!folder.isEmpty() && probe.exists(folder))
            return folder;
    }
    return candidates.home;
}

LogFolderCandidates LogFolderCandidatesHere(const QString& lastUsed) {
    return {QCoreApplication::applicationDirPath(), lastUsed,
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()};
}

} // namespace dvx
