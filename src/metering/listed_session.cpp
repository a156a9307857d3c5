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
        const std::optional<std::int32_t> seconds = stored.seconds();
        return {stored.start(), stored.description(), seconds ? DurationText(*seconds) : QString(),
                stored.cost()};
    }

    SessionRow operator()(const LoggedSession& logged) const {
        return {DateTimeText(logged.start, rs), logged.description.text(),
                DurationText(logged.seconds), MoneyText(logged.cost, rs)};
    }
};

} // namespace

CodePageText::CodePageText(QByteArrayView bytes, const CodePageCharacters& characters)
    : characters_(&characters),
      length_(static_cast<std::uint8_t>(std::min(bytes.size(), kCapacity))) {
    std::copy_n(bytes.data(), length_, bytes_.data());
}

QString CodePageText::text() const {
    QString text(length_, Qt::Uninitialized);
    std::transform(bytes_.data(), bytes_.data() + length_, text.data(),
                   [this](unsigned char byte) { return QChar((*characters_)[byte]); });
    return text;
}

SessionRow SessionRowTexts(const ListedSession& session, const RegionalSettings& rs) {
    return std::visit(TextsOf{rs}, session);
}

} // namespace dvx
