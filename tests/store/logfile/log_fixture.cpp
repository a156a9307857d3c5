#include "log_fixture.h"

#include <QDate>
#include <QFile>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace dvx::test {

FixtureRecord& FixtureRecord::number(std::size_t offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return *this;
}

FixtureRecord& FixtureRecord::shortString(std::size_t offset, std::string_view text) {
    bytes_[offset] = static_cast<char>(text.size());
    bytes_.replace(offset + 1, text.size(), text);
    return *this;
}

FixtureRecord& FixtureRecord::startTime(double moment) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &moment, sizeof bits);
    return number(0, bits, 8);
}

FixtureRecord& FixtureRecord::product(std::string_view text) {
    return shortString(8, text);
}

FixtureRecord& FixtureRecord::description(std::string_view text) {
    return shortString(39, text);
}

FixtureRecord& FixtureRecord::duration(std::int32_t seconds) {
    return number(92, static_cast<std::uint32_t>(seconds), 4);
}

FixtureRecord& FixtureRecord::cost(std::int64_t tenThousandths) {
    return number(96, static_cast<std::uint64_t>(tenThousandths), 8);
}

FixtureRecord& FixtureRecord::fileTag(std::string_view text) {
    return shortString(104, text);
}

FixtureRecord& FixtureRecord::byte(std::size_t offset, unsigned char value) {
    bytes_[offset] = static_cast<char>(value);
    return *this;
}

FixtureRecord headerFixture(double savedAt) {
    FixtureRecord header;
    header.startTime(savedAt)
        .product("Dorvantix")
        .description("v1.05")
        .duration(1968)
        .cost(0)
        .fileTag("Dorvantix log file");
    return header;
}

FixtureRecord sessionFixture(double start, std::string_view description, std::int32_t seconds,
                             std::int64_t cost) {
    FixtureRecord session;
    session.startTime(start)
        .product("Dorvantix")
        .description(description)
        .duration(seconds)
        .cost(cost);
    return session;
}

DateTime moment(int year, int month, int day, int hour, int minute, int second) {
    return encodeDate(QDate(year, month, day)) + encodeTime(hour, minute, second);
}

void allowOthersIn(const QString& folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ExeGroup | QFile::ExeOther);
}

void becomeOrdinaryUser() {
    constexpr uid_t kNobody = 65534;
    if (geteuid() != 0)
        return;
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
        std::_Exit(3);
}

bool ordinaryUserCanEnter(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    const pid_t child = fork();
    if (child == 0) {
        becomeOrdinaryUser();
        std::_Exit(access(path.constData(), X_OK) == 0 ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::string readWholeFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + fileName.toStdString());
    return file.readAll().toStdString();
}

void writeWholeFile(const QString& fileName, const std::string& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + fileName.toStdString());
}

ListedSessions listed(const SessionRows& rows) {
    return ListedSessions(rows.begin(), rows.end());
}

SessionRows shownTexts(const ListedSessions& sessions) {
    SessionRows rows;
    for (const ListedSession& session : sessions)
        rows.append(SessionRowTexts(session, RegionalSettings::british()));
    return rows;
}

} // namespace dvx::test
