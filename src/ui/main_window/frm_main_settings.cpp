// The settings: loaded at start-up and after Set Changes, saved by Set Changes.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/runlist/xdg_autostart_run_list.h"
#include "store/settings/first_run.h"
#include "store/settings/last_reset_date.h"
#include "store/settings/settings_store.h"
#include "store/settings/store_keys.h"
#include "ui/floating/frm_float.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

namespace dvx {

namespace {

// Only the digits "0" to "9" of a text, in their order.
QString digitsOnly(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return digits;
}

} // namespace

// Reads every setting into the window, step by step. A stored text that cannot be converted
// stops the load at its step: what was read before is in effect, the rest keeps its former
// value.
void TfrmMain::LoadSettings() {
    const SettingsStore product(regional(), kProductKey);
    ReadFirstRunFlag(FirstRunFlag);
    product.readText(QStringLiteral("DefaultDescription"), DefaultDescription);
    edtDefaultEntryDescription->setText(DefaultDescription);
    product.readFlag(QStringLiteral("PromptForDescription"), PromptForDescription);
    cbPromptForDescription->setChecked(PromptForDescription);
    loadFloatingDisplay(product);
    ReadLastResetDate(LastResetDate, clock().now(), regional());
    lblLastResetDate->setText(TotalsSinceText(LastResetDate));
    product.readThousandths(QStringLiteral("MinCallCharge"), Tariff.minimumCharge);
    product.readThousandths(QStringLiteral("OffPeakPerSecond"), Tariff.offPeakRate);
    product.readThousandths(QStringLiteral("PeakPerSecond"), Tariff.peakRate);
    product.readThousandths(QStringLiteral("WeekendPerSecond"), Tariff.weekendRate);
    product.readTime(QStringLiteral("OffPeakStart"), Tariff.offPeakStart);
    product.readTime(QStringLiteral("OffPeakEnd"), Tariff.offPeakEnd);
    product.readTime(QStringLiteral("WeekendEnd"), Tariff.weekendEnd);
    product.readTime(QStringLiteral("WeekendStart"), Tariff.weekendStart);
    product.readInteger(QStringLiteral("TotalCallTime"), TotalSeconds);
    product.readMoney(QStringLiteral("TotalCallCharges"), TotalCharges);
    bool autoRun = cbAutoStart->isChecked();
    product.readFlag(QStringLiteral("AutoRun"), autoRun);
    cbAutoStart->setChecked(autoRun);
    loadAlarmLimits();
    showLoadedTariffAndTotals();
}

// The floating display's stored place, then whether it is shown (which writes that back).
void TfrmMain::loadFloatingDisplay(const SettingsStore& product) {
    std::int32_t left = frmFloat->x();
    product.readInteger(QStringLiteral("FloatLeft"), left);
    frmFloat->move(left, frmFloat->y());
    std::int32_t top = frmFloat->y();
    product.readInteger(QStringLiteral("FloatTop"), top);
    frmFloat->move(frmFloat->x(), top);
    bool shown = FloatingShown;
    product.readFlag(QStringLiteral("FloatingDisplay"), shown);
    SetFloatingDisplay(shown);
}

// Without an "Alarms" key (no Set Changes yet) nothing is created and the limits stay as they
// were.
void TfrmMain::loadAlarmLimits() {
    const SettingsStore alarms(regional(), kAlarmsKey);
    alarms.readInteger(QStringLiteral("SessionTimeAlarm"), SessionTimeAlarm);
    alarms.readMoney(QStringLiteral("SessionCostAlarm"), SessionCostAlarm);
    edtSessionTimeAlarm->setText(QString::number(SessionTimeAlarm));
    edtSessionCostAlarm->setText(MoneyText(SessionCostAlarm, regional()));
    alarms.readInteger(QStringLiteral("TotalTimeAlarm"), TotalTimeAlarm);
    alarms.readMoney(QStringLiteral("TotalCostAlarm"), TotalCostAlarm);
    edtTotalTimeAlarm->setText(QString::number(TotalTimeAlarm));
    edtTotalCostAlarm->setText(MoneyText(TotalCostAlarm, regional()));
}

void TfrmMain::showLoadedTariffAndTotals() {
    DTPOffPeakEnd->setTime(timeOf(Tariff.offPeakEnd));
    DTPOffPeakStart->setTime(timeOf(Tariff.offPeakStart));
    DTPWeekendEnd->setTime(timeOf(Tariff.weekendEnd));
    DTPWeekendStart->setTime(timeOf(Tariff.weekendStart));
    edtOffPeakPerSecond->setText(RateText(Tariff.offPeakRate, regional()));
    edtPeakPerSecond->setText(RateText(Tariff.peakRate, regional()));
    edtWeekendPerSecond->setText(RateText(Tariff.weekendRate, regional()));
    edtMinimumCallCharge->setText(RateText(Tariff.minimumCharge, regional()));
    edtTotalCallTime->setText(DurationText(TotalSeconds));
    edtTotalCost->setText(MoneyText(TotalCharges, regional()));
}

// Writes the pages' settings one by one and loads them again, which brings every box back to
// its canonical text. A box whose text cannot be converted stops it there: the settings before
// it are written, the rest are not, and nothing is reloaded.
void TfrmMain::btnSetChangesClick() {
    const SettingsStore product(regional(), kProductKey);
    const SettingsStore alarms(regional(), kAlarmsKey);
    product.writeRateText(QStringLiteral("MinCallCharge"), edtMinimumCallCharge->text());
    product.writeRateText(QStringLiteral("OffPeakPerSecond"), edtOffPeakPerSecond->text());
    product.writeRateText(QStringLiteral("PeakPerSecond"), edtPeakPerSecond->text());
    product.writeRateText(QStringLiteral("WeekendPerSecond"), edtWeekendPerSecond->text());
    product.writeTime(QStringLiteral("OffPeakStart"), encodeTime(DTPOffPeakStart->time()));
    product.writeTime(QStringLiteral("OffPeakEnd"), encodeTime(DTPOffPeakEnd->time()));
    product.writeTime(QStringLiteral("WeekendEnd"), encodeTime(DTPWeekendEnd->time()));
    product.writeTime(QStringLiteral("WeekendStart"), encodeTime(DTPWeekendStart->time()));
    alarms.writeMinutesText(QStringLiteral("SessionTimeAlarm"), edtSessionTimeAlarm->text());
    alarms.writeMoneyText(QStringLiteral("SessionCostAlarm"), edtSessionCostAlarm->text());
    alarms.writeMinutesText(QStringLiteral("TotalTimeAlarm"), edtTotalTimeAlarm->text());
    alarms.writeMoneyText(QStringLiteral("TotalCostAlarm"), edtTotalCostAlarm->text());
    storeFloatingPosition();
    product.writeFlag(QStringLiteral("AutoRun"), cbAutoStart->isChecked());
    product.writeFlag(QStringLiteral("PromptForDescription"), cbPromptForDescription->isChecked());
    product.writeText(QStringLiteral("DefaultDescription"), edtDefaultEntryDescription->text());
    if (cbAutoStart->isChecked())
        runList().write(QCoreApplication::applicationFilePath());
    else
        runList().remove();
    LoadSettings();
}

// The two time limit boxes keep only digits; the cursor stays after the digits typed before it.
void TfrmMain::edtSessionTimeAlarmChange(QLineEdit* box) {
    const QString text = box->text();
    const QString digits = digitsOnly(text);
    if (digits == text)
        return;
    const qsizetype cursor = digitsOnly(text.left(box->cursorPosition())).size();
    box->setText(digits);
    box->setCursorPosition(int(cursor));
}

// The rate and charge boxes accept any text; it is cleaned when it is converted.
void TfrmMain::edtOffPeakPerSecondChange() {}

// The desktop's list of programs started at logon: the one the program was given, else the
// user's autostart folder.
RunList& TfrmMain::runList() {
    if (services_.runList != nullptr)
        return *services_.runList;
    static XdgAutostartRunList autostart;
    return autostart;
}

} // namespace dvx
