#include "ui/floating/frm_float.h"

#include "metering/call_texts.h"
#include "ui/floating/tool_window_hints.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

namespace dvx {

namespace {

constexpr int kWidth = 199;
// The caption, a small title bar of the window's own, above the 37 pixels of the two lines.
// Together they make 50 pixels, the least height some compositors (sway) give a floating window:
// nothing is added below it.
constexpr int kCaptionHeight = 13;
constexpr int kLinesHeight = 37;
constexpr int kTimeHeight = 17;

QLabel* caption(QWidget* window) {
    auto* label = new QLabel(window->windowTitle(), window);
    label->setObjectName(QStringLiteral("caption"));
    label->setGeometry(0, 0, kWidth, kCaptionHeight);
    label->setIndent(3);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

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

// A tool window above all others with no border icons: window managers (openbox among them)
// give every window with a title bar of theirs a close and a minimise button, so the display
// draws its own small title bar and is dragged by it, or by its lines.
TfrmFloat::TfrmFloat(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmFloat"));
    setWindowTitle(QStringLiteral("Dorvantix"));
    setFixedSize(kWidth, kCaptionHeight + kLinesHeight);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
}

// The lines are made when the display is first shown, with what it was last told: nothing of them
// is made, laid out or measured in a program whose display may never be switched on.
void TfrmFloat::setVisible(bool visible) {
    if (visible && lblTime == nullptr)
        makeLines();
    if (visible && !isVisible())
        MarkAsToolWindow(*this);
    QWidget::setVisible(visible);
}

void TfrmFloat::makeLines() {
    lblCaption = caption(this);
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(0, kCaptionHeight, kWidth, kLinesHeight);
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

// The user drags the display by its title bar, or anywhere on it: the window manager or the
// compositor moves it, as it moves a window by a title bar of its own.
void TfrmFloat::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr &&
        windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TfrmFloat::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace dvx
