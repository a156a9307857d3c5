#pragma once

#include "metering/conversion_error.h"
#include "store/logfile/log_file_record.h"

#include <QString>
#include <memory>
#include <span>

namespace dvx {

// Where the records of a log file are read from, one after the other.
class LogRecordSource {
public:
    virtual ~LogRecordSource() = default;
    // Reads the next record, which stays as it is until the source is used again. Null at the
    // end; fails with "Read beyond end of file" when fewer bytes than a whole record are left,
    // and with the system's error text when reading fails.
    virtual const LogRecordBytes* next() = 0;
};

// The records of a file, read through a buffer from a descriptor that it owns.
class LogRecordFileReader : public LogRecordSource {
public:
    explicit LogRecordFileReader(int descriptor);
    ~LogRecordFileReader() override;
    LogRecordFileReader(const LogRecordFileReader&) = delete;
    LogRecordFileReader& operator=(const LogRecordFileReader&) = delete;

    const LogRecordBytes* next() override;

private:
    // Reads until a whole record is buffered or the file ends.
    void fill();

    int descriptor_;
    // Whole records from the first, then the start of a record cut by the end of a read.
    std::unique_ptr<LogRecordBytes[]> records_;
    std::size_t begin_ = 0; // bytes
    std::size_t end_ = 0;
};

// The records of bytes in memory.
class LogRecordMemoryReader : public LogRecordSource {
public:
    explicit LogRecordMemoryReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    const LogRecordBytes* next() override;

private:
    std::span<const unsigned char> bytes_;
    LogRecordBytes record_;
};

// Writes records to a new file through a buffer. What was written before a failure, or before
// the writer is destroyed without close(), reaches the file as far as the system lets it.
class LogRecordFileWriter {
public:
    // Creates the file, truncating one of that name; fails with the system's error text.
    explicit LogRecordFileWriter(const QString& fileName);
    ~LogRecordFileWriter();
    LogRecordFileWriter(const LogRecordFileWriter&) = delete;
    LogRecordFileWriter& operator=(const LogRecordFileWriter&) = delete;

    // All three fail with the system's error text.
    void write(const LogRecordBytes& record);
    // The next record of the file, to be filled in place before the writer is used again.
    LogRecordBytes& next();
    void close();

private:
    void flush();

    int descriptor_;
    std::unique_ptr<LogRecordBytes[]> buffer_;
    std::size_t buffered_ = 0;
};

// The error of a record cut short by the end of the file.
Error readBeyondEndOfFile();

} // namespace dvx
