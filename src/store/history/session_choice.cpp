#include "store/history/session_choice.h"

#include <algorithm>

namespace dvx {

QList<LoggedSession> SessionsStartedBetween(QList<LoggedSession> sessions,
                                            std::optional<QDate> first, std::optional<QDate> last) {
    sessions.removeIf([&first, &last](const LoggedSession& session) {
        const QDate day = dateOf(session.start);
        return (first && day < *first) || (last && day > *last);
    });
    std::stable_sort(
        sessions.begin(), sessions.end(),
        [](const LoggedSession& a, const LoggedSession& b) { return a.start < b.start; });
    return sessions;
}

} // namespace dvx
