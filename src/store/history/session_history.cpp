#include "store/history/session_history.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "store/sessionlog/record_names.h"
#include "store/settings/store_keys.h"

#include <variant>

namespace dvx {

namespace {

// The record's values that the history reads, as stored; null where a value is missing.
struct StoredValues {
    const RegValue* callTime = nullptr;
    const RegValue* start = nullptr;
    const RegValue* stop = nullptr;
    const RegValue* charges = nullptr;
    const RegValue* connection = nullptr;
    const RegValue* description = nullptr;
};

StoredValues Pick(const QList<NamedRegValue>& values) {
    StoredValues picked;
    const std::pair<QLatin1String, const RegValue * StoredValues::*> names[] = {
        {QLatin1String("CallTime"), &StoredValues::callTime},
        {QLatin1String("SessionStart"), &StoredValues::start},
        {QLatin1String("SessionStop"), &StoredValues::stop},
        {QLatin1String("CallCharges"), &StoredValues::charges},
        {QLatin1String("ConnectionName"), &StoredValues::connection},
        {QLatin1String("Description"), &StoredValues::description}};
    for (const NamedRegValue& value : values) {
        // Names are compared as the hive compares them, without regard to case.
        for (const auto& [name, field] : names) {
            if (value.name.size() == name.size() &&
                value.name.compare(name, Qt::CaseInsensitive) == 0) {
                picked.*field = &value.value;
                break;
            }
        }
    }
    return picked;
}

// A text value's text, or why it cannot serve.
const QString* TextOf(const RegValue* value, const char* name, QString& reason) {
    if (value == nullptr) {
        reason = QStringLiteral("%1 is missing").arg(QLatin1String(name));
        return nullptr;
    }
    if (value->type != RegValue::Type::string) {
        reason = QStringLiteral("%1 is not a string").arg(QLatin1String(name));
        return nullptr;
    }
    return &value->text;
}

std::optional<DateTime> MomentOf(const RegValue* value, const char* name,
                                 const RegionalSettings& regional, QString& reason) {
    const QString* text = TextOf(value, name, reason);
    if (text == nullptr)
        return std::nullopt;
    std::optional<DateTime> moment = ReadDateTimeText(*text, regional);
    if (!moment)
        reason =
            QStringLiteral("%1: '%2' is not a valid date and time").arg(QLatin1String(name), *text);
    return moment;
}

// Reads the record, or gives the reason it cannot be read.
std::variant<HistorySession, QString> ReadRecord(const SubKeyValues& record,
                                                 const RegionalSettings& regional) {
    const StoredValues stored = Pick(record.values);
    QString reason;
    HistorySession session;
    session.record = record.name;
    if (stored.callTime == nullptr)
        return QStringLiteral("CallTime is missing");
    if (!stored.callTime->isDword())
        return QStringLiteral("CallTime is not a DWORD");
    session.seconds = stored.callTime->dword;
    const std::optional<DateTime> start = MomentOf(stored.start, "SessionStart", regional, reason);
    if (!start)
        return reason;
    const std::optional<DateTime> stop = MomentOf(stored.stop, "SessionStop", regional, reason);
    if (!stop)
        return reason;
    session.start = *start;
    session.stop = *stop;
    const QString* charges = TextOf(stored.charges, "CallCharges", reason);
    if (charges == nullptr)
        return reason;
    // As the session list reads a charge: a text without digits is nothing spent.
    QString digits = DigitsAndDecimalSeparator(*charges, regional);
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    const std::optional<std::int64_t> cost = ReadTenThousandths(digits, regional);
    if (!cost)
        return QStringLiteral("CallCharges: '%1' is not a valid floating point value")
            .arg(*charges);
    session.cost = Currency::fromRaw(*cost);
    if (stored.connection != nullptr && stored.connection->type == RegValue::Type::string)
        session.connection = stored.connection->text;
    if (stored.description != nullptr && stored.description->type == RegValue::Type::string)
        session.description = stored.description->text;
    return session;
}

} // namespace

QList<PeriodSession> SessionHistory::forPeriods() const {
    QList<PeriodSession> periodSessions;
    periodSessions.reserve(sessions.size());
    for (const HistorySession& session : sessions)
        periodSessions.append(session.forPeriods());
    return periodSessions;
}

std::optional<SessionHistory> ReadSessionHistory(Hive& hive, const RegionalSettings& regional) {
    // Each record is read as it comes, in the order of the names as text, and put in the order
    // the records were made afterwards.
    QList<std::variant<HistorySession, UnreadRecord>> read;
    QStringList names;
    const bool readable = hive.visitSubKeyValues(kSessionsKey, [&](const SubKeyValues& record) {
        names.append(record.name);
        auto session = ReadRecord(record, regional);
        if (auto* whole = std::get_if<HistorySession>(&session))
            read.append(std::move(*whole));
        else
            read.append(UnreadRecord{kSessionsKey + QLatin1Char('\\') + record.name,
                                     std::get<QString>(session)});
    });
    if (!readable) {
        // A log that never held a session has no Sessions key yet.
        RegValue probe;
        if (hive.readValue(kSessionsKey, QStringLiteral("CallTime"), probe) == Hive::Lookup::noKey)
            return SessionHistory{};
        return std::nullopt;
    }
    SessionHistory history;
    history.sessions.reserve(read.size());
    for (const qsizetype at : RecordOrder(names)) {
        if (auto* session = std::get_if<HistorySession>(&read[at]))
            history.sessions.append(std::move(*session));
        else
            history.unread.append(std::move(std::get<UnreadRecord>(read[at])));
    }
    return history;
}

} // namespace dvx
