#pragma once

#include <QString>
#include <functional>

namespace dvx {

// The folders the Save Log and Load Log dialogs may open in, best first.
struct LogFolderCandidates {
    // The folder that holds the program file (/usr/bin once installed).
    QString programFolder;
    // The folder of the log file last saved or loaded, as the hive keeps it; may be empty.
    QString lastUsed;
    // The user's documents folder (XDG_DOCUMENTS_DIR), and the home folder when that is absent.
    QString documents;
    QString home;
};

// What the choice asks of the file system.
struct FolderProbe {
    std::function<bool(const QString& folder)> exists;
    std::function<bool(const QString& folder)> writable;
};

// The real file system, as the user running the program sees it.
FolderProbe FileSystemFolderProbe();

// Where the log dialogs open: the program's folder when the user may make files there, else
// the folder last used while it exists, else the documents folder, else the home folder.
QString LogDialogFolder(const LogFolderCandidates& candidates, const FolderProbe& probe);

// The candidates on this machine, given the folder the hive keeps.
LogFolderCandidates LogFolderCandidatesHere(const QString& lastUsed);

} // namespace dvx
