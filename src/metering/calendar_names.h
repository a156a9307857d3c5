#pragma once

#include <QString>
#include <array>

namespace dvx {

// The names of months and weekdays that regional dates are written with. Months run from
// January, weekdays from Sunday. The stand-alone forms are those some languages use for a month
// named without a day (a nominative beside the genitive of "10 December"); dates are written
// with the plain forms and read back with either.
struct CalendarNames {
    std::array<QString, 12> months;
    std::array<QString, 12> abbreviatedMonths;
    std::array<QString, 12> standaloneMonths;
    std::array<QString, 12> abbreviatedStandaloneMonths;
    std::array<QString, 7> weekdays;
    std::array<QString, 7> abbreviatedWeekdays;

    // The English names, as the C locale has them.
    static CalendarNames english();
};

} // namespace dvx
