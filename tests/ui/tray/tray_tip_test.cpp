#include "ui/tray/tray_tip.h"

#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(TrayTip, ShowsAtMost63Characters) {
    const struct {
        int length;
        int shown;
    } cases[] = {{0, 0}, {1, 1}, {62, 62}, {63, 63}, {64, 63}, {200, 63}};
    for (const auto& c : cases) {
        const QString hint(c.length, QLatin1Char('x'));
        EXPECT_EQ(TrayTip(hint, true), hint.left(c.shown)) << c.length;
    }
}

TEST(TrayTip, IsEmptyWhenTheHintIsNotShown) {
    EXPECT_EQ(TrayTip(QStringLiteral("Dorvantix - Not Connected"), false), QString());
}

TEST(TrayTip, NeverSplitsACharacter) {
    // 62 letters and a character outside the basic plane, held in two UTF-16 units.
    const QString hint = QString(62, QLatin1Char('x')) + QString::fromUtf8("\xF0\x9F\x93\x9E") +
                         QStringLiteral("tail");
    EXPECT_EQ(TrayTip(hint, true), hint.left(64));
}

TEST(TrayTip, KeepsTheWholeHintOfALongCall) {
    // 9999 minutes and a money text of nine characters still fit.
    const QString hint =
        QStringLiteral("Dorvantix - Call time 9999 minutes, 59 seconds.  Cost £1,234.56");
    EXPECT_EQ(hint.size(), 63);
    EXPECT_EQ(TrayTip(hint, true), hint);
}

} // namespace
} // namespace dvx
