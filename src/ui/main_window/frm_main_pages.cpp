// The three pages: "Logs" with the session list and the totals, "Alarms" with the four limits,
// "Setup" with the tariff and the description settings.
#include "ui/main_window/frm_main.h"

#include "metering/session_list_model.h"
#include "metering/time_pattern.h"
#include "ui/icons/pictures.h"
#include "ui/main_window/placed_controls.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeView>

namespace dvx {

namespace {

constexpr QSize kBoxSize(69, 21);

QTreeView* sessionListView(QWidget* page, SessionListModel* model) {
    auto* list = new QTreeView(page);
    list->setModel(model);
    list->setObjectName(QStringLiteral("LVSessions"));
    list->setAccessibleName(QStringLiteral("Sessions"));
    list->setGeometry(0, 0, 451, 157);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(false);
    const int widths[] = {120, 130, 130, 50};
    for (int column = 0; column < 4; ++column)
        list->setColumnWidth(column, widths[column]);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, QColor(241, 251, 255));
    list->setPalette(palette);
    return list;
}

// A box with its label at the left; the box is spoken by the label's text.
QLineEdit* labelledBox(QWidget* page, const QString& name, const QString& label, QPoint labelAt,
                       QPoint boxAt, const QString& hint) {
    QLineEdit* box = PlacedBox(page, name, SpokenName(label), QRect(boxAt, kBoxSize), hint);
    LabelBeside(page, label, labelAt, box);
    return box;
}

QTimeEdit* labelledPicker(QWidget* page, const QString& name, const QString& label, QPoint labelAt,
                          QPoint pickerAt, const QString& hint, const QString& format) {
    QTimeEdit* picker = TimePicker(page, name, SpokenName(label), pickerAt, hint, format);
    LabelBeside(page, label, labelAt, picker);
    return picker;
}

void chainFocus(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace

QWidget* TfrmMain::buildLogsPage() {
    tabStatistics = new QWidget(this); // measured in the window's font, then moved into its page
    tabStatistics->setObjectName(QStringLiteral("tabStatistics"));
    LVSessions = sessionListView(tabStatistics, sessionList_);
    const QString logHint = QStringLiteral("Open the Sessions log");
    btnSaveLog = PictureButton(tabStatistics, QStringLiteral("btnSaveLog"),
                               QStringLiteral("Save Log"), logHint, SaveLogPicture(), {453, 0});
    btnLoadLog = PictureButton(tabStatistics, QStringLiteral("btnLoadLog"),
                               QStringLiteral("Load Log"), logHint, LoadLogPicture(), {453, 52});
    btnPrintLog =
        PictureButton(tabStatistics, QStringLiteral("btnPrintLog"), QStringLiteral("Print Log"),
                      logHint, PrintLogPicture(), {453, 104});

    QWidget* strip = PlainPanel(tabStatistics, QRect(0, 157, 520, 44));
    EtchedLine(strip, QRect(0, 0, 520, 4));
    edtTotalCallTime = ShowingBox(strip, QStringLiteral("edtTotalCallTime"),
                                  QStringLiteral("Total Call Time"), QRect(84, 12, 116, 21));
    LabelBeside(strip, QStringLiteral("Total Call Time:"), {9, 16}, edtTotalCallTime);
    edtTotalCost = ShowingBox(strip, QStringLiteral("edtTotalCost"),
                              QStringLiteral("Total Call Charges"), QRect(302, 12, 69, 21));
    LabelBeside(strip, QStringLiteral("Total Call Charges:"), {211, 16}, edtTotalCost);
    for (QLineEdit* box : {edtTotalCallTime, edtTotalCost}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        box->setPalette(palette);
    }
    // Below the page's visible area, as it always was: the label is not seen.
    lblLastResetDate = PlacedLabel(tabStatistics, QStringLiteral("(Totals Since)"), {5, 243});
    lblLastResetDate->setObjectName(QStringLiteral("lblLastResetDate"));
    return tabStatistics;
}

QWidget* TfrmMain::buildAlarmsPage() {
    tabAlarms = new QWidget(this); // measured in the window's font, then moved into its page
    tabAlarms->setObjectName(QStringLiteral("tabAlarms"));
    edtSessionTimeAlarm = labelledBox(
        tabAlarms, QStringLiteral("edtSessionTimeAlarm"), QStringLiteral("Session Time Alarm:"),
        {16, 14}, {120, 12},
        QStringLiteral("The duration in minutes for each session before the an alarm sounds"));
    PlacedLabel(tabAlarms, QStringLiteral("Minutes"), {196, 16});
    edtSessionCostAlarm = labelledBox(
        tabAlarms, QStringLiteral("edtSessionCostAlarm"), QStringLiteral("Session Cost Alarm:"),
        {18, 40}, {120, 38}, QStringLiteral("The cost for each session before alarm sounds"));
    edtTotalTimeAlarm = labelledBox(
        tabAlarms, QStringLiteral("edtTotalTimeAlarm"), QStringLiteral("Total Time Alarm:"),
        {29, 70}, {120, 66},
        QStringLiteral("The total time for all sessions since the last reset before alarm sounds"));
    PlacedLabel(tabAlarms, QStringLiteral("Minutes"), {196, 70});
    edtTotalCostAlarm = labelledBox(
        tabAlarms, QStringLiteral("edtTotalCostAlarm"), QStringLiteral("Total Cost Alarm:"),
        {31, 96}, {120, 92},
        QStringLiteral("The total cost for all sessions since the last reset before alarm sounds"));
    chainFocus({edtTotalCostAlarm, edtTotalTimeAlarm, edtSessionCostAlarm, edtSessionTimeAlarm});
    return tabAlarms;
}

QWidget* TfrmMain::buildSetupPage() {
    tabSetup = new QWidget(this); // measured in the window's font, then moved into its page
    tabSetup->setObjectName(QStringLiteral("tabSetup"));
    edtOffPeakPerSecond = labelledBox(tabSetup, QStringLiteral("edtOffPeakPerSecond"),
                                      QStringLiteral("Off Peak Per Minute:"), {35, 13}, {137, 9},
                                      QStringLiteral("Cost per minute for offpeak calls"));
    edtPeakPerSecond = labelledBox(tabSetup, QStringLiteral("edtPeakPerSecond"),
                                   QStringLiteral("Peak Per Minute:"), {52, 41}, {137, 37},
                                   QStringLiteral("Cost per minute for peak calls"));
    edtWeekendPerSecond = labelledBox(
        tabSetup, QStringLiteral("edtWeekendPerSecond"), QStringLiteral("Weekend Rate Per Minute:"),
        {4, 69}, {137, 65}, QStringLiteral("Cost per minute for Weekend rate calls"));
    edtMinimumCallCharge = labelledBox(
        tabSetup, QStringLiteral("edtMinimumCallCharge"), QStringLiteral("Minimum Call Charge:"),
        {33, 97}, {137, 93}, QStringLiteral("Minimum cost per call regardless of duration"));

    const QString format = QtTimeFormat(regional().longTimeFormat);
    DTPOffPeakStart = labelledPicker(
        tabSetup, QStringLiteral("DTPOffPeakStart"), QStringLiteral("Off Peak Start:"), {229, 12},
        {300, 8}, QStringLiteral("Time of day when offpeak billing starts"), format);
    DTPOffPeakEnd = labelledPicker(tabSetup, QStringLiteral("DTPOffPeakEnd"),
                                   QStringLiteral("Off Peak End:"), {232, 40}, {300, 36},
                                   QStringLiteral("Time of day when peak billing starts"), format);
    DTPWeekendStart = labelledPicker(
        tabSetup, QStringLiteral("DTPWeekendStart"), QStringLiteral("Weekend Start:"), {224, 68},
        {300, 64}, QStringLiteral("Time of day (on Friday) when Weekend rate starts"), format);
    PlacedLabel(tabSetup, QStringLiteral("Friday"), {395, 68});
    DTPWeekendEnd = labelledPicker(
        tabSetup, QStringLiteral("DTPWeekendEnd"), QStringLiteral("Weekend End:"), {227, 96},
        {300, 92}, QStringLiteral("Time of day (on Monday) when Weekend rate ends"), format);
    PlacedLabel(tabSetup, QStringLiteral("Monday"), {395, 96});

    EtchedLine(tabSetup, QRect(-2, 121, 523, 5));
    edtDefaultEntryDescription =
        PlacedBox(tabSetup, QStringLiteral("edtDefaultEntryDescription"),
                  QStringLiteral("Default Entry Description"), QRect(150, 138, 179, 21));
    LabelBeside(tabSetup, QStringLiteral("Default Entry Description:"), {26, 142},
                edtDefaultEntryDescription);
    cbPromptForDescription =
        PlacedCheckBox(tabSetup, QStringLiteral("cbPromptForDescription"),
                       QStringLiteral("Prompt For Description"), QRect(368, 140, 129, 17));
    cbAutoStart =
        PlacedCheckBox(tabSetup, QStringLiteral("cbAutoStart"),
                       QStringLiteral("Run Dorvantix at system startup"), QRect(26, 176, 185, 17));
    chainFocus({DTPOffPeakStart, DTPOffPeakEnd, DTPWeekendStart, DTPWeekendEnd, edtOffPeakPerSecond,
                edtPeakPerSecond, edtWeekendPerSecond, edtMinimumCallCharge, cbAutoStart,
                edtDefaultEntryDescription, cbPromptForDescription});
    return tabSetup;
}

} // namespace dvx
