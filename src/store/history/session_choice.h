#pragma once

#include "store/history/history_session.h"

#include <QDate>
#include <QList>
#include <optional>

namespace dvx {

// The sessions that started from the day `first` up to and including the day `last` (either
// may be left open), in the order they started; sessions of the same moment keep the order of
// their records.
QList<HistorySession> SessionsStartedBetween(QList<HistorySession> sessions,
                                             std::optional<QDate> first, std::optional<QDate> last);

} // namespace dvx
