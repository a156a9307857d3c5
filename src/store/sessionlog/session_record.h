#pragma once

#include <QString>
#include <cstdint>

namespace dvx {

// One finished session as it is stored: its seconds, and the texts that the user's locale gave
// its start, stop and charge when it was recorded.
struct SessionRecord {
    std::int32_t callTime = 0;
    QString sessionStart;
    QString sessionStop;
    QString callCharges;
    QString connectionName;
    QString number;
    QString description;

    bool operator==(const SessionRecord&) const = default;
};

} // namespace dvx
