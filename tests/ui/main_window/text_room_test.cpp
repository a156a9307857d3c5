// No text of the window is cut or covered with the fonts the program really uses: every label,
// check box and button caption fits its control, stays inside its parent and keeps clear of its
// neighbours. The same holds for the alarm window with its longest messages and the about box.
#include "support/main_window_test.h"

#include "metering/alarms/alarm_messages.h"
#include "ui/about/frm_about.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QToolButton>

namespace dvx {
namespace {

// The room kept between a text and the control beside it.
constexpr int kClearance = 2;

QString captionOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

// The widgets of a window that show a caption, the window laid out as shown.
QList<QWidget*> captionsOf(QWidget* window) {
    QList<QWidget*> found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->objectName().startsWith(QLatin1String("qt_")) || captionOf(widget).isEmpty())
            continue;
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget))
            found.append(widget);
    }
    return found;
}

// The widgets that show a caption, in the window as it is laid out on the screen: each page is
// given its size when it is first selected.
QList<QWidget*> captionedWidgets(TfrmMain* window) {
    window->show();
    for (int page = window->PageControl1->count() - 1; page >= 0; --page) {
        window->PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
    }
    QList<QWidget*> found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->objectName().startsWith(QLatin1String("qt_")) || captionOf(widget).isEmpty())
            continue;
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QCheckBox*>(widget) &&
            !qobject_cast<QToolButton*>(widget))
            continue;
        found.append(widget);
    }
    return found;
}

// Where the control draws its caption: a label inside its frame, a check box beside its box, a
// flat picture button below its picture, inside its frame.
QRect textRoom(QWidget* widget) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        // The picture stands left of the caption with a little room between.
        const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return contents.adjusted(picture, 0, 0, 0);
    }
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    }
    if (auto* button = qobject_cast<QToolButton*>(widget)) {
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const QRect inside = button->rect().adjusted(frame, frame, -frame, -frame);
        const int pictureHeight = button->iconSize().height() + 4;
        return inside.adjusted(0, pictureHeight - 1, 0, -1);
    }
    return widget->contentsRect();
}

QSize textNeeds(QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (label != nullptr && label->wordWrap()) {
        const QRect room = textRoom(widget);
        return widget->fontMetrics()
            .boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, label->text())
            .size();
    }
    return widget->fontMetrics().size(Qt::TextShowMnemonic, captionOf(widget));
}

void expectCaptionsFit(QWidget* window) {
    for (QWidget* widget : captionsOf(window)) {
        SCOPED_TRACE(captionOf(widget).toStdString());
        const QSize needed = textNeeds(widget);
        const QRect room = textRoom(widget);
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
            << "runs out of its parent";
    }
}

// The label kept below its page's visible area has no room to keep.
bool placedToBeSeen(const QWidget* widget) {
    return widget->parentWidget()->rect().intersects(widget->geometry());
}

TEST_F(ConfiguredWindowTest, TheWindowUsesTheMetricCompatibleFont) {
    EXPECT_EQ(QFontInfo(window.font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(window.font()).pixelSize(), 11);
}

TEST_F(ConfiguredWindowTest, EveryCaptionFitsItsControl) {
    const QList<QWidget*> widgets = captionedWidgets(&window);
    EXPECT_GE(widgets.size(), 30);
    for (QWidget* widget : widgets) {
        if (!placedToBeSeen(widget))
            continue;
        SCOPED_TRACE(captionOf(widget).toStdString());
        const QSize needed = textNeeds(widget);
        const QRect room = textRoom(widget);
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
            << "runs out of its parent";
    }
}

TEST_F(ConfiguredWindowTest, NoCaptionTouchesItsNeighbours) {
    for (QWidget* widget : captionedWidgets(&window)) {
        if (!placedToBeSeen(widget))
            continue;
        // Flat buttons stand edge to edge; a text keeps clear of what is beside it.
        const int clearance = qobject_cast<QToolButton*>(widget) ? 0 : kClearance;
        const QRect room =
            widget->geometry().adjusted(-clearance, -clearance, clearance, clearance);
        for (QObject* child : widget->parentWidget()->children()) {
            auto* neighbour = qobject_cast<QWidget*>(child);
            if (neighbour == nullptr || neighbour == widget || neighbour->isWindow() ||
                neighbour->objectName().startsWith(QLatin1String("qt_")) ||
                !placedToBeSeen(neighbour))
                continue;
            EXPECT_FALSE(room.intersects(neighbour->geometry()))
                << '"' << captionOf(widget).toStdString() << "\" touches "
                << neighbour->metaObject()->className() << " "
                << neighbour->objectName().toStdString() << " \""
                << captionOf(neighbour).toStdString() << '"';
        }
    }
}

// The alarm window with the longest message each alarm can bring: a total since a reset date and
// time, the amount or the time in the millions.
TEST_F(ConfiguredWindowTest, TheAlarmWindowShowsItsLongestMessagesWhole) {
    const RegionalSettings british = RegionalSettings::british();
    const QString resetDate = QStringLiteral("28/12/2026 22:58:58");
    const QString messages[] = {
        SessionCostAlarmMessage(Currency::fromRaw(99999999990000), british),
        SessionTimeAlarmMessage(2147483647),
        TotalCostAlarmMessage(resetDate, Currency::fromRaw(99999999990000), british),
        TotalTimeAlarmMessage(resetDate, 2147483647LL * 2),
    };
    for (const QString& message : messages) {
        SCOPED_TRACE(message.toStdString());
        alarmWindow.ShowAlarm(message);
        QApplication::processEvents();
        EXPECT_GE(captionsOf(&alarmWindow).size(), 3);
        expectCaptionsFit(&alarmWindow);
        alarmWindow.hide();
    }
}

TEST_F(ConfiguredWindowTest, TheAboutBoxShowsItsTextsWhole) {
    window.FormCreate();
    dialogs.expect(BoxKind::modal).whileOpen([] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* about = qobject_cast<TfrmAbout*>(widget)) {
                about->show();
                QApplication::processEvents();
                EXPECT_GE(captionsOf(about).size(), 2);
                expectCaptionsFit(about);
            }
        }
    });
    window.About1->trigger();
    EXPECT_EQ(dialogs.pending(), 0);
}

} // namespace
} // namespace dvx
