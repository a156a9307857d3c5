#include "metering/calendar_names.h"

namespace dvx {

CalendarNames CalendarNames::english() {
    CalendarNames names;
    names.months = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    for (std::size_t month = 0; month < names.months.size(); ++month)
        names.abbreviatedMonths[month] = names.months[month].left(3);
    names.standaloneMonths = names.months;
    names.abbreviatedStandaloneMonths = names.abbreviatedMonths;
    names.weekdays = {QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                      QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                      QStringLiteral("Thursday"), QStringLiteral("Friday"),
                      QStringLiteral("Saturday")};
    for (std::size_t day = 0; day < names.weekdays.size(); ++day)
        names.abbreviatedWeekdays[day] = names.weekdays[day].left(3);
    return names;
}

} // namespace dvx
