// The floating display's two lines are never cut in the font the program really uses, up to a
// call of more than two months and a charge in the millions.
#include "ui/floating/frm_float.h"

#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <gtest/gtest.h>

namespace dvx {
namespace {

TEST(FloatingDisplayText, TheLongestLinesFitTheirLabels) {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    TfrmFloat display(nullptr);
    display.show();
    EXPECT_EQ(QFontInfo(display.lblTime->font()).family(), "Liberation Sans");
    const struct {
        QLabel* label;
        const char* text;
    } lines[] = {
        {display.lblTime, "Not Connected"},
        {display.lblTime, "Call time 99999 minutes, 59 seconds."},
        {display.lblCost, "Cost £1,234,567.89"},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.text);
        line.label->setText(QString::fromUtf8(line.text));
        const QSize needed = line.label->fontMetrics().size(0, line.label->text());
        EXPECT_LE(needed.width(), line.label->contentsRect().width());
        EXPECT_LE(needed.height(), line.label->contentsRect().height());
    }
}

// A small tool window above the others: no frame of the window manager's (whose title bar would
// bring a close and a minimise button), its caption drawn by itself in the window's font.
TEST(FloatingDisplayText, ItIsAToolWindowWithACaptionOfItsOwn) {
    TfrmFloat display(nullptr);
    display.show();
    const Qt::WindowFlags flags = display.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
    ASSERT_NE(display.lblCaption, nullptr);
    EXPECT_EQ(display.lblCaption->text(), "Dorvantix");
    EXPECT_EQ(display.windowTitle(), "Dorvantix");
    EXPECT_EQ(QFontInfo(display.lblCaption->font()).pixelSize(), 11);
    EXPECT_LE(display.lblCaption->fontMetrics().height(),
              display.lblCaption->contentsRect().height() + 1);
    EXPECT_LE(display.lblCaption->geometry().bottom(), display.lblTime->parentWidget()->y());
}

} // namespace
} // namespace dvx
