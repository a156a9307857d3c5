#pragma once

#include "metering/date_time.h"
#include "metering/listed_session.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace dvx::test {

// The bytes of one 208-byte log record, laid out field by field as the file format gives them,
// independently of the code that writes and reads log files. Texts are Windows-1252 bytes.
class FixtureRecord {
public:
    FixtureRecord& startTime(double moment);
    FixtureRecord& product(std::string_view text);
    FixtureRecord& description(std::string_view text);
    FixtureRecord& duration(std::int32_t seconds);
    FixtureRecord& cost(std::int64_t tenThousandths);
    FixtureRecord& fileTag(std::string_view text);
    // Sets a single byte, for length bytes that lie.
    FixtureRecord& byte(std::size_t offset, unsigned char value);

    const std::string& bytes() const { return bytes_; }

private:
    FixtureRecord& number(std::size_t offset, std::uint64_t value, int size);
    FixtureRecord& shortString(std::size_t offset, std::string_view text);

    std::string bytes_ = std::string(208, '\0');
};

// The header record of a log file of this version, or one with a field changed.
FixtureRecord headerFixture(double savedAt);
// A session record as the program writes it.
FixtureRecord sessionFixture(double start, std::string_view description, std::int32_t seconds,
                             std::int64_t cost);

// A moment given by its calendar fields.
DateTime moment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Lets every user enter a folder, so that a test running as an ordinary user reaches its files.
void allowOthersIn(const QString& folder);
// Whether a process that calls becomeOrdinaryUser() can still enter the folder; false where the
// rights cannot be dropped (a container without the capability to change users, say).
bool ordinaryUserCanEnter(const QString& folder);
// In a forked test process: drops root's rights (to the user "nobody"), since root may read and
// write any file whatever its permissions. Does nothing for an ordinary user.
void becomeOrdinaryUser();

std::string readWholeFile(const QString& fileName);
void writeWholeFile(const QString& fileName, const std::string& bytes);

// Rows given as their texts, listed as they are; and the texts that listed sessions show in
// British settings.
ListedSessions listed(const SessionRows& rows);
SessionRows shownTexts(const ListedSessions& sessions);

} // namespace dvx::test
