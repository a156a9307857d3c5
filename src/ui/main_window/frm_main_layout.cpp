// The window's regions from top to bottom: command bar, log name band, pages, current call
// panel and status bar, at the fixed places of the original layout.
#include "ui/main_window/frm_main.h"

#include "ui/icons/pictures.h"
#include "ui/main_window/largest_texts.h"
#include "ui/main_window/paint_gradient.h"
#include "ui/main_window/placed_controls.h"
#include "ui/main_window/session_list_columns.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace dvx {

namespace {

constexpr int kWidth = 528;
constexpr int kHeight = 376;
constexpr int kCommandBarHeight = 53;
constexpr int kBandHeight = 19;
constexpr int kPagesHeight = 229;
constexpr int kCallPanelHeight = 56;
constexpr int kStatusHeight = 19;

const QColor kNavy(0, 0, 128);

QPixmap navyBand(const QSize& size) {
    QPixmap band(size);
    QPainter painter(&band);
    PaintGradient(painter, size.width(), size.height(), kNavy, kNavy);
    return band;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

// The boxes of the current call: read-only, bold, on pale blue.
QLineEdit* callBox(QWidget* parent, const QString& name, const QString& spokenName,
                   const QRect& geometry, const QColor& text) {
    QLineEdit* box = ShowingBox(parent, name, spokenName, geometry);
    setBold(box);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(240, 251, 255));
    palette.setColor(QPalette::Text, text);
    box->setPalette(palette);
    return box;
}

QLabel* whiteLabel(QWidget* parent, const QString& text, QPoint at, QWidget* box = nullptr) {
    QLabel* label = box ? LabelBeside(parent, text, at, box) : PlacedLabel(parent, text, at);
    setTextColour(label, Qt::white);
    return label;
}

} // namespace

void TfrmMain::buildWindow() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    listColumnWidths_ = SessionListWidths(font, style(), regional());
    widthGrowth_ = SessionListGrowth(listColumnWidths_);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientWidth(), kHeight);
    setCentralWidget(client);
    buildCommandBar(client);
    buildBody(client);
    move(200, 169);
}

int TfrmMain::clientWidth() const {
    return kWidth + widthGrowth_;
}

// The user cannot resize the window: its client area and the menu bar above it.
void TfrmMain::fixWindowSize() {
    setFixedSize(clientWidth(), kHeight + menuBar()->sizeHint().height());
}

QWidget* TfrmMain::buildCommandBar(QWidget* parent) {
    QWidget* bar = PlainPanel(parent, QRect(0, 0, clientWidth(), kCommandBarHeight));
    BtnResetTotals = PictureButton(bar, QStringLiteral("BtnResetTotals"), QStringLiteral("Reset"),
                                   QStringLiteral("Resets current log"), ResetPicture(), {4, 0});
    btnSetChanges =
        PictureButton(bar, QStringLiteral("btnSetChanges"), QStringLiteral("Set Changes"),
                      QStringLiteral("Sets any changes made to the settings below"),
                      SetChangesPicture(), {72, 0});
    btnMonitor = PictureButton(bar, QStringLiteral("btnMonitor"), QStringLiteral("Monitor!"),
                               QStringLiteral("Activate monitor mode"), MonitorPicture(), {140, 0});
    btnManualStart = PictureButton(
        bar, QStringLiteral("btnManualStart"), QStringLiteral("Manual Start"),
        QStringLiteral("Manually start costing a call"), ManualStartPicture(), {208, 0});
    btnManualStop = PictureButton(
        bar, QStringLiteral("btnManualStop"), QStringLiteral("Manual Stop"),
        QStringLiteral("Manually stop costing a call"), ManualStopPicture(), {276, 0});
    return bar;
}

QWidget* TfrmMain::buildBody(QWidget* parent) {
    QWidget* body =
        PlainPanel(parent, QRect(0, kCommandBarHeight, clientWidth(), kHeight - kCommandBarHeight));
    GradImage1 = new QLabel(body);
    GradImage1->setObjectName(QStringLiteral("GradImage1"));
    GradImage1->setGeometry(0, 0, clientWidth(), kBandHeight);
    GradImage1->setPixmap(navyBand(GradImage1->size()));
    lblLogname = whiteLabel(GradImage1, QString(), {4, 3});
    lblLogname->setObjectName(QStringLiteral("lblLogname"));
    setBold(lblLogname);

    PageControl1 = new QTabWidget(body);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, kBandHeight, clientWidth(), kPagesHeight);
    PageControl1->addTab(buildLogsPage(), QStringLiteral("Logs"));
    PageControl1->addTab(buildAlarmsPage(), QStringLiteral("Alarms"));
    PageControl1->addTab(buildSetupPage(), QStringLiteral("Setup"));
    PageControl1->setCurrentWidget(tabStatistics);

    buildCurrentCallPanel(body)->move(0, kBandHeight + kPagesHeight);

    SB = new QStatusBar(body);
    SB->setObjectName(QStringLiteral("SB"));
    SB->setSizeGripEnabled(false);
    // A screen reader speaks the status bar by its text, which Qt paints without telling it.
    connect(SB, &QStatusBar::messageChanged, SB, &QWidget::setAccessibleName);
    SB->setGeometry(0, kBandHeight + kPagesHeight + kCallPanelHeight, clientWidth(), kStatusHeight);
    // Shown at the right while finished calls wait to be saved.
    lblUnsaved_ = new QLabel(SB);
    lblUnsaved_->setObjectName(QStringLiteral("lblUnsaved"));
    SB->addPermanentWidget(lblUnsaved_);
    lblUnsaved_->hide();
    return body;
}

QWidget* TfrmMain::buildCurrentCallPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->resize(clientWidth(), kCallPanelHeight);
    GradImage2 = new QLabel(panel);
    GradImage2->setObjectName(QStringLiteral("GradImage2"));
    GradImage2->setGeometry(1, 1, clientWidth() - 2, kCallPanelHeight - 2);
    GradImage2->setPixmap(navyBand(GradImage2->size()));

    // Places inside the panel; the picture starts one pixel in, inside the bevel.
    edtCurrentChargeRate = callBox(GradImage2, QStringLiteral("edtCurrentChargeRate"),
                                   QStringLiteral("Current Charge Rate"),
                                   QRect(123 - 1, 7 - 1, 69, 21), palette().color(QPalette::Text));
    edtCurrentChargeRate->setToolTip(QStringLiteral("The current billing rate per minute"));
    WidenForTexts(edtCurrentChargeRate, LargestRateTexts(regional()));
    whiteLabel(GradImage2, QStringLiteral("Current Charge Rate :"), {15 - 1, 11 - 1},
               edtCurrentChargeRate);
    edtSessionCallTime = callBox(GradImage2, QStringLiteral("edtSessionCallTime"),
                                 QStringLiteral("Call Time This Session"),
                                 QRect(122 - 1, 32 - 1, 116, 21), Qt::black);
    WidenForTexts(edtSessionCallTime, LargestDurationTexts());
    whiteLabel(GradImage2, QStringLiteral("Call Time This Session:"), {9 - 1, 36 - 1},
               edtSessionCallTime);
    edtSessionCost = callBox(GradImage2, QStringLiteral("edtSessionCost"),
                             QStringLiteral("Call Charge This Session"),
                             QRect(392 - 1, 32 - 1, 116, 21), Qt::black);
    WidenForTexts(edtSessionCost, LargestMoneyTexts(regional()));
    whiteLabel(GradImage2, QStringLiteral("Call Charge This Session:"), {267 - 1, 36 - 1},
               edtSessionCost);
    return panel;
}

} // namespace dvx
