#include "platform/sound/sound_file_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace dvx {

QStringList SoundSearchFolders() {
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(),
            QStringLiteral(DORVANTIX_DATA_DIR)};
}

QString FindSoundFile(const QString& fileName, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile() && candidate.isReadable())
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace dvx
