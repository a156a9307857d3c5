#include "metering/regional_settings.h"

#include <climits>
#include <clocale>
#include <langinfo.h>

namespace dvx {

namespace {

QString localText(const char* text) {
    return text ? QString::fromLocal8Bit(text) : QString();
}

// Expands the composite directives into the plain ones the formatter knows, and makes every
// year four digits long so that a date read back is never a century off.
QString plainPattern(QString pattern, const QString& ampmTimePattern) {
    pattern.replace(QLatin1String("%D"), QLatin1String("%m/%d/%Y"));
    pattern.replace(QLatin1String("%F"), QLatin1String("%Y-%m-%d"));
    pattern.replace(QLatin1String("%T"), QLatin1String("%H:%M:%S"));
    pattern.replace(QLatin1String("%R"), QLatin1String("%H:%M"));
    pattern.replace(QLatin1String("%r"), ampmTimePattern);
    pattern.replace(QLatin1String("%y"), QLatin1String("%Y"));
    return pattern;
}

} // namespace

RegionalSettings RegionalSettings::fromProcessLocale() {
    RegionalSettings settings;
    const lconv* conv = std::localeconv();
    settings.currencySymbol = localText(conv->currency_symbol);
    if (conv->p_cs_precedes != CHAR_MAX)
        settings.symbolPrecedes = conv->p_cs_precedes != 0;
    if (conv->p_sep_by_space != CHAR_MAX)
        settings.symbolSeparatedBySpace = conv->p_sep_by_space != 0;
    if (conv->n_sign_posn != CHAR_MAX)
        settings.negativeSignPosition = conv->n_sign_posn;
    settings.thousandSeparator = localText(conv->mon_thousands_sep);
    QString decimal = localText(conv->mon_decimal_point);
    if (decimal.isEmpty())
        decimal = localText(conv->decimal_point);
    if (!decimal.isEmpty())
        settings.decimalSeparator = decimal;

    QString ampm = plainPattern(localText(nl_langinfo(T_FMT_AMPM)), QStringLiteral("%I:%M:%S %p"));
    if (ampm.isEmpty())
        ampm = QStringLiteral("%I:%M:%S %p");
    const QString date = plainPattern(localText(nl_langinfo(D_FMT)), ampm);
    const QString time = plainPattern(localText(nl_langinfo(T_FMT)), ampm);
    if (!date.isEmpty())
        settings.shortDateFormat = date;
    if (!time.isEmpty())
        settings.longTimeFormat = time;
    const QString am = localText(nl_langinfo(AM_STR));
    const QString pm = localText(nl_langinfo(PM_STR));
    if (!am.isEmpty() && !pm.isEmpty()) {
        settings.amText = am;
        settings.pmText = pm;
    }
    return settings;
}

RegionalSettings RegionalSettings::british() {
    RegionalSettings settings;
    settings.currencySymbol = QStringLiteral("£");
    settings.thousandSeparator = QStringLiteral(",");
    return settings;
}

} // namespace dvx
