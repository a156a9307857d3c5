// The settings: loaded at start-up and after Set Changes, saved by Set Changes.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/runlist/run_list.h"
#include "store/settings/last_reset_date.h"
#include "store/settings/program_settings.h"
#include "ui/floating/frm_float.h"
#include "ui/main_window/time_of_day_picker.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

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
    const SettingsStore product = services_.settingsStore.product(regional());
    services_.settingsStore.ReadFirstRunFlag(settings_.FirstRunFlag);
    product.readText(QStringLiteral("DefaultDescription"), settings_.DefaultDescription);
    showText(edtDefaultEntryDescription, settings_.DefaultDescription);
    product.readFlag(QStringLiteral("PromptForDescription"), settings_.PromptForDescription);
    writes_.write(cbPromptForDescription,
                  [on = settings_.PromptForDescription](QCheckBox& box) { box.setChecked(on); });
    loadFloatingDisplay(product);
    QString resetDate = meter_.lastResetDate();
    services_.settingsStore.ReadLastResetDate(resetDate, clock().now(), regional());
    meter_.setLastResetDate(resetDate);
    showText(lblLastResetDate, TotalsSinceText(resetDate));
    loadTariff(product);
    loadTotals(product);
    product.readFlag(QStringLiteral("AutoRun"), settings_.AutoRun);
    writes_.write(cbAutoStart, [on = settings_.AutoRun](QCheckBox& box) { box.setChecked(on); });
    loadAlarmLimits();
    showLoadedTariffAndTotals();
}

// Each rate and time read is in effect at once, also when a later one fails to convert.
void TfrmMain::loadTariff(const SettingsStore& product) {
    Tariff tariff = meter_.tariff();
    const auto takeEffect = qScopeGuard([this, &tariff] { meter_.setTariff(tariff); });
    product.readThousandths(QStringLiteral("MinCallCharge"), tariff.minimumCharge);
    product.readThousandths(QStringLiteral("OffPeakPerSecond"), tariff.offPeakRate);
    product.readThousandths(QStringLiteral("PeakPerSecond"), tariff.peakRate);
    product.readThousandths(QStringLiteral("WeekendPerSecond"), tariff.weekendRate);
    product.readTime(QStringLiteral("OffPeakStart"), tariff.offPeakStart);
    product.readTime(QStringLiteral("OffPeakEnd"), tariff.offPeakEnd);
    product.readTime(QStringLiteral("WeekendEnd"), tariff.weekendEnd);
    product.readTime(QStringLiteral("WeekendStart"), tariff.weekendStart);
}

// The stored totals; the calls that wait for the store stay in the totals beside them.
void TfrmMain::loadTotals(const SettingsStore& product) {
    std::int32_t seconds = callLog_.storedSeconds();
    Currency charges = callLog_.storedCharges();
    const auto takeEffect =
        qScopeGuard([this, &seconds, &charges] { callLog_.setStoredTotals(seconds, charges); });
    product.readInteger(QStringLiteral("TotalCallTime"), seconds);
    product.readMoney(QStringLiteral("TotalCallCharges"), charges);
}

// The floating display's stored place, then whether it is shown (which writes that back).
void TfrmMain::loadFloatingDisplay(const SettingsStore& product) {
    std::int32_t left = frmFloat->x();
    product.readInteger(QStringLiteral("FloatLeft"), left);
    frmFloat->move(left, frmFloat->y());
    std::int32_t top = frmFloat->y();
    product.readInteger(QStringLiteral("FloatTop"), top);
    frmFloat->move(frmFloat->x(), top);
    bool shown = settings_.FloatingShown;
    product.readFlag(QStringLiteral("FloatingDisplay"), shown);
    SetFloatingDisplay(shown);
}

// Without an "Alarms" key (no Set Changes yet) nothing is created and the limits stay as they
// were.
void TfrmMain::loadAlarmLimits() {
    const SettingsStore alarms = services_.settingsStore.alarms(regional());
    AlarmLimits limits = meter_.alarmLimits();
    const auto takeEffect = qScopeGuard([this, &limits] { meter_.setAlarmLimits(limits); });
    alarms.readInteger(QStringLiteral("SessionTimeAlarm"), limits.sessionTimeMinutes);
    alarms.readMoney(QStringLiteral("SessionCostAlarm"), limits.sessionCost);
    showText(edtSessionTimeAlarm, QString::number(limits.sessionTimeMinutes));
    showText(edtSessionCostAlarm, MoneyText(limits.sessionCost, regional()));
    alarms.readInteger(QStringLiteral("TotalTimeAlarm"), limits.totalTimeMinutes);
    alarms.readMoney(QStringLiteral("TotalCostAlarm"), limits.totalCost);
    showText(edtTotalTimeAlarm, QString::number(limits.totalTimeMinutes));
    showText(edtTotalCostAlarm, MoneyText(limits.totalCost, regional()));
}

void TfrmMain::showLoadedTariffAndTotals() {
    const Tariff& tariff = meter_.tariff();
    const auto showTime = [this](TimeOfDayPicker* const& picker, DateTime time) {
        writes_.write(picker, [shown = timeOf(time)](TimeOfDayPicker& box) { box.setTime(shown); });
    };
    showTime(DTPOffPeakEnd, tariff.offPeakEnd);
    showTime(DTPOffPeakStart, tariff.offPeakStart);
    showTime(DTPWeekendEnd, tariff.weekendEnd);
    showTime(DTPWeekendStart, tariff.weekendStart);
    showText(edtOffPeakPerSecond, RateText(tariff.offPeakRate, regional()));
    showText(edtPeakPerSecond, RateText(tariff.peakRate, regional()));
    showText(edtWeekendPerSecond, RateText(tariff.weekendRate, regional()));
    showText(edtMinimumCallCharge, RateText(tariff.minimumCharge, regional()));
    showText(edtTotalCallTime, DurationText(meter_.totalSeconds()));
    showText(edtTotalCost, MoneyText(meter_.totalCharges(), regional()));
}

// Writes the pages' settings one by one and loads them again, which brings every box back to
// its canonical text. A box whose text cannot be converted stops it there: the settings before
// it are written, the rest are not, and nothing is reloaded.
void TfrmMain::btnSetChangesClick() {
    buildControls();
    const SettingsStore product = services_.settingsStore.product(regional());
    const SettingsStore alarms = services_.settingsStore.alarms(regional());
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
        services_.runList.write(QCoreApplication::applicationFilePath());
    else
        services_.runList.remove();
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

} // namespace dvx
