#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTimeEdit;
class QToolButton;
class QWidget;

namespace dvx {

// Controls at fixed pixel places, each with its name, hint and the accessible name a screen
// reader speaks: a button or check box its caption, a box the text of the label beside it.

// The text a screen reader speaks for a caption or a label: without "&" and a trailing colon.
QString SpokenName(const QString& caption);

// A flat button with a 32 x 32 picture above its caption, 67 x 52.
QToolButton* PictureButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& hint, const QPixmap& picture, QPoint at);
QLabel* PlacedLabel(QWidget* parent, const QString& text, QPoint at);
// The label of a box, at its place unless its text would run into the box: then it ends just
// before the box, as the fonts here are wider than those the places were made for. A text that
// does not fit between the box and the control left of it on its row is written smaller.
QLabel* LabelBeside(QWidget* parent, const QString& text, QPoint at, QWidget* box);
QLineEdit* PlacedBox(QWidget* parent, const QString& name, const QString& spokenName,
                     const QRect& geometry, const QString& hint = {});
// A read-only box written only by the program.
QLineEdit* ShowingBox(QWidget* parent, const QString& name, const QString& spokenName,
                      const QRect& geometry);
// A time-of-day picker with up-down arrows, 91 x 21.
QTimeEdit* TimePicker(QWidget* parent, const QString& name, const QString& spokenName, QPoint at,
                      const QString& hint, const QString& displayFormat);
// A check box at its place, made wider when its caption needs more room.
QCheckBox* PlacedCheckBox(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry);
// A single etched line along the bottom of the given place.
QFrame* EtchedLine(QWidget* parent, const QRect& geometry);
// A panel at a fixed place, with no bevel.
QWidget* PlainPanel(QWidget* parent, const QRect& geometry);

} // namespace dvx
