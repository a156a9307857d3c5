#pragma once

#include "metering/periods/billing_period.h"
#include "metering/regional_settings.h"
#include "store/history/history_session.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace dvx {

// How sessions and periods are written: a table for people in their locale, CSV for
// spreadsheets (UTF-8, a header row, CR LF), or a JSON array of objects for scripts. CSV and
// JSON use the same keys and locale-free forms (plain_forms.h):
//   sessions: start, stop, seconds, cost, connection, description
//   periods:  start, end, calls, seconds, cost, estimated_seconds, estimated_cost
// (a period's end is its first day not in it; the estimates are empty, or null, for every
// period but the running one).
enum class ExportFormat { text, csv, json };

std::optional<ExportFormat> ExportFormatNamed(QStringView name);

QString SessionsText(const QList<HistorySession>& sessions, ExportFormat format,
                     const RegionalSettings& regional);
QString PeriodsText(const QList<BillingPeriod>& periods, ExportFormat format,
                    const RegionalSettings& regional);

// The texts people read a period by, in their locale: its first and last day.
QString PeriodNameText(const BillingPeriod& period, const RegionalSettings& regional);
// A period's seconds as the program writes durations ("12min, 05sec"), beyond 32 bits too.
QString PeriodDurationText(std::int64_t seconds);
// A day in the regional short date form.
QString ShortDateText(QDate day, const RegionalSettings& regional);

} // namespace dvx
