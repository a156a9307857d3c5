#pragma once

#include "metering/date_time.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstddef>
#include <cstdint>

namespace dvx {

// One record of a log file as it lies on disk: 208 bytes, numbers little-endian, the texts as
// short strings (a length byte, then that many code-page bytes) of a fixed capacity.
//
//   offset  size  field
//        0     8  StartTime    IEEE-754 double, days since 1899-12-30
//        8    31  Product      short string, capacity 30
//       39    51  Description  short string, capacity 50
//       90     2  (padding)
//       92     4  Duration     signed 32-bit, seconds
//       96     8  Cost         signed 64-bit, ten-thousandths of the currency unit
//      104   104  FileTag      short string, capacity 103
//
// The writer puts zeros into every byte that carries no text or number, so the same record
// always gives the same bytes.
inline constexpr std::size_t kLogRecordSize = 208;
inline constexpr qsizetype kProductCapacity = 30;
inline constexpr qsizetype kDescriptionCapacity = 50;
inline constexpr qsizetype kFileTagCapacity = 103;

using LogRecordBytes = std::array<unsigned char, kLogRecordSize>;

struct LogFileRecord {
    DateTime startTime = 0;
    QByteArray product;     // code-page bytes
    QByteArray description; // code-page bytes
    std::int32_t duration = 0;
    std::int64_t cost = 0; // ten-thousandths
    QByteArray fileTag;    // code-page bytes
};

// A record's texts as code-page bytes, wherever they are kept.
struct LogRecordTexts {
    QByteArrayView product;
    QByteArrayView description;
    QByteArrayView fileTag;
};

// The bytes of a record; a text longer than its field's capacity is cut to the capacity.
LogRecordBytes encodeLogRecord(const LogFileRecord& record);
// The same, with the numbers of `numbers` and the texts of `texts` (those of `numbers` unused),
// written into every byte of `bytes`.
void encodeLogRecord(const LogFileRecord& numbers, const LogRecordTexts& texts,
                     LogRecordBytes& bytes);
// The fields of a record's bytes. A length byte beyond its field's capacity is read as the
// capacity, so no text reaches into the next field.
LogFileRecord decodeLogRecord(const LogRecordBytes& bytes);
// The fields a reader takes from a session record, read as decodeLogRecord reads them: the
// start, duration and cost, with the texts left empty; and the Description's bytes.
LogFileRecord decodeSessionNumbers(const LogRecordBytes& bytes);
QByteArrayView sessionDescriptionBytes(const LogRecordBytes& bytes);

} // namespace dvx
