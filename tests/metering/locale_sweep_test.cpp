// Every UTF-8 locale this machine has (Debian's locales-all holds all of the C library's): the
// times, dates, money and rate texts the program writes there read back as the values written,
// and the time picker's format shows every field of the time.
#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "metering/pattern_directives.h"
#include "metering/plain_date_time.h"
#include "metering/time_pattern.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <gtest/gtest.h>
#include <langinfo.h>
#include <locale.h>
#include <monetary.h>
#include <sstream>

using namespace dvx;

namespace {

// Installed when Debian's package of every compiled locale is.
const char* const kLocalesAllMarker = "/var/lib/dpkg/info/locales-all.list";

QStringList utf8Locales() {
    QProcess list;
    list.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    list.waitForFinished();
    QStringList found;
    for (const QString& name : QString::fromUtf8(list.readAllStandardOutput()).split(u'\n')) {
        locale_t locale = name.isEmpty() ? nullptr : newlocale(LC_ALL_MASK, qPrintable(name), 0);
        if (!locale)
            continue;
        if (qstrcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0)
            found.append(name);
        freelocale(locale);
    }
    return found;
}

// One locale, switched on for this thread while it lives.
class ThreadLocale {
public:
    explicit ThreadLocale(const QString& name)
        : locale_(newlocale(LC_ALL_MASK, qPrintable(name), 0)), previous_(uselocale(locale_)) {}
    ~ThreadLocale() {
        uselocale(previous_);
        freelocale(locale_);
    }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

    locale_t handle() const { return locale_; }

private:
    locale_t locale_;
    locale_t previous_;
};

// What went wrong in one locale, each line naming the value and both texts.
class Findings {
public:
    explicit Findings(QString locale) : locale_(std::move(locale)) {}

    // `outcome` says what became of the text ("read back as ...").
    void add(const QString& value, const QString& written, const QString& outcome) {
        lines_ << QStringLiteral("%1: %2 was written as '%3' and %4")
                      .arg(locale_, value, written, outcome);
    }
    const QStringList& lines() const { return lines_; }

private:
    QString locale_;
    QStringList lines_;
};

QString readBackAs(const QString& text) {
    return QStringLiteral("read back as '%1'").arg(text);
}

// Reads a text back; the value read, or nothing with the error's text in `error`.
template <typename Read>
auto readBack(Read read, QString& error) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const Error& e) {
        error = QStringLiteral("reading it failed: ") + e.text();
        return std::nullopt;
    }
}

const QTime kTimes[] = {QTime(0, 0, 0), QTime(12, 0, 0), QTime(6, 0, 0), QTime(18, 0, 0),
                        QTime(23, 59, 59)};

void checkTimes(const RegionalSettings& rs, Findings& findings) {
    for (const QTime& time : kTimes) {
        const QString text = TimeText(encodeTime(time), rs);
        QString error;
        const auto back = readBack([&] { return ParseTimeText(text, rs); }, error);
        if (back != encodeTime(time))
            findings.add(time.toString(u"HH:mm:ss"), text,
                         back ? readBackAs(TimeText(*back, rs)) : error);
    }
}

// Where the quick reader of plain texts reads a text, or the text in other cases, it reads the
// moment that the lenient reader reads.
void checkPlainReading(const QString& text, const RegionalSettings& rs, Findings& findings) {
    for (const QString& variant : {text, text.toLower(), text.toUpper()}) {
        const auto plain = ReadPlainDateTime(variant, rs);
        const auto lenient = ReadDateTimeText(variant, rs);
        if (plain && plain != lenient)
            findings.add(
                QStringLiteral("the text '%1'").arg(variant), variant,
                QStringLiteral("the quick reader read %1, the lenient one %2")
                    .arg(*plain, 0, 'g', 17)
                    .arg(lenient ? QString::number(*lenient, 'g', 17) : QStringLiteral("nothing")));
    }
}

// A date in every month, with one- and two-digit days and years of two centuries, at each time.
void checkDates(const RegionalSettings& rs, Findings& findings) {
    for (int month = 1; month <= 12; ++month) {
        const QDate date(month % 2 ? 1999 : 2026, month, month * 5 % 28 + 1);
        for (const QTime& time : kTimes) {
            const DateTime moment = encodeDate(date) + encodeTime(time);
            const QString text = DateTimeText(moment, rs);
            checkPlainReading(text, rs, findings);
            QString error;
            const auto back = readBack([&] { return ParseDateTimeText(text, rs); }, error);
            if (back != moment)
                findings.add(QDateTime(date, time).toString(Qt::ISODate), text,
                             back ? readBackAs(DateTimeText(*back, rs)) : error);
        }
    }
}

struct Amount {
    std::int64_t raw;       // ten-thousandths
    std::int64_t moneyBack; // what the money text reads back as, ten-thousandths
    std::int32_t rateBack;  // what the rate text reads back as, thousandths
};

// Seven significant digits or the shown decimals, whichever are fewer; a minus sign is dropped
// when a text is read.
const Amount kAmounts[] = {
    {0, 0, 0},
    {500, 500, 50},                      // 0.05
    {355, 400, 36},                      // 0.0355
    {12345600, 12345600, 1234560},       // 1234.56
    {1234567890, 1234568000, 123456800}, // 123456.789
    {-500, 500, 50},
    {-355, 400, 36},
    {-12345600, 12345600, 1234560},
    {-1234567890, 1234568000, 123456800},
};

QString amountText(std::int64_t raw) {
    return QString::number(static_cast<double>(raw) / 10000.0, 'f', 4);
}

void checkMoney(const RegionalSettings& rs, Findings& findings) {
    for (const Amount& amount : kAmounts) {
        QString error;
        const QString money = MoneyText(Currency::fromRaw(amount.raw), rs);
        const auto moneyBack = readBack([&] { return ParseMoneyText(money, rs).raw(); }, error);
        if (moneyBack != amount.moneyBack)
            findings.add(QStringLiteral("money ") + amountText(amount.raw), money,
                         moneyBack ? readBackAs(amountText(*moneyBack)) : error);

        const QString rate = RateText(Currency::fromRaw(amount.raw), rs);
        const auto rateBack = readBack([&] { return ParseRateText(rate, rs); }, error);
        if (rateBack != amount.rateBack)
            findings.add(QStringLiteral("rate ") + amountText(amount.raw), rate,
                         rateBack ? readBackAs(amountText(*rateBack * 10)) : error);

        const QString positive = MoneyText(Currency::fromRaw(-amount.raw), rs);
        if (amount.raw < 0 && positive == money)
            findings.add(QStringLiteral("money ") + amountText(amount.raw), money,
                         QStringLiteral("its positive amount was written the same"));
    }
}

// Every directive of the locale's date and time patterns is one the table knows.
void checkDirectives(Findings& findings) {
    for (const nl_item item : {D_FMT, T_FMT, T_FMT_AMPM}) {
        const QString pattern = QString::fromUtf8(nl_langinfo(item));
        const QStringList unknown = UnknownDirectives(pattern);
        if (!unknown.isEmpty())
            findings.add(QStringLiteral("the pattern '%1'").arg(pattern), unknown.join(u' '),
                         QStringLiteral("those directives are unknown"));
    }
}

// A negative amount as the C library itself writes it in the locale: sign, symbol, blanks and
// digit groups (an amount of seven digits, which the money text shows unrounded).
void checkNegativeForm(const RegionalSettings& rs, locale_t locale, Findings& findings) {
    char expected[256];
    if (strfmon_l(expected, sizeof expected, locale, "%.2n", -123456.7) < 0)
        return;
    const QString text = MoneyText(Currency::fromRaw(-1234567000), rs);
    if (text != QString::fromUtf8(expected))
        findings.add(
            QStringLiteral("money -123456.7"), text,
            QStringLiteral("the C library writes it '%1'").arg(QString::fromUtf8(expected)));
}

// The time picker shows the hours, minutes, seconds and the half of the day of every time.
void checkPickerFormat(const RegionalSettings& rs, Findings& findings) {
    const QString format = QtTimeFormat(rs.longTimeFormat);
    const QLocale c = QLocale::c();
    for (const QTime& time : kTimes) {
        const QString shown = c.toString(time, format);
        const QTime back = c.toTime(shown, format);
        if (back != time)
            findings.add(
                QStringLiteral("picker format '%1' of %2").arg(format, time.toString(u"HH:mm:ss")),
                shown, readBackAs(back.toString(u"HH:mm:ss")));
    }
}

TEST(EveryLocale, ReadsBackWhatItWrites) {
    if (!QFile::exists(QString::fromLatin1(kLocalesAllMarker)))
        GTEST_SKIP() << "Debian's locales-all is not installed, so not every locale is here";
    const QStringList locales = utf8Locales();
    ASSERT_GT(locales.size(), 100) << "locales-all is installed, but `locale -a` lists only "
                                   << locales.size() << " UTF-8 locales";
    int failures = 0;
    std::ostringstream report; // the first few findings of each locale
    for (const QString& name : locales) {
        const ThreadLocale locale(name);
        const RegionalSettings rs = RegionalSettings::fromProcessLocale();
        Findings findings(name);
        checkDirectives(findings);
        checkTimes(rs, findings);
        checkDates(rs, findings);
        checkMoney(rs, findings);
        checkNegativeForm(rs, locale.handle(), findings);
        checkPickerFormat(rs, findings);
        failures += findings.lines().size();
        for (const QString& line : findings.lines().mid(0, 3))
            report << line.toStdString() << '\n';
        if (findings.lines().size() > 3)
            report << "  ... and " << findings.lines().size() - 3 << " more in " << qPrintable(name)
                   << '\n';
    }
    EXPECT_EQ(failures, 0) << "in " << locales.size() << " locales:\n" << report.str();
}

// The British locale writes exactly the texts it always wrote.
TEST(BritishLocale, WritesTheTextsItAlwaysWrote) {
    if (locale_t probe = newlocale(LC_ALL_MASK, "en_GB.UTF-8", 0))
        freelocale(probe);
    else
        GTEST_SKIP() << "the locale en_GB.UTF-8 is not installed";
    const ThreadLocale locale(QStringLiteral("en_GB.UTF-8"));
    const RegionalSettings rs = RegionalSettings::fromProcessLocale();
    struct Case {
        std::int64_t raw;
        const char* money;
        const char* rate;
    };
    const Case cases[] = {
        {0, "£0.00", "£0.000"},
        {355, "£0.04", "£0.036"},
        {12345600, "£1,234.56", "£1,234.560"},
        {1234567890, "£123,456.80", "£123,456.800"},
        {-20000, "-£2.00", "-£2.000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoneyText(Currency::fromRaw(c.raw), rs), QString::fromUtf8(c.money));
        EXPECT_EQ(RateText(Currency::fromRaw(c.raw), rs), QString::fromUtf8(c.rate));
    }
    const DateTime evening = encodeDate(QDate(2026, 12, 10)) + encodeTime(18, 0, 0);
    EXPECT_EQ(DateTimeText(evening, rs), QStringLiteral("10/12/2026 18:00:00"));
    EXPECT_EQ(DateTimeText(encodeDate(QDate(2026, 3, 5)), rs), QStringLiteral("05/03/2026"));
    EXPECT_EQ(TimeText(encodeTime(6, 0, 0), rs), QStringLiteral("06:00:00"));
    EXPECT_EQ(QtTimeFormat(rs.longTimeFormat), QStringLiteral("HH:mm:ss"));
}

} // namespace
