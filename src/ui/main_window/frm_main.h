#pragma once

// The meta-object compiler cannot read the standard library's C++20 headers these bring in.
#ifndef Q_MOC_RUN
#include "calllog/call_log.h"
#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/meter/session_meter.h"
#include "metering/regional_settings.h"
#include "metering/tariff.h"
#include "ui/main_window/call_displays.h"
#include "ui/main_window/control_writes.h"
#include "ui/main_window/monitor_notice.h"
#endif

#include <QMainWindow>
#include <QThread>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeView;

namespace dvx {

class Clock;
class ConnectionStateSource;
class DesktopNotifier;
class Dialogs;
class ProgramSettings;
class RunList;
class SessionListModel;
class SessionLogStore;
class SettingsStore;
class TCoolTrayIcon;
class TfrmAlarm;
class TfrmFloat;
class TimeOfDayPicker;
class TPagePrinter;
class TrayHost;

// The services the main window works through: the real platform ones in the program, fakes in
// tests, and the two stores over the hive the program (or the test) opened.
struct MainWindowServices {
    Clock& clock;
    ConnectionStateSource& connection;
    Dialogs& dialogs;
    RegionalSettings regional;
    // The desktop's list of programs started at logon.
    RunList& runList;
    // The settings and the session log in the hive.
    ProgramSettings& settingsStore;
    SessionLogStore& sessionLog;
    // The window that raises the alarms; without one no alarm is used up.
    TfrmAlarm* alarmWindow = nullptr;
    // The tray that holds the icon; the desktop's own when none is given.
    TrayHost* trayHost = nullptr;
    // The desktop's notifications, beside the alarm window and the boxes; none without one.
    DesktopNotifier* notifier = nullptr;
    // Whether the long work over the hive runs on threads of its own, so that a long log never
    // holds the window: the check of the hive's every page at the start and the readings of the
    // session list. Without it, that work is done at once on the window's thread.
    bool workAside = false;
};

// The settings that are the window's own rather than the meter's.
struct WindowSettings {
    QString DefaultDescription;
    bool PromptForDescription = false;
    bool FloatingShown = false;
    bool AutoRun = false;
    // 0 until the program has once been started: start-up then asks the user to configure it.
    std::int32_t FirstRunFlag = 0;
};

// The main window. It drives the session meter and the call log once a second and shows what
// they say: the call in progress, the tariff, the alarm limits and the session log; it starts
// every command, and asks for a finished call's description. It also owns the tray icon and the
// floating display.
//
// The handlers and operations are spread over files by concern: layout, start-up, monitor,
// commands, tray, settings, session log, saving, the leftover call, floating display, log file
// and printing.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The window's controls are built when it is first shown: a program that stays in the tray
    // never lays them out. Until then what they are told is kept for them (see ControlWrites).
    void setVisible(bool visible) override;
    // Builds the controls now, if they are not built yet. The handlers that read the controls
    // (Set Changes, Save Log, Load Log, Print Log) build them first.
    void buildControls();

    // Start-up and shutdown.
    void FormCreate();
    void FormDestroy();
    void ExitProgram();
    // The process is asked to end (log-out, shutdown): a call in progress ends and is recorded
    // up to this moment, without asking for its description.
    void EndCallOnTermination();

    // The session monitor: the tick, the start and end of a session, monitor mode.
    void DurationTimerTimer();
    // The timer's tick as the timer runs it.
    void runTick();
    void SetCharging(bool on);
    void SetMonitoring(bool on);

    // The rate in force now becomes the current rate and shows.
    void SelectChargeRate();

    // Settings, session log and floating display.
    void LoadSettings();
    void FillSessionList();
    void SetFloatingDisplay(bool shown);

    // Handlers of the controls and menu items.
    void BtnResetTotalsClick();
    void btnSetChangesClick();
    void btnMonitorClick();
    void btnManualStartClick();
    void btnManualStopClick();
    void btnSaveLogClick();
    void btnLoadLogClick();
    void btnPrintLogClick();
    void tabStatisticsShow();
    void edtSessionTimeAlarmChange(QLineEdit* box);
    void edtOffPeakPerSecondChange();
    void mnuMonitorClick();
    void mnuFloatingDisplayClick();
    void mnuFloatingDisplayPopUpClick();
    void mnuShowStatisticsClick();
    void CoolTrayIconDblClick();
    void CoolTrayIconTrayMissing();
    void FormClose();
    void mnuExitClick();
    void Exit1Click();
    void About1Click();

    // Runs a handler as every event runs: an error it raises is shown in the general error box.
    void runGuarded(const std::function<void()>& handler);

    const RegionalSettings& regional() const { return services_.regional; }
    Clock& clock() const { return services_.clock; }
    Dialogs& dialogs() const { return services_.dialogs; }
    // The meter of the calls: what the window shows of the call, the tariff and the totals.
    const SessionMeter& meter() const { return meter_; }
    // The calls after they end: recorded, waiting for the hive, and the session list.
    const CallLog& callLog() const { return callLog_; }
    const SessionListModel& sessionList() const { return *sessionList_; }
    const WindowSettings& settings() const { return settings_; }

    // The controls: null until the window is first shown (or buildControls is called).
    // Command bar.
    QToolButton* BtnResetTotals = nullptr;
    QToolButton* btnSetChanges = nullptr;
    QToolButton* btnMonitor = nullptr;
    QToolButton* btnManualStart = nullptr;
    QToolButton* btnManualStop = nullptr;

    // Log name band, pages, current call panel, status bar.
    QLabel* GradImage1 = nullptr;
    QLabel* lblLogname = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* tabStatistics = nullptr;
    QWidget* tabAlarms = nullptr;
    QWidget* tabSetup = nullptr;
    QLabel* GradImage2 = nullptr;
    QLineEdit* edtCurrentChargeRate = nullptr;
    QLineEdit* edtSessionCallTime = nullptr;
    QLineEdit* edtSessionCost = nullptr;
    QStatusBar* SB = nullptr;

    // "Logs" page.
    QTreeView* LVSessions = nullptr;
    QToolButton* btnSaveLog = nullptr;
    QToolButton* btnLoadLog = nullptr;
    QToolButton* btnPrintLog = nullptr;
    QLineEdit* edtTotalCallTime = nullptr;
    QLineEdit* edtTotalCost = nullptr;
    QLabel* lblLastResetDate = nullptr;

    // "Alarms" page.
    QLineEdit* edtSessionTimeAlarm = nullptr;
    QLineEdit* edtSessionCostAlarm = nullptr;
    QLineEdit* edtTotalTimeAlarm = nullptr;
    QLineEdit* edtTotalCostAlarm = nullptr;

    // "Setup" page.
    QLineEdit* edtOffPeakPerSecond = nullptr;
    QLineEdit* edtPeakPerSecond = nullptr;
    QLineEdit* edtWeekendPerSecond = nullptr;
    QLineEdit* edtMinimumCallCharge = nullptr;
    TimeOfDayPicker* DTPOffPeakStart = nullptr;
    TimeOfDayPicker* DTPOffPeakEnd = nullptr;
    TimeOfDayPicker* DTPWeekendStart = nullptr;
    TimeOfDayPicker* DTPWeekendEnd = nullptr;
    QLineEdit* edtDefaultEntryDescription = nullptr;
    QCheckBox* cbPromptForDescription = nullptr;
    QCheckBox* cbAutoStart = nullptr;

    // Menu bar and tray menu, made with the window. The floating display and Exit are one action
    // each, in both menus: the tray menu's names stand for the same actions.
    QAction* mnuFloatingDisplay = nullptr;
    QAction* Exit1 = nullptr;
    QAction* About1 = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* mnuMonitor = nullptr;
    QAction* mnuFloatingDisplayPopUp = nullptr;
    QAction* mnuShowStatistics = nullptr;
    QAction* mnuExit = nullptr;

    // Components without a place on the screen.
    QTimer* DurationTimer = nullptr;
    TCoolTrayIcon* CoolTrayIcon = nullptr;
    TfrmFloat* frmFloat = nullptr;
    // The page printer that prints the log report, owned by the window. It is made at its
    // first use: it asks the system for its default printer, which loads the printing system.
    TPagePrinter* PrintLines();

signals:
    // ExitProgram was called: the message loop ends.
    void programEnding();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout, one region each.
    void buildWindow();
    void fixWindowSize();
    // The client area's width: the first width, and more where the session list's columns
    // need it in the user's locale.
    int clientWidth() const;
    QWidget* buildCommandBar(QWidget* parent);
    QWidget* buildBody(QWidget* parent);
    QWidget* buildCurrentCallPanel(QWidget* parent);
    QWidget* buildLogsPage();
    QWidget* buildAlarmsPage();
    QWidget* buildSetupPage();
    void buildActions();
    void buildMenuBar();
    void buildTray();
    void createFloatingDisplay();
    void storeFloatingPosition();
    TrayHost& trayHost();
    void connectHandlers();
    void connectButtons();
    void connectPageHandlers();
    // Writes to the controls, done at once or kept until they are built.
    void showText(QLineEdit* const& box, const QString& text);
    void showText(QLabel* const& label, const QString& text);
    void showStatus(const QString& text);
    void showMonitoringForCall();
    // While monitor mode is off the status bar does not claim to watch, and names a modem call
    // that is not metered; the tray tip names it too.
    void updateMonitorNotice();

    // Parts of the session monitor: what the window shows of the meter's doing.
    void showTickOutcome(const TickOutcome& outcome);
    void showSessionStarted();
    void showCall();
    void showNotConnected();
    void showAlarm(const std::optional<RaisedAlarm>& alarm);
    void sessionEnded(const FinishedSession& session);
    AlarmWindowState alarmWindowState() const;
    std::vector<CallDisplay*> callDisplays();
    void RecordSession(const FinishedSession& session);
    bool checkStore();
    // What the call log says of the calls on their way into the hive.
    void showCallLogNews(const CallLogReport& report);
    void showUnsavedSessions(qsizetype unsaved);
    void storeUsableAgain();
    void saveCallsBeforeExit();

    // A call left in the store by a process that ended during it is recorded at the next start.
    void recordUnfinishedCall();

    // The desktop's notifications of what the user must act on, each beside the window or box
    // that says it: an alarm, calls waiting to be saved, an unusable hive. Choosing one opens
    // the main window.
    void connectNotifier();
    void notifyAlarm(const QString& message);
    void warnOfUnsavedCalls(const QString& text);
    void warnOfUnusableHive(const QString& text);

    // The save or open dialog for a log file, opened where the user can keep one; the chosen
    // file's full name, whose folder the hive keeps for the next time.
    std::optional<QString> chooseLogFile(bool forSaving);

    // Parts of the settings and the session log.
    void loadFloatingDisplay(const SettingsStore& product);
    void loadTariff(const SettingsStore& product);
    void loadTotals(const SettingsStore& product);
    void loadAlarmLimits();
    void showLoadedTariffAndTotals();
    // The description a finished session is first recorded with.
    QString proposedDescription(const FinishedSession& session) const;
    // The list read while the program waits in the tray, so that the window opens at once.
    void fillSessionListAhead();
    bool checkHiveAside();
    void startWithHive();
    void showFilledList(const std::exception_ptr& failure, bool tell);
    void showListTotals(std::int32_t seconds, Currency charges);

    MainWindowServices services_;
    ControlWrites writes_;
    SessionMeter meter_;
    SessionListModel* sessionList_ = nullptr;
    CallLog callLog_;
    // The check of the hive at the start, while it runs on a thread of its own.
    QThread* hiveCheck_ = nullptr;
    MainWindowCallDisplay callBoxes_{writes_, edtSessionCallTime, edtSessionCost, SB};
    TrayTipDisplay trayTip_;
    MonitorNotice monitorNotice_ = MonitorNotice::other;
    WindowSettings settings_;
    QLabel* lblUnsaved_ = nullptr;
    // The printer chosen in the print dialog, kept so that the dialog offers it again. Shared
    // only so that its deleter is fixed where it is made and this header needs no QPrinter.
    std::shared_ptr<QPrinter> chosenPrinter_;
    TPagePrinter* printLines_ = nullptr;
    bool destroyed_ = false;
    // The session list's column widths and how much they widen the window, set when the
    // controls are built.
    std::array<int, 4> listColumnWidths_{};
    int widthGrowth_ = 0;
    // ExitProgram was called: the windows now close for good.
    bool ending_ = false;
};

} // namespace dvx
