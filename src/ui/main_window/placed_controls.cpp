#include "ui/main_window/placed_controls.h"

#include "ui/main_window/time_of_day_picker.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
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

namespace {

// The right edge of the controls left of `place` on its row, or -1 when there are none.
int leftNeighboursEdge(const QWidget* parent, const QRect& place, const QWidget* self) {
    int edge = -1;
    for (const QObject* child : parent->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget == nullptr || widget == self || widget->isWindow())
            continue;
        const QRect other = widget->geometry();
        const bool sameRow = other.top() <= place.bottom() && other.bottom() >= place.top();
        if (sameRow && other.right() < place.left())
            edge = qMax(edge, other.right());
    }
    return edge;
}

} // namespace

QLabel* LabelBeside(QWidget* parent, const QString& text, QPoint at, QWidget* box) {
    QLabel* label = PlacedLabel(parent, text, at);
    label->setBuddy(box);
    const int left = leftNeighboursEdge(parent, label->geometry(), label) + 1 + kLabelGap;
    const int right = box->x() - kLabelGap;
    if (label->x() + label->width() > right)
        label->move(qMax(qMax(0, left), right - label->width()), at.y());
    return label;
}

int ColumnBeside(const QWidget* parent, int labelsLeft, const QStringList& labels, int placedAt) {
    int widest = 0;
    for (const QString& label : labels)
        widest = qMax(widest, parent->fontMetrics().size(Qt::TextShowMnemonic, label).width());
    return qMax(placedAt, labelsLeft + widest + kLabelGap);
}

int BoxWidthFor(const QLineEdit* box, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = qMax(widest, box->fontMetrics().horizontalAdvance(text));
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    // The line edit keeps two pixels beside its text and one for the cursor.
    const QSize inside(widest + margins.left() + margins.right() + 2 * 2 + 1, box->height());
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inside, box).width();
}

void WidenForTexts(QLineEdit* box, const QStringList& texts) {
    box->resize(qMax(box->width(), BoxWidthFor(box, texts)), box->height());
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

TimeOfDayPicker* TimePicker(QWidget* parent, const QString& name, const QString& spokenName,
                            QPoint at, const QString& hint, const RegionalSettings& rs) {
    auto* picker = new TimeOfDayPicker(rs, parent);
    picker->setObjectName(name);
    picker->setAccessibleName(spokenName);
    picker->setToolTip(hint);
    picker->setGeometry(QRect(at, kTimePickerSize));
    if (picker->sizeHint().width() > kTimePickerSize.width())
        picker->resize(picker->sizeHint().width(), kTimePickerSize.height());
    return picker;
}

QCheckBox* PlacedCheckBox(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setAccessibleName(SpokenName(caption));
    box->setGeometry(geometry);
    // Wide enough for the whole caption in the font used here.
    if (box->sizeHint().width() > geometry.width())
        box->resize(box->sizeHint().width(), geometry.height());
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
