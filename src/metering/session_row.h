#pragma once

#include <QList>
#include <QString>

namespace dvx {

// One row of the session list as it is shown: the texts of the Date, Description, Duration and
// Cost columns. The list is where the session log store, the log file and the report meet.
struct SessionRow {
    QString date;
    QString description;
    QString duration;
    QString cost;

    bool operator==(const SessionRow&) const = default;
};

using SessionRows = QList<SessionRow>;

} // namespace dvx
