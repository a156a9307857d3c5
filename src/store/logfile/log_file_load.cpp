#include "store/logfile/log_file.h"
#include "store/logfile/log_file_header.h"
#include "store/logfile/log_session_record.h"
#include "store/logfile/system_error_text.h"

#include "metering/long_list_room.h"
#include "metering/money_text.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace dvx {

namespace {

// The running sums of a loaded log; a sum beyond its integer, or a charge beyond what can be
// shown, fails with "Integer overflow".
class LogTotals {
public:
    void add(const LogFileRecord& record) {
        std::int32_t seconds = 0;
        std::int64_t charges = 0;
        if (__builtin_add_overflow(seconds_, record.duration, &seconds) ||
            __builtin_add_overflow(charges_, record.cost, &charges) || !isShowableCost(charges))
            throw integerOverflow();
        seconds_ = seconds;
        charges_ = charges;
    }
    std::int32_t seconds() const { return seconds_; }
    Currency charges() const { return Currency::fromRaw(charges_); }

private:
    std::int32_t seconds_ = 0;
    std::int64_t charges_ = 0;
};

LogLoadResult failed(ListedSessions rows, const QString& message,
                     const QString& systemReason = {}) {
    LogLoadResult result;
    result.outcome = LogLoadResult::Outcome::failed;
    result.rows = std::move(rows);
    result.message = message;
    result.systemReason = systemReason;
    return result;
}

LogLoadResult refused(const QString& message) {
    LogLoadResult result;
    result.outcome = LogLoadResult::Outcome::refused;
    result.message = message;
    return result;
}

} // namespace

LogLoadResult ReadLogRecords(LogRecordSource& source, const RegionalSettings& rs,
                             qsizetype expectedSessions) {
    ListedSessions rows;
    ReserveRows(rows, expectedSessions);
    LogTotals totals;
    try {
        const Windows1252& codePage = Windows1252::kept();
        const LogRecordBytes* bytes = source.next();
        if (!bytes)
            throw readBeyondEndOfFile();
        if (const auto refusal = headerRefusal(decodeLogRecord(*bytes), codePage))
            return refused(*refusal);
        while ((bytes = source.next())) {
            const LogFileRecord numbers = decodeSessionNumbers(*bytes);
            rows.append(loggedSessionOf(numbers, sessionDescriptionBytes(*bytes), codePage));
            totals.add(numbers);
        }
    } catch (const SystemError& error) {
        return failed(std::move(rows), error.text(), error.reason());
    } catch (const Error& error) {
        return failed(std::move(rows), error.text());
    }
    LogLoadResult result;
    result.outcome = LogLoadResult::Outcome::loaded;
    result.rows = std::move(rows);
    result.totalSeconds = totals.seconds();
    result.totalCharges = totals.charges();
    result.totalCallTimeText = DurationText(result.totalSeconds);
    result.totalCostText = MoneyText(result.totalCharges, rs);
    return result;
}

LogLoadResult LoadLogFile(const QString& fileName, const RegionalSettings& rs) {
    const int descriptor = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return LogLoadResult{};
        const SystemError refusal(errno);
        return failed({}, refusal.text(), refusal.reason());
    }
    struct stat status {};
    const qsizetype records =
        ::fstat(descriptor, &status) == 0 ? qsizetype(status.st_size / kLogRecordSize) : 0;
    LogRecordFileReader file(descriptor);
    // The room made at once stays bounded whatever size a damaged file claims.
    return ReadLogRecords(file, rs, std::clamp<qsizetype>(records - 1, 0, qsizetype(1) << 20));
}

} // namespace dvx
