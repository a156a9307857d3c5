#include "store/logfile/log_file_record.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

namespace dvx {

namespace {

constexpr std::size_t kStartTimeAt = 0;
constexpr std::size_t kProductAt = 8;
constexpr std::size_t kDescriptionAt = 39;
constexpr std::size_t kDurationAt = 92;
constexpr std::size_t kCostAt = 96;
constexpr std::size_t kFileTagAt = 104;

// The file's numbers are little-endian whatever the machine's order.
template <typename T> void putLittleEndian(LogRecordBytes& bytes, std::size_t at, T value) {
    qToLittleEndian(value, bytes.data() + at);
}

template <typename T> T getLittleEndian(const LogRecordBytes& bytes, std::size_t at) {
    return qFromLittleEndian<T>(bytes.data() + at);
}

void putShortString(LogRecordBytes& bytes, std::size_t at, QByteArrayView text,
                    qsizetype capacity) {
    const qsizetype length = std::min(text.size(), capacity);
    bytes[at] = static_cast<unsigned char>(length);
    if (length > 0)
        std::memcpy(bytes.data() + at + 1, text.constData(), static_cast<std::size_t>(length));
}

QByteArrayView shortStringAt(const LogRecordBytes& bytes, std::size_t at, qsizetype capacity) {
    const qsizetype length = std::min<qsizetype>(bytes[at], capacity);
    return QByteArrayView(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
}

QByteArray getShortString(const LogRecordBytes& bytes, std::size_t at, qsizetype capacity) {
    return shortStringAt(bytes, at, capacity).toByteArray();
}

} // namespace

LogRecordBytes encodeLogRecord(const LogFileRecord& record) {
    LogRecordBytes bytes;
    encodeLogRecord(record, {record.product, record.description, record.fileTag}, bytes);
    return bytes;
}

void encodeLogRecord(const LogFileRecord& numbers, const LogRecordTexts& texts,
                     LogRecordBytes& bytes) {
    bytes.fill(0);
    putLittleEndian(bytes, kStartTimeAt, std::bit_cast<std::uint64_t>(numbers.startTime));
    putShortString(bytes, kProductAt, texts.product, kProductCapacity);
    putShortString(bytes, kDescriptionAt, texts.description, kDescriptionCapacity);
    putLittleEndian(bytes, kDurationAt, static_cast<std::uint32_t>(numbers.duration));
    putLittleEndian(bytes, kCostAt, static_cast<std::uint64_t>(numbers.cost));
    putShortString(bytes, kFileTagAt, texts.fileTag, kFileTagCapacity);
}

LogFileRecord decodeLogRecord(const LogRecordBytes& bytes) {
    LogFileRecord record = decodeSessionNumbers(bytes);
    record.product = getShortString(bytes, kProductAt, kProductCapacity);
    record.description = sessionDescriptionBytes(bytes).toByteArray();
    record.fileTag = getShortString(bytes, kFileTagAt, kFileTagCapacity);
    return record;
}

LogFileRecord decodeSessionNumbers(const LogRecordBytes& bytes) {
    LogFileRecord record;
    record.startTime = std::bit_cast<double>(getLittleEndian<std::uint64_t>(bytes, kStartTimeAt));
    record.duration = static_cast<std::int32_t>(getLittleEndian<std::uint32_t>(bytes, kDurationAt));
    record.cost = static_cast<std::int64_t>(getLittleEndian<std::uint64_t>(bytes, kCostAt));
    return record;
}

QByteArrayView sessionDescriptionBytes(const LogRecordBytes& bytes) {
    return shortStringAt(bytes, kDescriptionAt, kDescriptionCapacity);
}

} // namespace dvx
