#include "ui/main_window/time_of_day_picker.h"

#include "metering/time_pattern.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace dvx {

namespace {

// Times whose every digit is wide, before and after noon: the picker is wide enough for them.
const QTime kWidestTimes[] = {QTime(10, 58, 58), QTime(22, 58, 58), QTime(8, 8, 8),
                              QTime(20, 8, 8)};

bool isField(PatternField field) {
    switch (field) {
    case PatternField::Hour:
    case PatternField::Hour12:
    case PatternField::Minute:
    case PatternField::Second:
    case PatternField::Marker:
    case PatternField::LowerMarker:
        return true;
    default:
        return false;
    }
}

// Minutes and seconds wrap round within their hour and minute; the hour and the AM/PM word move
// the time round the day.
QTime stepped(const QTime& time, PatternField field, int steps) {
    const auto wrap = [](int value, int steps, int size) {
        return ((value + steps) % size + size) % size;
    };
    switch (field) {
    case PatternField::Hour:
    case PatternField::Hour12:
        return time.addSecs(3600LL * steps);
    case PatternField::Minute:
        return QTime(time.hour(), wrap(time.minute(), steps, 60), time.second());
    case PatternField::Second:
        return QTime(time.hour(), time.minute(), wrap(time.second(), steps, 60));
    case PatternField::Marker:
    case PatternField::LowerMarker:
        return time.addSecs(12LL * 3600 * steps);
    default:
        return time;
    }
}

} // namespace

TimeOfDayPicker::TimeOfDayPicker(const RegionalSettings& rs, QWidget* parent)
    : QAbstractSpinBox(parent), regional_(rs) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textEdited, this, &TimeOfDayPicker::takeTypedText);
    connect(this, &QAbstractSpinBox::editingFinished, this, &TimeOfDayPicker::showTime);
    showTime();
}

QString TimeOfDayPicker::textFor(const QTime& time) const {
    return formatTimePattern(regional_.longTimeFormat, time, regional_);
}

void TimeOfDayPicker::setTime(const QTime& time) {
    if (!time.isValid())
        return;
    const QTime whole(time.hour(), time.minute(), time.second());
    const bool changed = whole != time_;
    time_ = whole;
    showTime();
    if (changed)
        emit timeChanged(time_);
}

void TimeOfDayPicker::showTime() {
    const QString text = textFor(time_);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void TimeOfDayPicker::takeTypedText(const QString& text) {
    const std::optional<QTime> read = parseTimePattern(regional_.longTimeFormat, text, regional_);
    if (!read || *read == time_)
        return;
    time_ = *read;
    emit timeChanged(time_);
}

QValidator::State TimeOfDayPicker::validate(QString& input, int&) const {
    return parseTimePattern(regional_.longTimeFormat, input, regional_) ? QValidator::Acceptable
                                                                        : QValidator::Intermediate;
}

void TimeOfDayPicker::fixup(QString& input) const {
    if (!parseTimePattern(regional_.longTimeFormat, input, regional_))
        input = textFor(time_);
}

QAbstractSpinBox::StepEnabled TimeOfDayPicker::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

qsizetype TimeOfDayPicker::fieldAtCursor() const {
    const QList<WrittenPiece> pieces =
        timePatternPieces(regional_.longTimeFormat, time_, regional_);
    const QLineEdit* edit = lineEdit();
    const int cursor = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    qsizetype nearest = -1;
    qsizetype distance = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const WrittenPiece& piece = pieces[i];
        if (!isField(piece.field))
            continue;
        const qsizetype end = piece.start + piece.length;
        const qsizetype away = cursor < piece.start ? piece.start - cursor
                               : cursor > end       ? cursor - end
                                                    : 0;
        if (nearest < 0 || away < distance) {
            nearest = i;
            distance = away;
        }
    }
    return nearest;
}

void TimeOfDayPicker::stepBy(int steps) {
    takeTypedText(lineEdit()->text());
    const qsizetype index = fieldAtCursor();
    if (index < 0)
        return;
    const PatternField field =
        timePatternPieces(regional_.longTimeFormat, time_, regional_)[index].field;
    setTime(stepped(time_, field, steps));
    const WrittenPiece piece = timePatternPieces(regional_.longTimeFormat, time_, regional_)[index];
    lineEdit()->setSelection(int(piece.start), int(piece.length));
}

// As a spin box measures itself, over the widest texts of the locale.
QSize TimeOfDayPicker::sizeHint() const {
    ensurePolished();
    int widest = 0;
    for (const QTime& time : kWidestTimes)
        widest = qMax(widest, fontMetrics().horizontalAdvance(textFor(time)));
    // The editor keeps two pixels beside its text and one for the cursor.
    const int editorRoom = 2 * 2 + 1;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize inside(widest + editorRoom, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, inside, this);
}

QSize TimeOfDayPicker::minimumSizeHint() const {
    return sizeHint();
}

} // namespace dvx
