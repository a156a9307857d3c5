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
}

void TfrmFloat::showCall(std::int32_t seconds, const QString& costText) {
    lblTime->setText(CallTimeText(seconds));
    lblCost->setText(CallCostText(costText));
}

void TfrmFloat::showNotConnected() {
    lblTime->setText(QStringLiteral("Not Connected"));
    lblCost->clear();
}

void TfrmFloat::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace dvx
