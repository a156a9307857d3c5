// The digits and decimal separators of money texts, gathered in place, against the texts made by
// taking the symbol off with QString::remove and keeping the digits and separators of the rest.
#include "metering/money_digits.h"
#include "metering/money_text.h"

#include <gtest/gtest.h>

using namespace dvx;

namespace {

QString keptByRemoving(const QString& given, const RegionalSettings& rs) {
    QString text = given;
    if (!rs.currencySymbol.isEmpty())
        text.remove(rs.currencySymbol);
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            kept += text.at(i);
        } else if (!rs.decimalSeparator.isEmpty() &&
                   QStringView(text).mid(i).startsWith(rs.decimalSeparator)) {
            kept += rs.decimalSeparator;
            i += rs.decimalSeparator.size() - 1;
        }
    }
    return kept;
}

TEST(MoneyDigits, KeepWhatRemovingTheSymbolAndFilteringKeeps) {
    const char* const symbols[] = {"", "£", "€", "B/.", "د.إ.", "aa", "Kč", "1", ",", "a,"};
    const char* const separators[] = {".", ",", "", "٫", "a,", ".."};
    const QString longText = QStringLiteral("£1,234,567,890,123,456,789.0123456789").repeated(3);
    const QString texts[] = {
        QString(),
        QStringLiteral("£1,234.56"),
        QStringLiteral("-£2.00"),
        QStringLiteral("1.234,57 €"),
        QStringLiteral("B/. 1,234.56"),
        QStringLiteral("د.إ. 1,234.56"),
        QStringLiteral("aaa1.5aaaa2,3"),
        QStringLiteral("a£,5"),
        QStringLiteral("12 Kč"),
        QStringLiteral("1a,a,2..3...4"),
        QStringLiteral("١٢٣٫٤٥"),
        QStringLiteral("(£0.004 5)"),
        QStringLiteral("free"),
        longText,
    };
    for (const char* symbol : symbols) {
        for (const char* separator : separators) {
            RegionalSettings rs;
            rs.currencySymbol = QString::fromUtf8(symbol);
            rs.decimalSeparator = QString::fromUtf8(separator);
            for (const QString& text : texts) {
                SCOPED_TRACE(std::string(symbol) + " | " + separator + " | " + text.toStdString());
                const QString expected = keptByRemoving(text, rs);
                EXPECT_EQ(MoneyDigits(text, rs).view().toString().toStdString(),
                          expected.toStdString());
                EXPECT_EQ(DigitsAndDecimalSeparator(text, rs).toStdString(),
                          expected.toStdString());
            }
        }
    }
}

} // namespace
