// The three pages: "Logs" with the session list and the totals, "Alarms" with the four limits,
// "Setup" with the tariff and the description settings.
#include "ui/main_window/frm_main.h"

#include "metering/session_list_model.h"
#include "ui/icons/pictures.h"
#include "ui/main_window/largest_texts.h"
#include "ui/main_window/placed_controls.h"
#include "ui/main_window/session_list_columns.h"
#include "ui/main_window/time_of_day_picker.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>

namespace dvx {

namespace {

constexpr QSize kBoxSize(69, 21);
constexpr int kListWidth = 451;
constexpr int kStripWidth = 520;
constexpr int kGap = 3;

QTreeView* sessionListView(QWidget* page, SessionListModel* model, const ColumnWidths& widths,
                           int growth) {
    auto* list = new QTreeView(page);
    list->setModel(model);
    list->setObjectName(QStringLiteral("LVSessions"));
    list->setAccessibleName(QStringLiteral("Sessions"));
    list->setGeometry(0, 0, kListWidth + growth, 157);
    list->setItemDelegate(new OwnDirectionDelegate(list));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(false);
    for (int column = 0; column < int(widths.size()); ++column)
        list->setColumnWidth(column, widths[std::size_t(column)]);
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

TimeOfDayPicker* labelledPicker(QWidget* page, const QString& name, const QString& label,
                                QPoint labelAt, QPoint pickerAt, const QString& hint,
                                const RegionalSettings& rs) {
    TimeOfDayPicker* picker = TimePicker(page, name, SpokenName(label), pickerAt, hint, rs);
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
    LVSessions = sessionListView(tabStatistics, sessionList_, listColumnWidths_, widthGrowth_);
    const QString logHint = QStringLiteral("Open the Sessions log");
    btnSaveLog =
        PictureButton(tabStatistics, QStringLiteral("btnSaveLog"), QStringLiteral("Save Log"),
                      logHint, SaveLogPicture(), {kListWidth + 2 + widthGrowth_, 0});
    btnLoadLog =
        PictureButton(tabStatistics, QStringLiteral("btnLoadLog"), QStringLiteral("Load Log"),
                      logHint, LoadLogPicture(), {kListWidth + 2 + widthGrowth_, 52});
    btnPrintLog =
        PictureButton(tabStatistics, QStringLiteral("btnPrintLog"), QStringLiteral("Print Log"),
                      logHint, PrintLogPicture(), {kListWidth + 2 + widthGrowth_, 104});

    QWidget* strip = PlainPanel(tabStatistics, QRect(0, 157, kStripWidth + widthGrowth_, 44));
    EtchedLine(strip, QRect(0, 0, kStripWidth + widthGrowth_, 4));
    edtTotalCallTime = ShowingBox(strip, QStringLiteral("edtTotalCallTime"),
                                  QStringLiteral("Total Call Time"), QRect(84, 12, 116, 21));
    WidenForTexts(edtTotalCallTime, LargestDurationTexts());
    LabelBeside(strip, QStringLiteral("Total Call Time:"), {9, 16}, edtTotalCallTime);
    edtTotalCost = ShowingBox(strip, QStringLiteral("edtTotalCost"),
                              QStringLiteral("Total Call Charges"), QRect(302, 12, 69, 21));
    WidenForTexts(edtTotalCost, LargestMoneyTexts(regional()));
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
    for (QLineEdit* box : {edtSessionCostAlarm, edtTotalCostAlarm})
        WidenForTexts(box, LargestMoneyTexts(regional()));
    chainFocus({edtTotalCostAlarm, edtTotalTimeAlarm, edtSessionCostAlarm, edtSessionTimeAlarm});
    return tabAlarms;
}

QWidget* TfrmMain::buildSetupPage() {
    tabSetup = new QWidget(this); // measured in the window's font, then moved into its page
    tabSetup->setObjectName(QStringLiteral("tabSetup"));
    // The rates' column starts where its widest label ends, and is as wide as the widest rate;
    // the pickers' column, right of it, likewise. Every label keeps the window's font.
    const QString rateLabels[] = {
        QStringLiteral("Off Peak Per Minute:"), QStringLiteral("Peak Per Minute:"),
        QStringLiteral("Weekend Rate Per Minute:"), QStringLiteral("Minimum Call Charge:")};
    const int rateColumn =
        ColumnBeside(tabSetup, 4, QStringList(std::begin(rateLabels), std::end(rateLabels)), 137);
    edtOffPeakPerSecond =
        labelledBox(tabSetup, QStringLiteral("edtOffPeakPerSecond"), rateLabels[0], {35, 13},
                    {rateColumn, 9}, QStringLiteral("Cost per minute for offpeak calls"));
    edtPeakPerSecond =
        labelledBox(tabSetup, QStringLiteral("edtPeakPerSecond"), rateLabels[1], {52, 41},
                    {rateColumn, 37}, QStringLiteral("Cost per minute for peak calls"));
    edtWeekendPerSecond =
        labelledBox(tabSetup, QStringLiteral("edtWeekendPerSecond"), rateLabels[2], {4, 69},
                    {rateColumn, 65}, QStringLiteral("Cost per minute for Weekend rate calls"));
    edtMinimumCallCharge = labelledBox(
        tabSetup, QStringLiteral("edtMinimumCallCharge"), rateLabels[3], {33, 97}, {rateColumn, 93},
        QStringLiteral("Minimum cost per call regardless of duration"));
    const QList<QLineEdit*> rateBoxes = {edtOffPeakPerSecond, edtPeakPerSecond, edtWeekendPerSecond,
                                         edtMinimumCallCharge};
    const int rateWidth = BoxWidthFor(edtOffPeakPerSecond, LargestRateTexts(regional()));
    for (QLineEdit* box : rateBoxes)
        box->resize(qMax(box->width(), rateWidth), box->height());

    const QString timeLabels[] = {QStringLiteral("Off Peak Start:"),
                                  QStringLiteral("Off Peak End:"), QStringLiteral("Weekend Start:"),
                                  QStringLiteral("Weekend End:")};
    // The time labels keep clear of the rates; the pickers keep clear of the time labels.
    const int timeLabelsLeft = edtOffPeakPerSecond->geometry().right() + 1 + 4 * kGap;
    const auto labelAt = [timeLabelsLeft](int x, int y) {
        return QPoint(qMax(x, timeLabelsLeft), y);
    };
    const int pickerColumn =
        ColumnBeside(tabSetup, qMax(224, timeLabelsLeft),
                     QStringList(std::begin(timeLabels), std::end(timeLabels)), 300);
    DTPOffPeakStart = labelledPicker(
        tabSetup, QStringLiteral("DTPOffPeakStart"), timeLabels[0], labelAt(229, 12),
        {pickerColumn, 8}, QStringLiteral("Time of day when offpeak billing starts"), regional());
    DTPOffPeakEnd = labelledPicker(
        tabSetup, QStringLiteral("DTPOffPeakEnd"), timeLabels[1], labelAt(232, 40),
        {pickerColumn, 36}, QStringLiteral("Time of day when peak billing starts"), regional());
    DTPWeekendStart = labelledPicker(
        tabSetup, QStringLiteral("DTPWeekendStart"), timeLabels[2], labelAt(224, 68),
        {pickerColumn, 64}, QStringLiteral("Time of day (on Friday) when Weekend rate starts"),
        regional());
    DTPWeekendEnd = labelledPicker(tabSetup, QStringLiteral("DTPWeekendEnd"), timeLabels[3],
                                   labelAt(227, 96), {pickerColumn, 92},
                                   QStringLiteral("Time of day (on Monday) when Weekend rate ends"),
                                   regional());
    const int dayColumn = qMax(395, DTPOffPeakStart->geometry().right() + 1 + kGap);
    PlacedLabel(tabSetup, QStringLiteral("Friday"), {dayColumn, 68});
    PlacedLabel(tabSetup, QStringLiteral("Monday"), {dayColumn, 96});

    EtchedLine(tabSetup, QRect(-2, 121, 523 + widthGrowth_, 5));
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
