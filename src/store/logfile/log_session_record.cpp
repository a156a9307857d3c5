#include "store/logfile/log_session_record.h"

#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/money_digits.h"
#include "metering/money_text.h"

#include <array>
#include <limits>

namespace dvx {

namespace {

const QString kProduct = QStringLiteral("Dorvantix");

// The product's name as a record holds it: plain ASCII, the same in every code page.
QByteArray productBytes() {
    static const QByteArray bytes = kProduct.toLatin1();
    return bytes;
}
const QString kMinutesMark = QStringLiteral("min");
const QString kSecondsMark = QStringLiteral("min, ");

// About the moments a date text can show, 0001-01-01 to 9999-12-31, with a day to spare
// for the rounding to milliseconds.
constexpr DateTime kDayBeforeFirst = -693594.0;
constexpr DateTime kDayAfterLast = 2958467.0;

constexpr std::int64_t kLargestCost = 900'000'000'000'000 * Currency::kScale;

std::int32_t readInteger(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw invalidInteger(text);
    return value;
}

// "12min, 05sec": the minutes before the first "min", the two characters after "min, ".
std::int32_t durationSecondsOf(const QString& text) {
    const qsizetype minutesEnd = text.indexOf(kMinutesMark);
    const qsizetype secondsAt = text.indexOf(kSecondsMark);
    if (minutesEnd < 0 || secondsAt < 0)
        throw invalidInteger(text);
    const std::int64_t minutes = readInteger(text.left(minutesEnd));
    const std::int64_t seconds = readInteger(text.mid(secondsAt + kSecondsMark.size(), 2));
    const std::int64_t total = minutes * 60 + seconds;
    if (total < std::numeric_limits<std::int32_t>::min() ||
        total > std::numeric_limits<std::int32_t>::max())
        throw integerOverflow();
    return static_cast<std::int32_t>(total);
}

// As the money text reader, except that a text with neither digits nor a decimal separator
// is refused instead of read as 0.
std::int64_t costOf(const QString& text, const RegionalSettings& rs) {
    const MoneyDigits digits(text, rs);
    const auto raw = ReadTenThousandths(digits.view(), rs);
    if (!raw)
        throw invalidFloat(digits.view().toString());
    if (!isShowableCost(*raw))
        throw integerOverflow();
    return *raw;
}

// A moment whose date has a four-digit year from 1 to 9999, so that its text reads back.
bool isShowableMoment(DateTime moment) {
    if (!(moment > kDayBeforeFirst && moment < kDayAfterLast))
        return false;
    // Only a moment within a day of either end can round into a year that cannot be shown.
    if (moment > kDayBeforeFirst + 2 && moment < kDayAfterLast - 2)
        return true;
    const int year = dateOf(moment).year();
    return year >= 1 && year <= 9999;
}

// The seconds that a duration text of these seconds reads back as: the same seconds, but for
// a negative remainder of more than one digit, whose text is cut at two characters.
std::int32_t savedSeconds(std::int32_t seconds) {
    return seconds >= 0 ? seconds : durationSecondsOf(DurationText(seconds));
}

// The record of each kind of listed session, in the order the texts would be read.
struct RecordOf {
    const RegionalSettings& rs;

    LogSessionRecord operator()(const SessionRow& row) const { return sessionRecordOf(row, rs); }

    LogSessionRecord operator()(const StoredSession& stored) const {
        LogSessionRecord record{{}, stored.description()};
        record.numbers.startTime = ParseDateTimeText(stored.start(), rs);
        const std::optional<std::int32_t> seconds = stored.seconds();
        record.numbers.duration = seconds ? savedSeconds(*seconds) : durationSecondsOf(QString());
        record.numbers.cost = costOf(stored.cost(), rs);
        return record;
    }

    // The start and the cost go through their texts: the texts round them.
    LogSessionRecord operator()(const LoggedSession& logged) const {
        LogSessionRecord record{{}, logged.description};
        record.numbers.startTime = ParseDateTimeText(DateTimeText(logged.start, rs), rs);
        record.numbers.duration = savedSeconds(logged.seconds);
        record.numbers.cost = costOf(MoneyText(logged.cost, rs), rs);
        return record;
    }
};

} // namespace

bool isShowableCost(std::int64_t tenThousandths) {
    return tenThousandths >= -kLargestCost && tenThousandths <= kLargestCost;
}

LogSessionRecord sessionRecordOf(const SessionRow& row, const RegionalSettings& rs) {
    LogSessionRecord record{{}, row.description};
    record.numbers.startTime = ParseDateTimeText(row.date, rs);
    record.numbers.duration = durationSecondsOf(row.duration);
    record.numbers.cost = costOf(row.cost, rs);
    return record;
}

LogSessionRecord sessionRecordOf(const ListedSession& session, const RegionalSettings& rs) {
    return std::visit(RecordOf{rs}, session);
}

void encodeSessionRecord(const LogSessionRecord& record, const Windows1252& codePage,
                         LogRecordBytes& bytes) {
    std::array<char, kDescriptionCapacity> description;
    const qsizetype length = std::visit(
        [&](const auto& text) {
            return codePage.encode(text, description.data(), kDescriptionCapacity);
        },
        record.description);
    encodeLogRecord(record.numbers,
                    {productBytes(), QByteArrayView(description.data(), length), {}}, bytes);
}

LoggedSession loggedSessionOf(const LogFileRecord& numbers, QByteArrayView description,
                              const Windows1252& codePage) {
    if (!isShowableMoment(numbers.startTime))
        throw invalidDateTime(QString::number(numbers.startTime, 'g', 17));
    if (!isShowableCost(numbers.cost))
        throw integerOverflow();
    return {numbers.startTime, CodePageText(description, codePage.characters()), numbers.duration,
            Currency::fromRaw(numbers.cost)};
}

} // namespace dvx
