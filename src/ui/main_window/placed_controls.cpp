#include "ui/main_window/placed_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QToolButton>

namespace dvx {

namespace {

constexpr QSize kPictureButtonSize(67, 52);
constexpr QSize kTimePickerSize(91, 21);
constexpr int kLabelGap = 3;

} // namespace

QString SpokenName(const QString& caption) {
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

QToolButton* PictureButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& hint, const QPixmap& picture, QPoint at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(SpokenName(caption));
    button->setToolTip(hint);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setGeometry(QRect(at, kPictureButtonSize));
    return button;
}

QLabel* PlacedLabel(QWidget* parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* LabelBeside(QWidget* parent, const QString& text, QPoint at, QWidget* box) {
    QLabel* label = PlacedLabel(parent, text, at);
    label->setBuddy(box);
    const int room = box->x() - kLabelGap - at.x();
    if (label->width() > room)
        label->move(qMax(0, box->x() - kLabelGap - label->width()), at.y());
    return label;
}

QLineEdit* PlacedBox(QWidget* parent, const QString& name, const QString& spokenName,
                     const QRect& geometry, const QString& hint) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(spokenName);
    box->setToolTip(hint);
    box->setGeometry(geometry);
    return box;
}

QLineEdit* ShowingBox(QWidget* parent, const QString& name, const QString& spokenName,
                      const QRect& geometry) {
    QLineEdit* box = PlacedBox(parent, name, spokenName, geometry);
    box->setReadOnly(true);
    return box;
}

QTimeEdit* TimePicker(QWidget* parent, const QString& name, const QString& spokenName, QPoint at,
                      const QString& hint, const QString& displayFormat) {
    auto* picker = new QTimeEdit(parent);
    picker->setObjectName(name);
    picker->setAccessibleName(spokenName);
    picker->setToolTip(hint);
    picker->setDisplayFormat(displayFormat);
    picker->setGeometry(QRect(at, kTimePickerSize));
    return picker;
}

QCheckBox* PlacedCheckBox(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(SpokenName(caption));
    box->setGeometry(geometry);
    return box;
}

QFrame* EtchedLine(QWidget* parent, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setGeometry(geometry);
    auto* line = new QFrame(frame);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(0, geometry.height() - 2, geometry.width(), 2);
    return frame;
}

QWidget* PlainPanel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace dvx
