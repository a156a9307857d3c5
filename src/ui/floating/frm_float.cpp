#include "ui/floating/frm_float.h"

#include "metering/call_texts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>

namespace dvx {

namespace {

constexpr int kWidth = 199;
constexpr int kHeight = 37;
constexpr int kTimeHeight = 17;

QLabel* redOnBlack(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TfrmFloat::TfrmFloat(QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmFloat"));
    setWindowTitle(QStringLiteral("Dorvantix"));
    setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
}

// The lines are made when the display is first shown, with what it was last told: nothing of them
// is made, laid out or measured in a program whose display may never be switched on.
void TfrmFloat::setVisible(bool visible) {
    if (visible && lblTime == nullptr)
        makeLines();
    QWidget::setVisible(visible);
}

void TfrmFloat::makeLines() {
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(0, 0, kWidth, kHeight);
    const QRect inside = bevel->contentsRect();
    lblTime = redOnBlack(bevel, QStringLiteral("lblTime"));
    lblTime->setGeometry(inside.x(), inside.y(), inside.width(), kTimeHeight);
    lblCost = redOnBlack(bevel, QStringLiteral("lblCost"));
    lblCost->setWordWrap(true);
    lblCost->setGeometry(inside.x(), inside.y() + kTimeHeight, inside.width(),
                         inside.height() - kTimeHeight);
    showLines();
}

void TfrmFloat::showCall(std::int32_t seconds, const QString& costText) {
    timeText_ = CallTimeText(seconds);
    costText_ = CallCostText(costText);
    showLines();
}

void TfrmFloat::showNotConnected() {
    timeText_ = QStringLiteral("Not Connected");
    costText_.clear();
    showLines();
}

void TfrmFloat::showLines() {
    if (lblTime == nullptr)
        return;
    lblTime->setText(timeText_);
    lblCost->setText(costText_);
}

void TfrmFloat::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace dvx
