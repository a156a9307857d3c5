#include "ui/main_window/frm_main.h"

#include "metering/session_list_model.h"
#include "platform/dialogs/error_guard.h"
#include "store/registry/giving_way.h"
#include "store/sessionlog/session_log_store.h"
#include "ui/floating/frm_float.h"
#include "ui/main_window/timer_pause.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <exception>

namespace dvx {

namespace {

constexpr int kTickMs = 1000;
// About as long as the window takes to come up on a slow machine.
constexpr std::chrono::milliseconds kShowingMoment{300};

} // namespace

TfrmMain::TfrmMain(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      services_(std::move(services)),
      meter_(services_.clock, services_.connection, services_.regional),
      sessionList_(new SessionListModel(services_.regional, this)),
      callLog_(meter_, services_.sessionLog, *sessionList_, services_.regional,
               WaitingCallsFile(WaitingCallsFile::besideHive(services_.sessionLog.file()))) {
    setObjectName(QStringLiteral("frmMain"));
    DurationTimer = new QTimer(this);
    DurationTimer->setObjectName(QStringLiteral("DurationTimer"));
    DurationTimer->setInterval(kTickMs);
    buildActions();
    buildTray();
    createFloatingDisplay();
    trayTip_.tray = CoolTrayIcon;
    connectHandlers();
    connectNotifier();
    if (services_.workAside)
        callLog_.readListAside(
            std::make_unique<SessionListReader>(services_.sessionLog.file()),
            [this](std::exception_ptr failure, bool tell) { showFilledList(failure, tell); });
}

void TfrmMain::setVisible(bool visible) {
    if (visible) {
        // Work aside on a long log, such as the list's reading, waits while the window comes up.
        GiveWayFor(kShowingMoment);
        buildControls();
    }
    QMainWindow::setVisible(visible);
}

void TfrmMain::buildControls() {
    if (writes_.built())
        return;
    buildWindow();
    buildMenuBar();
    fixWindowSize();
    connectButtons();
    connectPageHandlers();
    writes_.controlsBuilt();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

void TfrmMain::runGuarded(const std::function<void()>& handler) {
    Guarded(services_.dialogs, handler);
}

// The error box of a tick's own failure holds the ticks until it is closed: no call starts, ends
// or asks for its description inside it.
void TfrmMain::runTick() {
    std::exception_ptr failure;
    try {
        DurationTimerTimer();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure)
        return;
    const auto pause = PauseTimer(*DurationTimer);
    runGuarded([&failure] { std::rethrow_exception(failure); });
}

void TfrmMain::connectButtons() {
    auto onClick = [this](QToolButton* button, void (TfrmMain::*handler)()) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    onClick(BtnResetTotals, &TfrmMain::BtnResetTotalsClick);
    onClick(btnSetChanges, &TfrmMain::btnSetChangesClick);
    onClick(btnMonitor, &TfrmMain::btnMonitorClick);
    onClick(btnManualStart, &TfrmMain::btnManualStartClick);
    onClick(btnManualStop, &TfrmMain::btnManualStopClick);
    onClick(btnSaveLog, &TfrmMain::btnSaveLogClick);
    onClick(btnLoadLog, &TfrmMain::btnLoadLogClick);
    onClick(btnPrintLog, &TfrmMain::btnPrintLogClick);
}

void TfrmMain::connectHandlers() {
    auto onTrigger = [this](QAction* item, void (TfrmMain::*handler)()) {
        connect(item, &QAction::triggered, this,
                [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
    };
    onTrigger(mnuFloatingDisplay, &TfrmMain::mnuFloatingDisplayClick);
    onTrigger(Exit1, &TfrmMain::Exit1Click);
    onTrigger(About1, &TfrmMain::About1Click);
    onTrigger(mnuMonitor, &TfrmMain::mnuMonitorClick);
    onTrigger(mnuShowStatistics, &TfrmMain::mnuShowStatisticsClick);

    connect(DurationTimer, &QTimer::timeout, this, [this] { runTick(); });
    connect(frmFloat, &TfrmFloat::closed, this,
            [this] { runGuarded([this] { SetFloatingDisplay(false); }); });
    // The application closes its windows as its loop ends: that close is not the user's, and
    // must not switch the floating display off.
    connect(this, &TfrmMain::programEnding, this,
            [this] { disconnect(frmFloat, &TfrmFloat::closed, this, nullptr); });
}

void TfrmMain::connectPageHandlers() {
    tabStatistics->installEventFilter(this);
    for (QLineEdit* box : {edtSessionTimeAlarm, edtTotalTimeAlarm}) {
        connect(box, &QLineEdit::textChanged, this,
                [this, box] { runGuarded([this, box] { edtSessionTimeAlarmChange(box); }); });
    }
    for (QLineEdit* box :
         {edtOffPeakPerSecond, edtPeakPerSecond, edtWeekendPerSecond, edtMinimumCallCharge}) {
        connect(box, &QLineEdit::textChanged, this,
                [this] { runGuarded([this] { edtOffPeakPerSecondChange(); }); });
    }
}

// The "Logs" page becomes visible when it is selected, and when the window is shown with it.
bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabStatistics && event->type() == QEvent::Show)
        runGuarded([this] { tabStatisticsShow(); });
    return QMainWindow::eventFilter(watched, event);
}

} // namespace dvx
