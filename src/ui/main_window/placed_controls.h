#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace dvx {

struct RegionalSettings;
class TimeOfDayPicker;

// Controls at fixed pixel places, each with its name, hint and the accessible name a screen
// reader speaks: a button or check box its caption, a box the text of the label beside it.

// The text a screen reader speaks for a caption or a label: without "&" and a trailing colon.
QString SpokenName(const QString& caption);

// A flat button with a 32 x 32 picture above its caption, 67 x 52.
QToolButton* PictureButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& hint, const QPixmap& picture, QPoint at);
QLabel* PlacedLabel(QWidget* parent, const QString& text, QPoint at);
// The label of a box, at its place unless its text would run into the box: then it ends just
// before the box, as the fonts here are wider than those the places were made for. It is always
// written in its parent's font: where the room left of the box is too small, the box moves
// (see ColumnBeside).
QLabel* LabelBeside(QWidget* parent, const QString& text, QPoint at, QWidget* box);
// The left edge of a column of boxes: its place, or further right where the widest of the labels
// starting at `labelsLeft` needs it.
int ColumnBeside(const QWidget* parent, int labelsLeft, const QStringList& labels, int placedAt);
// The width a box needs to show the widest of the texts whole, in its own font and style.
int BoxWidthFor(const QLineEdit* box, const QStringList& texts);
// Makes the box as wide as its texts need, never narrower than it is.
void WidenForTexts(QLineEdit* box, const QStringList& texts);
QLineEdit* PlacedBox(QWidget* parent, const QString& name, const QString& spokenName,
                     const QRect& geometry, const QString& hint = {});
// A read-only box written only by the program.
QLineEdit* ShowingBox(QWidget* parent, const QString& name, const QString& spokenName,
                      const QRect& geometry);
// A time-of-day picker with up-down arrows showing the locale's time texts, 91 x 21 or as wide
// as they need.
TimeOfDayPicker* TimePicker(QWidget* parent, const QString& name, const QString& spokenName,
                            QPoint at, const QString& hint, const RegionalSettings& rs);
// A check box at its place, made wider when its caption needs more room.
QCheckBox* PlacedCheckBox(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry);
// A single etched line along the bottom of the given place.
QFrame* EtchedLine(QWidget* parent, const QRect& geometry);
// A panel at a fixed place, with no bevel.
QWidget* PlainPanel(QWidget* parent, const QRect& geometry);

} // namespace dvx
