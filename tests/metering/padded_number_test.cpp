#include "metering/padded_number.h"

#include <gtest/gtest.h>
#include <limits>

using namespace dvx;

namespace {

// Every width, fill and sign, the widths beyond what is written in place included.
TEST(AppendNumber, WritesAsQStringArgDoes) {
    const int values[] = {0,    1,    7,     9,
                          10,   59,   99,    100,
                          2026, 9999, 12345, std::numeric_limits<int>::max(),
                          -1,   -42,  -2026, std::numeric_limits<int>::min()};
    const int widths[] = {0, 1, 2, 3, 4, 10, 11, 12, 22, 23, 40, -3};
    for (const int value : values) {
        for (const int width : widths) {
            for (const QChar fill : {QChar(u' '), QChar(u'0'), QChar(u'٠')}) {
                SCOPED_TRACE(std::to_string(value) + " in " + std::to_string(width));
                QString text = QStringLiteral("kept ");
                appendNumber(text, value, width, fill);
                EXPECT_EQ(text, QStringLiteral("kept ") +
                                    QStringLiteral("%1").arg(value, width, 10, fill));
            }
        }
        QString plain;
        appendNumber(plain, value);
        EXPECT_EQ(plain, QString::number(value));
    }
}

} // namespace
