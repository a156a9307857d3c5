#include "store/logfile/log_file_header.h"

namespace dvx {

namespace {

const QByteArray kProduct = QByteArrayLiteral("Dorvantix");
const QByteArray kVersion = QByteArrayLiteral("v1.05");
const QByteArray kFileTag = QByteArrayLiteral("Dorvantix log file");
constexpr std::int32_t kMarker = 1968;

} // namespace

LogFileRecord logFileHeader(DateTime savedAt) {
    LogFileRecord header;
    header.startTime = savedAt;
    header.product = kProduct;
    header.description = kVersion;
    header.duration = kMarker;
    header.cost = 0;
    header.fileTag = kFileTag;
    return header;
}

std::optional<QString> headerRefusal(const LogFileRecord& first, const Windows1252& codePage) {
    if (first.product != kProduct || first.fileTag != kFileTag || first.duration != kMarker)
        return QStringLiteral("This is not a valid Dorvantix log file!");
    if (first.description != kVersion) {
        return QStringLiteral("This log file was created with version ") +
               codePage.decode(first.description) + QStringLiteral(" of Dorvantix");
    }
    return std::nullopt;
}

} // namespace dvx
