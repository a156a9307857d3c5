#include "metering/listed_session.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"

namespace dvx {

namespace {

struct TextsOf {
    const RegionalSettings& rs;

    SessionRow operator()(const SessionRow& texts) const { return texts; }

    SessionRow operator()(const StoredSession& stored) const {
        return {stored.start, stored.description,
                stored.seconds ? DurationText(*stored.seconds) : QString(), stored.cost};
    }

    SessionRow operator()(const LoggedSession& logged) const {
        return {DateTimeText(logged.start, rs), logged.description, DurationText(logged.seconds),
                MoneyText(logged.cost, rs)};
    }
};

} // namespace

SessionRow SessionRowTexts(const ListedSession& session, const RegionalSettings& rs) {
    return std::visit(TextsOf{rs}, session);
}

} // namespace dvx
