#include "metering/listed_session.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"

#include <algorithm>

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
        return {DateTimeText(logged.start, rs), logged.description.text(),
                DurationText(logged.seconds), MoneyText(logged.cost, rs)};
    }
};

} // namespace

ShortText::ShortText(QStringView text) {
    const QStringView kept = text.first(std::min(text.size(), kCapacity));
    std::copy(kept.utf16(), kept.utf16() + kept.size(), resize(kept.size()));
}

char16_t* ShortText::resize(qsizetype length) {
    length_ = static_cast<std::uint8_t>(std::clamp<qsizetype>(length, 0, kCapacity));
    return characters_.data();
}

SessionRow SessionRowTexts(const ListedSession& session, const RegionalSettings& rs) {
    return std::visit(TextsOf{rs}, session);
}

} // namespace dvx
