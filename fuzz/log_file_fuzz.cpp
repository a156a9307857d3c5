// Feeds arbitrary bytes to the log file loader: whatever a file holds, loading it ends with
// one of its outcomes, never a crash, a hang or memory beyond what the file's records need,
// and every row it shows can be saved again.
#include "store/logfile/log_file.h"
#include "store/logfile/log_session_record.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace dvx;

namespace {

// Stops the run like a crash when the loader breaks its promises.
void require(bool promise) {
    if (!promise)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RegionalSettings regional = RegionalSettings::british();
    LogRecordMemoryReader source({data, size});
    const LogLoadResult result = ReadLogRecords(source, regional);
    const auto wholeRecords = static_cast<qsizetype>(size / kLogRecordSize);
    switch (result.outcome) {
    case LogLoadResult::Outcome::loaded:
        require(size % kLogRecordSize == 0 && result.rows.size() == wholeRecords - 1);
        require(!result.totalCallTimeText.isEmpty() && !result.totalCostText.isEmpty());
        break;
    case LogLoadResult::Outcome::refused:
        require(result.rows.isEmpty() && !result.message.isEmpty());
        break;
    case LogLoadResult::Outcome::failed:
        require(result.rows.size() <= std::max<qsizetype>(wholeRecords - 1, 0));
        require(!result.message.isEmpty());
        break;
    case LogLoadResult::Outcome::noFile:
        require(false);
    }
    // Whatever was loaded can be saved again.
    Windows1252 codePage;
    LogRecordBytes record;
    for (const ListedSession& session : result.rows) {
        require(SessionRowTexts(session, regional).description.size() <= kDescriptionCapacity);
        try {
            encodeSessionRecord(sessionRecordOf(session, regional), codePage, record);
        } catch (const Error&) {
            require(false);
        }
    }
    return 0;
}
