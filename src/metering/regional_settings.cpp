#include "metering/regional_settings.h"

#include "metering/time_pattern.h"

#include <climits>
#include <clocale>
#include <langinfo.h>

namespace dvx {

namespace {

QString localText(const char* text) {
    return text ? QString::fromLocal8Bit(text) : QString();
}

QString langinfo(nl_item item) {
    return localText(nl_langinfo(item)).trimmed();
}

// The locale's names from `first` on; a name the locale lacks keeps the one given.
template <std::size_t N> void readNames(std::array<QString, N>& names, nl_item first) {
    for (std::size_t i = 0; i < N; ++i) {
        const QString name = langinfo(static_cast<nl_item>(first + static_cast<int>(i)));
        if (!name.isEmpty())
            names[i] = name;
    }
}

CalendarNames calendarNames() {
    CalendarNames names = CalendarNames::english();
    readNames(names.months, MON_1);
    readNames(names.abbreviatedMonths, ABMON_1);
    names.standaloneMonths = names.months;
    names.abbreviatedStandaloneMonths = names.abbreviatedMonths;
    readNames(names.standaloneMonths, ALTMON_1);
    readNames(names.abbreviatedStandaloneMonths, _NL_ABALTMON_1);
    readNames(names.weekdays, DAY_1);
    readNames(names.abbreviatedWeekdays, ABDAY_1);
    return names;
}

// Digit group sizes as the C library gives them: a size of CHAR_MAX groups no further.
QList<int> groupSizes(const char* grouping) {
    QList<int> sizes;
    for (const char* size = grouping; size && *size; ++size)
        sizes.append(*size == CHAR_MAX ? 0 : *size);
    return sizes;
}

void readMoney(RegionalSettings& settings) {
    const lconv* conv = std::localeconv();
    settings.currencySymbol = localText(conv->currency_symbol);
    if (conv->p_cs_precedes != CHAR_MAX)
        settings.symbolPrecedes = conv->p_cs_precedes != 0;
    if (conv->p_sep_by_space != CHAR_MAX)
        settings.symbolSeparatedBySpace = conv->p_sep_by_space != 0;
    settings.negativeSymbolPrecedes =
        conv->n_cs_precedes == CHAR_MAX ? settings.symbolPrecedes : conv->n_cs_precedes != 0;
    settings.negativeSeparation = conv->n_sep_by_space == CHAR_MAX
                                      ? (settings.symbolSeparatedBySpace ? 1 : 0)
                                      : conv->n_sep_by_space;
    if (conv->n_sign_posn != CHAR_MAX)
        settings.negativeSignPosition = conv->n_sign_posn;
    if (const QString sign = localText(conv->negative_sign); !sign.isEmpty())
        settings.negativeSign = sign;
    settings.thousandSeparator = localText(conv->mon_thousands_sep);
    settings.grouping = groupSizes(conv->mon_grouping);
    QString decimal = localText(conv->mon_decimal_point);
    if (decimal.isEmpty())
        decimal = localText(conv->decimal_point);
    if (!decimal.isEmpty())
        settings.decimalSeparator = decimal;
}

void readDatesAndTimes(RegionalSettings& settings) {
    settings.shortDateFormat = PlainDatePattern(localText(nl_langinfo(D_FMT)));
    settings.longTimeFormat =
        PlainTimePattern(localText(nl_langinfo(T_FMT)), localText(nl_langinfo(T_FMT_AMPM)));
    // Without two words that tell them apart, 12-hour times are written with AM and PM.
    const QString am = langinfo(AM_STR);
    const QString pm = langinfo(PM_STR);
    if (!am.isEmpty() && !pm.isEmpty() && am.compare(pm, Qt::CaseInsensitive) != 0) {
        settings.amText = am;
        settings.pmText = pm;
    }
    settings.names = calendarNames();
}

} // namespace

RegionalSettings RegionalSettings::fromProcessLocale() {
    RegionalSettings settings;
    readMoney(settings);
    readDatesAndTimes(settings);
    return settings;
}

RegionalSettings RegionalSettings::british() {
    RegionalSettings settings;
    settings.currencySymbol = QStringLiteral("£");
    settings.thousandSeparator = QStringLiteral(",");
    return settings;
}

} // namespace dvx
