#include "metering/conversion_error.h"
#include "metering/money_text.h"

#include <gtest/gtest.h>
#include <limits>

using namespace dvx;

namespace {

// "12 345,67 €": symbol after the amount with a blank, "." thousands and "," decimals.
RegionalSettings euroSettings() {
    RegionalSettings rs;
    rs.currencySymbol = QStringLiteral("€");
    rs.symbolPrecedes = false;
    rs.symbolSeparatedBySpace = true;
    rs.thousandSeparator = QStringLiteral(".");
    rs.decimalSeparator = QStringLiteral(",");
    rs.shortDateFormat = QStringLiteral("%d.%m.%Y");
    return rs;
}

struct TextCase {
    std::int64_t raw;
    const char* money;
    const char* rate;
};

TEST(MoneyText, RoundsToSevenDigitsOrTheShownDecimalsWhicheverIsFewer) {
    const TextCase cases[] = {
        {12345, "£1.23", "£1.235"}, // 1.2345: a half rounds away from zero
        {50, "£0.01", "£0.005"},    // 0.0050
        {350, "£0.04", "£0.035"},   // 0.035
        {355, "£0.04", "£0.036"},   // 0.0355
        {0, "£0.00", "£0.000"},
        {1234567890, "£123,456.80", "£123,456.800"}, // 123456.789
        {123456789012, "£12,345,680.00", "£12,345,680.000"},
        {-20000, "-£2.00", "-£2.000"},
        {-45, "£0.00", "-£0.005"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(MoneyText(Currency::fromRaw(c.raw), RegionalSettings::british()), c.money);
        EXPECT_EQ(RateText(Currency::fromRaw(c.raw), RegionalSettings::british()), c.rate);
    }
}

TEST(MoneyText, ShowsTheLargestAmountsWithoutOverflowing) {
    const RegionalSettings uk = RegionalSettings::british();
    const auto most = std::numeric_limits<std::int64_t>::max();
    const auto least = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(MoneyText(Currency::fromRaw(most), uk), QStringLiteral("£922,337,200,000,000.00"));
    EXPECT_EQ(MoneyText(Currency::fromRaw(least), uk), QStringLiteral("-£922,337,200,000,000.00"));
    EXPECT_EQ(RateText(Currency::fromRaw(most), uk), QStringLiteral("£922,337,200,000,000.000"));
}

TEST(MoneyText, FollowsAnotherRegionalShape) {
    const RegionalSettings rs = euroSettings();
    EXPECT_EQ(MoneyText(Currency::fromRaw(12345678), rs), QStringLiteral("1.234,57 €"));
    EXPECT_EQ(RateText(Currency::fromRaw(350), rs), QStringLiteral("0,035 €"));
    EXPECT_EQ(ParseMoneyText(QStringLiteral("1.234,57 €"), rs), Currency::fromRaw(12345700));
    EXPECT_EQ(ParseRateText(QStringLiteral("0,035 €"), rs), 35);
}

TEST(MoneyText, NegativeAmountsFollowTheSignPosition) {
    RegionalSettings rs = RegionalSettings::british();
    const Currency minusTwo = Currency::fromRaw(-20000);
    rs.negativeSignPosition = 0;
    EXPECT_EQ(MoneyText(minusTwo, rs), QStringLiteral("(£2.00)"));
    rs.negativeSignPosition = 2;
    EXPECT_EQ(MoneyText(minusTwo, rs), QStringLiteral("£2.00-"));
    rs.negativeSignPosition = 4;
    EXPECT_EQ(MoneyText(minusTwo, rs), QStringLiteral("£-2.00"));
}

TEST(MoneyText, NegativeAmountsFollowTheLocalesNegativeForm) {
    struct Case {
        bool symbolPrecedes;
        int separation;
        int signPosition;
        const char* text;
    };
    const Case cases[] = {
        {true, 0, 1, "-$2.00"},   {true, 1, 1, "-$ 2.00"},   {true, 2, 1, "- $2.00"},
        {true, 0, 2, "$2.00-"},   {true, 1, 2, "$ 2.00-"},   {true, 2, 2, "$2.00 -"},
        {true, 1, 3, "-$ 2.00"},  {true, 2, 3, "- $2.00"},   {true, 1, 4, "$- 2.00"},
        {true, 2, 4, "$ -2.00"},  {false, 0, 1, "-2.00$"},   {false, 1, 1, "-2.00 $"},
        {false, 2, 1, "- 2.00$"}, {false, 1, 2, "2.00 $-"},  {false, 2, 2, "2.00$ -"},
        {false, 1, 3, "2.00 -$"}, {false, 2, 3, "2.00- $"},  {false, 0, 4, "2.00$-"},
        {true, 0, 0, "($2.00)"},  {false, 1, 0, "(2.00 $)"},
    };
    for (const Case& c : cases) {
        RegionalSettings rs;
        rs.currencySymbol = QStringLiteral("$");
        rs.negativeSymbolPrecedes = c.symbolPrecedes;
        rs.negativeSeparation = c.separation;
        rs.negativeSignPosition = c.signPosition;
        const QString text = MoneyText(Currency::fromRaw(-20000), rs);
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_EQ(ParseMoneyText(text, rs).raw(), 20000) << c.text; // the sign is dropped
    }
}

TEST(MoneyText, GroupsDigitsAsTheLocaleDoes) {
    struct Case {
        QList<int> grouping;
        std::int64_t raw;
        const char* text;
    };
    const Case cases[] = {
        {{3, 2}, 1234567000, "£1,23,456.70"},
        {{3, 2}, 12345600, "£1,234.56"},
        {{3, 2}, 123456789012, "£1,23,45,680.00"},
        {{4}, 1234567000, "£12,3456.70"},
        {{3}, 1234567000, "£123,456.70"},
        {{3, 0}, 123456789012, "£12345,680.00"},
        {{}, 1234567000, "£123456.70"},
    };
    for (const Case& c : cases) {
        RegionalSettings rs = RegionalSettings::british();
        rs.grouping = c.grouping;
        EXPECT_EQ(MoneyText(Currency::fromRaw(c.raw), rs), QString::fromUtf8(c.text));
    }
}

// A symbol holding the decimal separator ("B/." in Panama, "د.إ." in the Emirates) is taken
// off before the digits are kept, also where an earlier version wrote it without a blank.
TEST(ParseMoneyText, TakesTheSymbolOffBeforeKeepingTheDigits) {
    RegionalSettings rs = RegionalSettings::british();
    rs.currencySymbol = QStringLiteral("B/.");
    rs.symbolSeparatedBySpace = true;
    EXPECT_EQ(MoneyText(Currency::fromRaw(500), rs), QStringLiteral("B/. 0.05"));
    EXPECT_EQ(ParseMoneyText(QStringLiteral("B/. 0.05"), rs).raw(), 500);
    EXPECT_EQ(ParseMoneyText(QStringLiteral("B/.0.05"), rs).raw(), 500);
    EXPECT_EQ(ParseMoneyText(QStringLiteral("-B/. 1,234.56"), rs).raw(), 12345600);
    EXPECT_EQ(ParseRateText(QStringLiteral("B/. 0.035"), rs), 35);
    rs.currencySymbol = QStringLiteral("د.إ.");
    EXPECT_EQ(ParseMoneyText(MoneyText(Currency::fromRaw(12345600), rs), rs).raw(), 12345600);
}

TEST(DurationText, ShowsWholeMinutesAndTwoDigitSeconds) {
    const std::pair<int, const char*> cases[] = {
        {0, "0min, 00sec"},    {59, "0min, 59sec"},   {60, "1min, 00sec"},
        {754, "12min, 34sec"}, {725, "12min, 05sec"}, {3600, "60min, 00sec"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(DurationText(seconds), text) << seconds;
}

TEST(ParseMoneyText, KeepsOnlyDigitsAndTheDecimalSeparator) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"£1,234.50", 12345000},
        {"-£2.00", 20000},
        {"", 0},
        {"£", 0},
        {"abc", 0},
        {"2.5", 25000},
        {".5", 5000},
        {"5.", 50000},
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.000051", 1},
        {"£1,234.56", 12345600},
    };
    for (const auto& [text, raw] : cases)
        EXPECT_EQ(ParseMoneyText(QString::fromUtf8(text), RegionalSettings::british()).raw(), raw)
            << text;
}

TEST(ParseRateText, GivesWholeThousandths) {
    const std::pair<const char*, int> cases[] = {
        {"£0.035", 35},
        {"1.5", 1500},
        {"£0.050", 50},
        {"0.0355", 36},
        {"0.0345", 34},
        {"0.00049", 0},
        {"£2,147,483.647", 2147483647},
    };
    for (const auto& [text, thousandths] : cases)
        EXPECT_EQ(ParseRateText(QString::fromUtf8(text), RegionalSettings::british()), thousandths)
            << text;
}

TEST(ParseTexts, RefuseMalformedNumbersWithTheFilteredText) {
    const RegionalSettings rs = RegionalSettings::british();
    struct Case {
        const char* text;
        bool rate;
        const char* message;
    };
    const Case cases[] = {
        {"1.2.3", false, "'1.2.3' is not a valid floating point value"},
        {"£1.2.3", true, "'1.2.3' is not a valid floating point value"},
        {"", true, "'' is not a valid floating point value"},
        {"£", true, "'' is not a valid floating point value"},
        {".", false, "'.' is not a valid floating point value"},
        {"£2,147,483.648", true, "Range check error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            if (c.rate)
                ParseRateText(QString::fromUtf8(c.text), rs);
            else
                ParseMoneyText(QString::fromUtf8(c.text), rs);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.text(), QString::fromUtf8(c.message));
        }
    }
}

TEST(ThousandthsToCurrency, IsTenTimesTheStoredNumber) {
    EXPECT_EQ(ThousandthsToCurrency(35).raw(), 350);
    EXPECT_EQ(ThousandthsToCurrency(-7).raw(), -70);
    EXPECT_EQ(ThousandthsToCurrency(2147483647).raw(), 21474836470);
}

TEST(MoneyText, RateBoxTextReadsBackToTheSameThousandths) {
    const RegionalSettings rs = RegionalSettings::british();
    for (int thousandths : {0, 1, 35, 50, 999, 1000, 123456, 2147483647}) {
        const QString text = RateText(ThousandthsToCurrency(thousandths), rs);
        if (thousandths < 10000000) { // beyond seven digits the text itself is rounded
            EXPECT_EQ(ParseRateText(text, rs), thousandths) << qPrintable(text);
        }
    }
}

} // namespace
