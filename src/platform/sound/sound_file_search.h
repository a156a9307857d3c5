#pragma once

#include <QString>
#include <QStringList>

namespace dvx {

// The folders in which a sound named without a folder is looked for, in order: the working
// folder, the program's folder, then the installed data folder.
QStringList SoundSearchFolders();

// The full path of the first file called fileName in the given folders, or an empty text
// when none of them holds a readable file of that name.
QString FindSoundFile(const QString& fileName, const QStringList& folders);

} // namespace dvx
