// In every shape of locale (right to left, native separators and words, long dates, wide
// currencies) the window shows its largest texts whole: each session list cell within its
// column and every column within the list, each box's text within its box, and the time pickers
// showing the program's own time texts, whole, taking them back and stepping field by field.
#include "support/window_program.h"

#include "metering/date_time.h"
#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "metering/session_list_model.h"
#include "metering/time_pattern.h"
#include "ui/main_window/largest_texts.h"
#include "ui/main_window/time_of_day_picker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeView>

#include <algorithm>
#include <clocale>
#include <limits>
#include <locale.h>
#include <memory>
#include <optional>

namespace dvx {
namespace {

// The regional settings of a glibc locale, or none when the machine lacks it.
std::optional<RegionalSettings> settingsOf(const char* name) {
    locale_t locale = newlocale(LC_ALL_MASK, name, nullptr);
    if (locale == nullptr)
        return std::nullopt;
    const locale_t previous = uselocale(locale);
    RegionalSettings settings = RegionalSettings::fromProcessLocale();
    uselocale(previous);
    freelocale(locale);
    return settings;
}

struct LocaleCase {
    const char* name;
    const char* shape;
};

const LocaleCase kLocales[] = {
    {"en_GB.UTF-8", "the British forms"},
    {"ar_EG.UTF-8", "right to left, Arabic AM/PM words, currency first"},
    {"fa_IR.UTF-8", "Persian separators, long currency after"},
    {"ps_AF.UTF-8", "right-to-left dates"},
    {"my_MM.UTF-8", "Myanmar weekdays and AM/PM words"},
    {"hi_IN.UTF-8", "long AM/PM words"},
    {"ko_KR.UTF-8", "long dates and times with unit words"},
    {"ja_JP.UTF-8", "long dates and times with unit words, wide digits"},
    {"am_ET.UTF-8", "Ethiopic AM/PM words, blank-padded hours"},
    {"de_CH.UTF-8", "wide currency"},
};

class LocaleFitTest : public ::testing::TestWithParam<LocaleCase> {
protected:
    void SetUp() override {
        regional = settingsOf(GetParam().name);
        if (!regional)
            GTEST_SKIP() << GetParam().name << " is not on this machine (package locales-all)";
        program = std::make_unique<WindowProgram>(WindowProgram::Controls::builtAtOnce, *regional);
        window().show();
        // Each page is laid out when it is first selected.
        for (int page = window().PageControl1->count() - 1; page >= 0; --page) {
            window().PageControl1->setCurrentIndex(page);
            QApplication::processEvents();
        }
    }

    TfrmMain& window() { return program->window; }

    std::optional<RegionalSettings> regional;
    std::unique_ptr<WindowProgram> program;
};

int cursorX(const QLineEdit* box) {
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// How far the cursor travels going through every place of the box's text, painted at each: the
// text's whole width when the box shows it whole, less when the box is too narrow and scrolls.
// (Mixed right-to-left and left-to-right text puts its first and last place anywhere.)
int cursorSpan(QLineEdit* box) {
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    for (int place = 0; place <= int(box->text().size()); ++place) {
        box->setCursorPosition(place);
        box->grab(); // the box scrolls to its cursor when it paints
        left = std::min(left, cursorX(box));
        right = std::max(right, cursorX(box));
    }
    return right - left;
}

// A text fits its box when the cursor goes as far through it as in a box far wider.
void expectWhole(QLineEdit* box, const QString& text) {
    SCOPED_TRACE(box->objectName().toStdString() + ": " + text.toStdString());
    box->setText(text);
    QLineEdit wide;
    wide.setFont(box->font());
    wide.setGeometry(0, 0, 2000, box->height());
    wide.setText(text);
    EXPECT_EQ(cursorSpan(box), cursorSpan(&wide));
    EXPECT_GT(cursorSpan(&wide), box->fontMetrics().horizontalAdvance(text) / 2);
    EXPECT_TRUE(box->parentWidget()->rect().contains(box->geometry())) << "runs out of its parent";
}

TEST_P(LocaleFitTest, EveryBoxShowsItsLargestTextWhole) {
    const TfrmMain& w = window();
    for (const QString& text : LargestMoneyTexts(*regional)) {
        for (QLineEdit* box :
             {w.edtSessionCost, w.edtTotalCost, w.edtSessionCostAlarm, w.edtTotalCostAlarm})
            expectWhole(box, text);
    }
    for (const QString& text : LargestRateTexts(*regional)) {
        for (QLineEdit* box : {w.edtCurrentChargeRate, w.edtOffPeakPerSecond, w.edtPeakPerSecond,
                               w.edtWeekendPerSecond, w.edtMinimumCallCharge})
            expectWhole(box, text);
    }
    for (const QString& text : LargestDurationTexts()) {
        for (QLineEdit* box : {w.edtSessionCallTime, w.edtTotalCallTime})
            expectWhole(box, text);
    }
}

TEST_P(LocaleFitTest, EverySessionListCellShowsItsTextWhole) {
    SessionRows rows;
    const QStringList money = LargestMoneyTexts(*regional);
    const QStringList durations = LargestDurationTexts();
    for (const QString& date : DateTimeSamples(*regional))
        rows.append(
            {date, QStringLiteral("Automatic Connection"), durations.first(), money.first()});
    auto* model = qobject_cast<SessionListModel*>(window().LVSessions->model());
    ASSERT_NE(model, nullptr);
    model->setRows(rows);
    QApplication::processEvents();

    QTreeView* list = window().LVSessions;
    int columns = 0;
    for (int column = 0; column < model->columnCount(); ++column)
        columns += list->columnWidth(column);
    EXPECT_LE(columns, list->viewport()->width()) << "a column runs out of the list";
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column : {dateColumn, durationColumn, costColumn}) {
            const QModelIndex index = model->index(row, column);
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.font = list->font();
            const int needed = list->itemDelegateForIndex(index)->sizeHint(option, index).width();
            EXPECT_LE(needed, list->columnWidth(column))
                << index.data().toString().toStdString() << " is cut";
        }
    }
}

TEST_P(LocaleFitTest, TheTimePickersSpeakAsTheProgramWrites) {
    const QTime times[] = {QTime(22, 58, 58), QTime(8, 0, 0), QTime(18, 0, 0)};
    for (TimeOfDayPicker* picker : {window().DTPOffPeakStart, window().DTPOffPeakEnd,
                                    window().DTPWeekendStart, window().DTPWeekendEnd}) {
        auto* editor = picker->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        for (const QTime& time : times) {
            const QString programText = TimeText(encodeTime(time), *regional);
            SCOPED_TRACE(picker->objectName().toStdString() + ": " + programText.toStdString());
            picker->setTime(time);
            EXPECT_EQ(picker->text(), programText);
            expectWhole(editor, programText);
            // The program's text typed in is taken as that time.
            picker->setTime(QTime(0, 0));
            editor->selectAll();
            editor->insert(programText);
            EXPECT_EQ(picker->time(), time);
        }
    }
}

// The arrows step the field under the cursor and keep the program's text: the hour, then the
// minute, both wrapping round.
TEST_P(LocaleFitTest, TheArrowsStepOneFieldOfTheTimeText) {
    TimeOfDayPicker* picker = window().DTPWeekendStart;
    auto* editor = picker->findChild<QLineEdit*>();
    picker->setTime(QTime(23, 59, 30));
    const QList<WrittenPiece> pieces =
        timePatternPieces(regional->longTimeFormat, picker->time(), *regional);
    const auto placeOf = [&pieces](std::initializer_list<PatternField> fields) {
        for (const WrittenPiece& piece : pieces) {
            if (std::find(fields.begin(), fields.end(), piece.field) != fields.end())
                return int(piece.start);
        }
        return -1;
    };
    editor->setCursorPosition(placeOf({PatternField::Minute}));
    picker->stepBy(1);
    EXPECT_EQ(picker->time(), QTime(23, 0, 30));
    editor->setCursorPosition(placeOf({PatternField::Hour, PatternField::Hour12}));
    picker->stepBy(1);
    EXPECT_EQ(picker->time(), QTime(0, 0, 30));
    EXPECT_EQ(picker->text(), TimeText(encodeTime(QTime(0, 0, 30)), *regional));
    editor->setCursorPosition(placeOf({PatternField::Second}));
    picker->stepBy(-31);
    EXPECT_EQ(picker->time(), QTime(0, 0, 59));

    // The keyboard's arrows go the same way, on the field the cursor is in.
    editor->setCursorPosition(placeOf({PatternField::Minute}));
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(picker, &down);
    EXPECT_EQ(picker->time(), QTime(0, 59, 59));
    EXPECT_EQ(
        editor->selectedText(),
        TimeText(encodeTime(picker->time()), *regional).mid(placeOf({PatternField::Minute}), 2));
}

// A text that never reads as a time loses nothing: the picker keeps its time and shows it again
// when editing ends.
TEST_P(LocaleFitTest, AnUnreadableTypedTimeGivesWayToTheLastTime) {
    TimeOfDayPicker* picker = window().DTPOffPeakEnd;
    auto* editor = picker->findChild<QLineEdit*>();
    picker->setTime(QTime(7, 30));
    editor->selectAll();
    editor->insert(QStringLiteral("x7"));
    EXPECT_EQ(picker->time(), QTime(7, 30));
    emit picker->editingFinished();
    EXPECT_EQ(picker->text(), TimeText(encodeTime(QTime(7, 30)), *regional));
}

// Widened boxes and pickers push nothing into each other: on every page and panel no two
// controls overlap, and each stays inside its parent.
TEST_P(LocaleFitTest, NoControlRunsIntoAnother) {
    for (QWidget* parent : window().findChildren<QWidget*>()) {
        QList<QWidget*> controls;
        for (QObject* child : parent->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control == nullptr || control->isWindow() || !control->isVisibleTo(parent) ||
                control->objectName().startsWith(QLatin1String("qt_")) ||
                !parent->rect().intersects(control->geometry()))
                continue;
            if (qobject_cast<QLabel*>(control) && qobject_cast<QLabel*>(control)->text().isEmpty())
                continue; // the navy pictures that the labels stand on
            if (control->metaObject() == &QFrame::staticMetaObject)
                continue; // etched lines and bevels, which run from edge to edge
            controls.append(control);
        }
        for (int i = 0; i < controls.size(); ++i) {
            const QWidget* one = controls[i];
            EXPECT_TRUE(parent->rect().contains(one->geometry()))
                << one->metaObject()->className() << " " << one->objectName().toStdString();
            for (int j = i + 1; j < controls.size(); ++j) {
                const QWidget* other = controls[j];
                EXPECT_FALSE(one->geometry().intersects(other->geometry()))
                    << one->metaObject()->className() << " " << one->objectName().toStdString()
                    << " runs into " << other->metaObject()->className() << " "
                    << other->objectName().toStdString();
            }
        }
    }
}

TEST_P(LocaleFitTest, EveryLabelIsInTheWindowsFont) {
    const int pixels = QFontInfo(window().font()).pixelSize();
    for (const QLabel* label : window().findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        EXPECT_EQ(QFontInfo(label->font()).pixelSize(), pixels) << label->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, LocaleFitTest, ::testing::ValuesIn(kLocales),
                         [](const ::testing::TestParamInfo<LocaleCase>& info) {
                             return std::string(info.param.name).substr(0, 5);
                         });

} // namespace
} // namespace dvx
