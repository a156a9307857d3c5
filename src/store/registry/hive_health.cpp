// Telling a first run (no hive yet) from a hive file that is there but cannot be used.
#include "store/registry/hive.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace dvx {

namespace {

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The folder in which the missing hive would be made, or its nearest existing parent (the
// folders are made with the hive).
QString NearestFolder(const QString& file) {
    QFileInfo folder(QFileInfo(file).absolutePath());
    while (!folder.exists() && !folder.isRoot()) {
        folder.setFile(folder.absolutePath());
    }
    return folder.absoluteFilePath();
}

HiveHealth Unusable(QString reason) {
    return {HiveHealth::State::unusable, std::move(reason)};
}

} // namespace

HiveHealth Hive::health() {
    const QByteArray path = QFile::encodeName(file());
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        const int error = errno;
        if (error != ENOENT) {
            return Unusable(
                QStringLiteral("cannot reach the hive %1: %2").arg(file(), SystemError(error)));
        }
        const QString folder = NearestFolder(file());
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
            return Unusable(QStringLiteral("there is no hive %1, and none can be made there: the "
                                           "folder %2 may not be written (%3)")
                                .arg(file(), folder, SystemError(errno)));
        }
        return {HiveHealth::State::noFileYet, {}};
    }
    if (!S_ISREG(info.st_mode)) {
        return Unusable(QStringLiteral("the hive %1 is not a file").arg(file()));
    }
    if (::access(path.constData(), R_OK) != 0) {
        return Unusable(
            QStringLiteral("the hive %1 may not be read (%2)").arg(file(), SystemError(errno)));
    }
    db_.lookAgain();
    if (!ready(HiveDatabase::Access::read)) {
        // Another process holding the hive for long (an import into an older hive that still
        // keeps a rollback journal) makes it busy, not unusable.
        if (lastFailureWasBusy()) {
            return {HiveHealth::State::ready, {}};
        }
        const QString& why = lastError();
        return Unusable(why.contains(file()) ? why : QStringLiteral("%1: %2").arg(file(), why));
    }
    if (!db_.writable()) {
        return {HiveHealth::State::readOnly,
                QStringLiteral("the hive %1 may be read but not written: the file or its folder "
                               "is read-only")
                    .arg(file())};
    }
    return {HiveHealth::State::ready, {}};
}

} // namespace dvx
