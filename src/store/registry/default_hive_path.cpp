#include "store/registry/default_hive_path.h"

#include <QDir>

namespace dvx {

QString DefaultHivePath() {
    const QString named = qEnvironmentVariable("DORVANTIX_HIVE");
    if (!named.isEmpty()) {
        return named;
    }
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome)) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return dataHome + QStringLiteral("/dorvantix/hive.db");
}

} // namespace dvx
