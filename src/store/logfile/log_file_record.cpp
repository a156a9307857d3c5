#include "store/logfile/log_file_record.h"

#include <algorithm>
#include <bit>

namespace dvx {

namespace {

constexpr std::size_t kStartTimeAt = 0;
constexpr std::size_t kProductAt = 8;
constexpr std::size_t kDescriptionAt = 39;
constexpr std::size_t kDurationAt = 92;
constexpr std::size_t kCostAt = 96;
constexpr std::size_t kFileTagAt = 104;

void putUnsigned(LogRecordBytes& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t getUnsigned(const LogRecordBytes& bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint64_t>(bytes[at + i]) << (8 * i);
    return value;
}

void putShortString(LogRecordBytes& bytes, std::size_t at, const QByteArray& text,
                    qsizetype capacity) {
    const qsizetype length = std::min(text.size(), capacity);
    bytes[at] = static_cast<unsigned char>(length);
    std::copy_n(text.constData(), length, bytes.begin() + at + 1);
}

QByteArray getShortString(const LogRecordBytes& bytes, std::size_t at, qsizetype capacity) {
    const qsizetype length = std::min<qsizetype>(bytes[at], capacity);
    return QByteArray(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
}

} // namespace

LogRecordBytes encodeLogRecord(const LogFileRecord& record) {
    LogRecordBytes bytes{};
    putUnsigned(bytes, kStartTimeAt, std::bit_cast<std::uint64_t>(record.startTime), 8);
    putShortString(bytes, kProductAt, record.product, kProductCapacity);
    putShortString(bytes, kDescriptionAt, record.description, kDescriptionCapacity);
    putUnsigned(bytes, kDurationAt, static_cast<std::uint32_t>(record.duration), 4);
    putUnsigned(bytes, kCostAt, static_cast<std::uint64_t>(record.cost), 8);
    putShortString(bytes, kFileTagAt, record.fileTag, kFileTagCapacity);
    return bytes;
}

LogFileRecord decodeLogRecord(const LogRecordBytes& bytes) {
    LogFileRecord record;
    record.startTime = std::bit_cast<double>(getUnsigned(bytes, kStartTimeAt, 8));
    record.product = getShortString(bytes, kProductAt, kProductCapacity);
    record.description = getShortString(bytes, kDescriptionAt, kDescriptionCapacity);
    record.duration = static_cast<std::int32_t>(getUnsigned(bytes, kDurationAt, 4));
    record.cost = static_cast<std::int64_t>(getUnsigned(bytes, kCostAt, 8));
    record.fileTag = getShortString(bytes, kFileTagAt, kFileTagCapacity);
    return record;
}

} // namespace dvx
