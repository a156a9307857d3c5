#pragma once

#ifndef Q_MOC_RUN // the standard library's headers are beyond the meta-object compiler
#include "metering/regional_settings.h"
#endif

#include <QAbstractSpinBox>
#include <QTime>

namespace dvx {

// A time-of-day picker that shows and takes the program's own long time text for the locale:
// the digits, AM/PM words and literal text the program writes and reads back, wide enough for
// them. The up and down arrows (keys, wheel or buttons) step the field under the cursor, hour,
// minute, second or AM/PM word, wrapping round; a typed text is taken as soon as it reads as a
// time, and a text that never does gives way to the last time when editing ends.
class TimeOfDayPicker final : public QAbstractSpinBox {
    Q_OBJECT

public:
    TimeOfDayPicker(const RegionalSettings& rs, QWidget* parent = nullptr);

    QTime time() const { return time_; }
    void setTime(const QTime& time);
    // The text shown for a time.
    QString textFor(const QTime& time) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void timeChanged(const QTime& time);

protected:
    StepEnabled stepEnabled() const override;

private:
    void takeTypedText(const QString& text);
    void showTime();
    // The index of the piece the cursor is in, or the nearest field to it.
    qsizetype fieldAtCursor() const;

    RegionalSettings regional_;
    QTime time_{0, 0};
};

} // namespace dvx
