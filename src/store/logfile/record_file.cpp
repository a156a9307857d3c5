#include "store/logfile/record_file.h"

#include "metering/conversion_error.h"
#include "store/logfile/system_error_text.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace dvx {

namespace {

// Whole records per buffer: about 64 KiB.
constexpr std::size_t kBufferRecords = 315;
constexpr std::size_t kBufferSize = kLogRecordSize * kBufferRecords;

static_assert(sizeof(LogRecordBytes) == kLogRecordSize, "records lie next to each other");

[[noreturn]] void throwSystemError() {
    throw SystemError(errno);
}

} // namespace

Error readBeyondEndOfFile() {
    return Error(QStringLiteral("Read beyond end of file"));
}

LogRecordFileReader::LogRecordFileReader(int descriptor)
    : descriptor_(descriptor),
      records_(std::make_unique_for_overwrite<LogRecordBytes[]>(kBufferRecords)) {}

LogRecordFileReader::~LogRecordFileReader() {
    ::close(descriptor_);
}

void LogRecordFileReader::fill() {
    if (end_ - begin_ >= kLogRecordSize)
        return;
    auto* bytes = reinterpret_cast<unsigned char*>(records_.get());
    std::copy(bytes + begin_, bytes + end_, bytes);
    end_ -= begin_;
    begin_ = 0;
    while (end_ < kLogRecordSize) {
        const ssize_t got = ::read(descriptor_, bytes + end_, kBufferSize - end_);
        if (got == 0)
            return;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError();
        }
        end_ += static_cast<std::size_t>(got);
    }
}

const LogRecordBytes* LogRecordFileReader::next() {
    fill();
    if (begin_ == end_)
        return nullptr;
    if (end_ - begin_ < kLogRecordSize)
        throw readBeyondEndOfFile();
    // Records are taken whole from the first byte, so each begins at a record's place.
    const LogRecordBytes* record = &records_[begin_ / kLogRecordSize];
    begin_ += kLogRecordSize;
    return record;
}

const LogRecordBytes* LogRecordMemoryReader::next() {
    if (bytes_.empty())
        return nullptr;
    if (bytes_.size() < kLogRecordSize)
        throw readBeyondEndOfFile();
    std::copy_n(bytes_.begin(), kLogRecordSize, record_.begin());
    bytes_ = bytes_.subspan(kLogRecordSize);
    return &record_;
}

LogRecordFileWriter::LogRecordFileWriter(const QString& fileName)
    : descriptor_(::open(QFile::encodeName(fileName).constData(),
                         O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (descriptor_ < 0)
        throwSystemError();
    buffer_ = std::make_unique_for_overwrite<LogRecordBytes[]>(kBufferRecords);
}

LogRecordFileWriter::~LogRecordFileWriter() {
    if (descriptor_ < 0)
        return;
    try {
        flush();
    } catch (const Error&) {
        // The failure that ended the writing is the one reported.
    }
    ::close(descriptor_);
}

void LogRecordFileWriter::write(const LogRecordBytes& record) {
    next() = record;
}

LogRecordBytes& LogRecordFileWriter::next() {
    if (buffered_ == kBufferRecords)
        flush();
    return buffer_[buffered_++];
}

void LogRecordFileWriter::flush() {
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.get());
    const std::size_t size = buffered_ * kLogRecordSize;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(descriptor_, bytes + done, size - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            buffered_ = 0;
            throwSystemError();
        }
        done += static_cast<std::size_t>(put);
    }
    buffered_ = 0;
}

void LogRecordFileWriter::close() {
    flush();
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::close(descriptor) != 0)
        throwSystemError();
}

} // namespace dvx
