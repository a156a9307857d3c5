#include "store/history/history_export.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "store/history/csv_writer.h"
#include "store/history/json_writer.h"
#include "store/history/plain_forms.h"
#include "store/history/text_table.h"

#include <cstdint>
#include <cstdlib>

namespace dvx {

namespace {

const QStringList kSessionKeys = {QStringLiteral("start"),      QStringLiteral("stop"),
                                  QStringLiteral("seconds"),    QStringLiteral("cost"),
                                  QStringLiteral("connection"), QStringLiteral("description")};
const QStringList kPeriodKeys = {
    QStringLiteral("start"),         QStringLiteral("end"),  QStringLiteral("calls"),
    QStringLiteral("seconds"),       QStringLiteral("cost"), QStringLiteral("estimated_seconds"),
    QStringLiteral("estimated_cost")};

QString SessionsCsv(const QList<HistorySession>& sessions) {
    CsvWriter csv;
    csv.row(kSessionKeys);
    for (const HistorySession& s : sessions)
        csv.row({IsoDateTimeText(s.start), IsoDateTimeText(s.stop), QString::number(s.seconds),
                 PlainAmountText(s.cost), s.connection, s.description});
    return csv.take();
}

QString SessionsJson(const QList<HistorySession>& sessions) {
    JsonArrayWriter json;
    for (const HistorySession& s : sessions) {
        json.beginObject();
        json.text("start", IsoDateTimeText(s.start));
        json.text("stop", IsoDateTimeText(s.stop));
        json.number("seconds", s.seconds);
        json.number("cost", PlainAmountText(s.cost));
        json.text("connection", s.connection);
        json.text("description", s.description);
        json.endObject();
    }
    return json.take();
}

QString SessionsTable(const QList<HistorySession>& sessions, const RegionalSettings& regional) {
    using Align = TextTable::Align;
    TextTable table({{QStringLiteral("Start")},
                     {QStringLiteral("Stop")},
                     {QStringLiteral("Duration"), Align::right},
                     {QStringLiteral("Cost"), Align::right},
                     {QStringLiteral("Connection")},
                     {QStringLiteral("Description")}});
    for (const HistorySession& s : sessions)
        table.row({DateTimeText(s.start, regional), DateTimeText(s.stop, regional),
                   DurationText(s.seconds), MoneyText(s.cost, regional), s.connection,
                   s.description});
    return table.text();
}

QString PeriodsCsv(const QList<BillingPeriod>& periods) {
    CsvWriter csv;
    csv.row(kPeriodKeys);
    for (const BillingPeriod& p : periods)
        csv.row({IsoDateText(p.start), IsoDateText(p.end), QString::number(p.calls),
                 QString::number(p.seconds), PlainAmountText(p.cost),
                 p.estimate ? QString::number(p.estimate->seconds) : QString(),
                 p.estimate ? PlainAmountText(p.estimate->cost) : QString()});
    return csv.take();
}

QString PeriodsJson(const QList<BillingPeriod>& periods) {
    JsonArrayWriter json;
    for (const BillingPeriod& p : periods) {
        json.beginObject();
        json.text("start", IsoDateText(p.start));
        json.text("end", IsoDateText(p.end));
        json.number("calls", p.calls);
        json.number("seconds", p.seconds);
        json.number("cost", PlainAmountText(p.cost));
        if (p.estimate) {
            json.number("estimated_seconds", p.estimate->seconds);
            json.number("estimated_cost", PlainAmountText(p.estimate->cost));
        } else {
            json.null("estimated_seconds");
            json.null("estimated_cost");
        }
        json.endObject();
    }
    return json.take();
}

QString PeriodsTable(const QList<BillingPeriod>& periods, const RegionalSettings& regional) {
    using Align = TextTable::Align;
    TextTable table({{QStringLiteral("Period")},
                     {QStringLiteral("Calls"), Align::right},
                     {QStringLiteral("Time"), Align::right},
                     {QStringLiteral("Cost"), Align::right},
                     {QStringLiteral("Estimated time"), Align::right},
                     {QStringLiteral("Estimated cost"), Align::right}});
    for (const BillingPeriod& p : periods)
        table.row({PeriodNameText(p, regional), QString::number(p.calls),
                   PeriodDurationText(p.seconds), MoneyText(p.cost, regional),
                   p.estimate ? PeriodDurationText(p.estimate->seconds) : QString(),
                   p.estimate ? MoneyText(p.estimate->cost, regional) : QString()});
    return table.text();
}

} // namespace

std::optional<ExportFormat> ExportFormatNamed(QStringView name) {
    if (name == QLatin1String("text"))
        return ExportFormat::text;
    if (name == QLatin1String("csv"))
        return ExportFormat::csv;
    if (name == QLatin1String("json"))
        return ExportFormat::json;
    return std::nullopt;
}

QString SessionsText(const QList<HistorySession>& sessions, ExportFormat format,
                     const RegionalSettings& regional) {
    switch (format) {
    case ExportFormat::csv:
        return SessionsCsv(sessions);
    case ExportFormat::json:
        return SessionsJson(sessions);
    case ExportFormat::text:
        break;
    }
    return SessionsTable(sessions, regional);
}

QString PeriodsText(const QList<BillingPeriod>& periods, ExportFormat format,
                    const RegionalSettings& regional) {
    switch (format) {
    case ExportFormat::csv:
        return PeriodsCsv(periods);
    case ExportFormat::json:
        return PeriodsJson(periods);
    case ExportFormat::text:
        break;
    }
    return PeriodsTable(periods, regional);
}

QString PeriodDurationText(std::int64_t seconds) {
    // Periods may hold more seconds than a 32-bit duration: those are written the same way.
    if (seconds >= INT32_MIN && seconds <= INT32_MAX)
        return DurationText(static_cast<std::int32_t>(seconds));
    return QStringLiteral("%1min, %2sec")
        .arg(seconds / 60)
        .arg(std::abs(seconds % 60), 2, 10, QLatin1Char('0'));
}

QString ShortDateText(QDate day, const RegionalSettings& regional) {
    return DateTimeText(encodeDate(day), regional);
}

QString PeriodNameText(const BillingPeriod& period, const RegionalSettings& regional) {
    return ShortDateText(period.start, regional) + QStringLiteral(" - ") +
           ShortDateText(period.end.addDays(-1), regional);
}

} // namespace dvx
