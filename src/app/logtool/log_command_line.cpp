#include "app/logtool/log_command_line.h"

#include "metering/periods/billing_period.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace dvx {

const char* const kLogToolHelp =
    R"(Usage: dorvantix-log [--hive FILE] sessions [--from YYYY-MM-DD] [--to YYYY-MM-DD]
                     [--format text|csv|json]
       dorvantix-log [--hive FILE] periods [--start-day N] [--format text|csv|json]

Prints the Dorvantix session log, or its billing periods, for scripts and spreadsheets. It
only reads the hive, never changes it, and may run while Dorvantix runs.

Commands:
  sessions            Every recorded session, oldest first.
  periods             The billing periods from the first session's to the running one, oldest
                      first, with the calls, seconds and cost of each, and for the running
                      period what it will come to at its end if calls go on as so far.

Options:
  --from YYYY-MM-DD   Only sessions that started on that day or later.
  --to YYYY-MM-DD     Only sessions that started on that day or earlier.
  --start-day N       Periods start at 00:00 on day N (1 to 28) of each month; without it, on
                      the day Dorvantix is set to (PeriodStartDay, the 1st unless changed).
  --format FORMAT     text: a table in your locale (the default); csv: RFC 4180 CSV in UTF-8
                      with a header row; json: an array of objects.
  --hive FILE         Uses FILE as the hive. Without it the hive is the file named by the
                      environment variable DORVANTIX_HIVE, else
                      $XDG_DATA_HOME/dorvantix/hive.db (~/.local/share/dorvantix/hive.db).
  --help              Shows this text.

CSV and JSON hold, for sessions: start,stop,seconds,cost,connection,description
and for periods: start,end,calls,seconds,cost,estimated_seconds,estimated_cost
Times are local ISO 8601 (2026-12-11T04:27:33), a period's start and end are days
(YYYY-MM-DD, the end being the first day of the next period), costs are decimals with a point
and two decimals whatever the locale, and the estimates are empty (null in JSON) for every
period but the running one.

A stored session that cannot be read (a value missing, or a text that is not a date or an
amount in your locale) is named on standard error with its key and the reason, and left out.

Exit status: 0 when every session was read, 1 when some were left out, 2 for a wrong
command line or a hive that cannot be used.
)";

namespace {

std::optional<QDate> IsoDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

} // namespace

std::variant<LogRequest, QString> ParseLogCommandLine(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows the help."));
    const QCommandLineOption hive(QStringLiteral("hive"), QStringLiteral("The hive file."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("First day."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("Last day."),
                                QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("Output form."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption startDay(QStringLiteral("start-day"),
                                      QStringLiteral("The periods' start day."),
                                      QStringLiteral("N"));
    parser.addOptions({help, hive, from, to, format, startDay});
    if (!parser.parse(QStringList{QStringLiteral("dorvantix-log")} + args))
        return parser.errorText();
    LogRequest request;
    if (parser.isSet(help)) {
        request.help = true;
        return request;
    }
    for (const QCommandLineOption* option : {&hive, &from, &to, &format, &startDay}) {
        if (parser.values(*option).size() > 1)
            return QStringLiteral("--%1 is given more than once").arg(option->names().first());
    }
    if (parser.isSet(hive)) {
        request.hive = parser.value(hive);
        if (request.hive.isEmpty())
            return QStringLiteral("--hive needs a file name");
    }
    const QStringList command = parser.positionalArguments();
    if (command.isEmpty())
        return QStringLiteral("no command given");
    if (command.size() > 1 ||
        (command[0] != QLatin1String("sessions") && command[0] != QLatin1String("periods")))
        return QStringLiteral("cannot understand \"%1\"").arg(command.join(QLatin1Char(' ')));
    request.what = command[0] == QLatin1String("sessions") ? LogRequest::What::sessions
                                                           : LogRequest::What::periods;
    if (parser.isSet(format)) {
        const std::optional<ExportFormat> named = ExportFormatNamed(parser.value(format));
        if (!named)
            return QStringLiteral("unknown format \"%1\" (text, csv or json)")
                .arg(parser.value(format));
        request.format = *named;
    }
    const bool sessions = request.what == LogRequest::What::sessions;
    for (const QCommandLineOption* option : {&from, &to}) {
        if (!parser.isSet(*option))
            continue;
        const QString name = option->names().first();
        if (!sessions)
            return QStringLiteral("--%1 belongs to the sessions command").arg(name);
        const std::optional<QDate> day = IsoDay(parser.value(*option));
        if (!day)
            return QStringLiteral("--%1 \"%2\" is not a day of the form YYYY-MM-DD")
                .arg(name, parser.value(*option));
        (option == &from ? request.from : request.to) = day;
    }
    if (request.from && request.to && *request.from > *request.to)
        return QStringLiteral("--from comes after --to");
    if (parser.isSet(startDay)) {
        if (sessions)
            return QStringLiteral("--start-day belongs to the periods command");
        bool number = false;
        const int day = parser.value(startDay).toInt(&number);
        if (!number || !IsPeriodStartDay(day))
            return QStringLiteral("--start-day \"%1\" is not a day from %2 to %3")
                .arg(parser.value(startDay))
                .arg(kFirstPeriodStartDay)
                .arg(kLastPeriodStartDay);
        request.startDay = day;
    }
    return request;
}

} // namespace dvx
