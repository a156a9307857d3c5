#include "calllog/waiting_calls_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace dvx {

namespace {

QJsonObject toJson(const WaitingCall& call) {
    const FinishedSession& session = call.session;
    return {{"start", session.start},     {"stop", session.stop},
            {"seconds", session.seconds}, {"charge", QString::number(session.charge.raw())},
            {"priced", session.priced},   {"connection", session.connectionName},
            {"number", session.number},   {"description", call.description},
            {"record", call.recordKey}};
}

WaitingCall fromJson(const QJsonObject& object) {
    WaitingCall call;
    call.session = {.start = object.value("start").toDouble(),
                    .stop = object.value("stop").toDouble(),
                    .seconds = object.value("seconds").toInt(),
                    .charge = Currency::fromRaw(object.value("charge").toString().toLongLong()),
                    .connectionName = object.value("connection").toString(),
                    .number = object.value("number").toString(),
                    .priced = object.value("priced").toBool(true)};
    call.description = object.value("description").toString();
    call.recordKey = object.value("record").toString();
    return call;
}

QByteArray encode(const WaitingCalls& waiting) {
    QJsonArray calls;
    for (const WaitingCall& call : waiting.calls)
        calls.append(toJson(call));
    QJsonArray dropped;
    for (const DateTime start : waiting.droppedCallStarts)
        dropped.append(start);
    return QJsonDocument(QJsonObject{{"calls", calls}, {"droppedCallStarts", dropped}}).toJson();
}

StoreResult systemFailure(const QString& what, const QString& file) {
    return StoreResult::failure(QStringLiteral("cannot %1 %2: %3")
                                    .arg(what, file, QString::fromLocal8Bit(strerror(errno))));
}

// Writes the bytes to a file of their own, syncs them, and puts that file in the place of the
// old one, syncing the folder too: the old content or the new one, whatever happens.
StoreResult replaceFile(const QString& path, const QByteArray& bytes) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".new";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return systemFailure(QStringLiteral("create"), path);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const StoreResult failed = systemFailure(QStringLiteral("write"), path);
            ::close(fd);
            ::unlink(temporary.constData());
            return failed;
        }
        done += written;
    }
    if (::fdatasync(fd) != 0 || ::close(fd) != 0 ||
        ::rename(temporary.constData(), target.constData()) != 0) {
        const StoreResult failed = systemFailure(QStringLiteral("write"), path);
        ::unlink(temporary.constData());
        return failed;
    }
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return StoreResult::success();
}

} // namespace

QString WaitingCallsFile::besideHive(const QString& hiveFile) {
    return hiveFile + QStringLiteral(".waiting-calls");
}

WaitingCalls WaitingCallsFile::read() const {
    QFile file(path_);
    if (path_.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        file.close();
        QFile::rename(path_, path_ + QStringLiteral(".unreadable"));
        return {};
    }
    WaitingCalls waiting;
    for (const QJsonValue call : document.object().value("calls").toArray())
        waiting.calls.append(fromJson(call.toObject()));
    for (const QJsonValue start : document.object().value("droppedCallStarts").toArray())
        waiting.droppedCallStarts.append(start.toDouble());
    return waiting;
}

StoreResult WaitingCallsFile::write(const WaitingCalls& waiting) const {
    if (path_.isEmpty())
        return StoreResult::success();
    if (waiting.empty()) {
        if (::unlink(QFile::encodeName(path_).constData()) != 0 && errno != ENOENT)
            return systemFailure(QStringLiteral("remove"), path_);
        return StoreResult::success();
    }
    return replaceFile(path_, encode(waiting));
}

} // namespace dvx
