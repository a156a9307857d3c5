#include "store/registry/process_hive.h"

#include <QDir>
#include <memory>

namespace dvx {

namespace {

std::unique_ptr<Hive>& Current() {
    static std::unique_ptr<Hive> hive;
    return hive;
}

} // namespace

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

Hive& ProcessHive() {
    std::unique_ptr<Hive>& hive = Current();
    if (!hive) {
        hive = std::make_unique<Hive>(DefaultHivePath());
    }
    return *hive;
}

HiveHealth ProcessHiveHealth() {
    return ProcessHive().health();
}

void UseHiveFile(const QString& path) {
    Current() = std::make_unique<Hive>(path.isEmpty() ? DefaultHivePath() : path);
}

} // namespace dvx
