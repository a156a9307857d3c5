#include "store/history/session_choice.h"

#include <algorithm>

namespace dvx {

QList<HistorySession> SessionsStartedBetween(QList<HistorySession> sessions,
                                             std::optional<QDate> first,
                                             std::optional<QDate> last) {
    sessions.removeIf([&first, &last](const HistorySession& session) {
        const QDate day = dateOf(session.start);
        return (first && day < *first) || (last && day > *last);
    });
    std::stable_sort(
        sessions.begin(), sessions.end(),
        [](const HistorySession& a, const HistorySession& b) { return a.start < b.start; });
    return sessions;
}

} // namespace dvx
