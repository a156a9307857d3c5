#pragma once

#include "store/logfile/log_file_record.h"
#include "store/logfile/windows1252.h"

#include <QString>
#include <optional>

namespace dvx {

// The first record of every log file: it names the product, the file kind and the format
// version, and holds the moment the file was saved.
LogFileRecord logFileHeader(DateTime savedAt);

// Why a first record is refused, as the message shown to the user: "This is not a valid
// Dorvantix log file!" when product, file tag or marker number differ, the version message when
// only the version does. Nothing for a header of this version.
std::optional<QString> headerRefusal(const LogFileRecord& first, const Windows1252& codePage);

} // namespace dvx
