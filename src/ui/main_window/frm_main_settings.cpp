// The settings: loaded at start-up and after Set Changes, saved by Set Changes.
#include "ui/main_window/frm_main.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "platform/clock/clock.h"

#include <QCheckBox>
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

std::int32_t minutesOf(const QString& text) {
    bool ok = false;
    const std::int32_t minutes = text.toInt(&ok);
    return ok ? minutes : 0;
}

} // namespace

// Until the settings store joins, the settings live in memory only: this shows them in the
// pages and counts the program as configured. The settings store completes it.
void TfrmMain::LoadSettings() {
    FirstRunFlag = 1;
    edtDefaultEntryDescription->setText(DefaultDescription);
    cbPromptForDescription->setChecked(PromptForDescription);
    if (LastResetDate.isEmpty())
        LastResetDate = DateTimeText(clock().now(), regional());
    lblLastResetDate->setText(QStringLiteral("(Totals Since %1)").arg(LastResetDate));
    edtSessionTimeAlarm->setText(QString::number(SessionTimeAlarm));
    edtSessionCostAlarm->setText(MoneyText(SessionCostAlarm, regional()));
    edtTotalTimeAlarm->setText(QString::number(TotalTimeAlarm));
    edtTotalCostAlarm->setText(MoneyText(TotalCostAlarm, regional()));
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

// Until the settings store joins, Set Changes takes the pages' settings into memory and shows
// them again. The settings store completes it with writing them.
void TfrmMain::btnSetChangesClick() {
    Tariff.minimumCharge =
        ThousandthsToCurrency(ParseRateText(edtMinimumCallCharge->text(), regional()));
    Tariff.offPeakRate =
        ThousandthsToCurrency(ParseRateText(edtOffPeakPerSecond->text(), regional()));
    Tariff.peakRate = ThousandthsToCurrency(ParseRateText(edtPeakPerSecond->text(), regional()));
    Tariff.weekendRate =
        ThousandthsToCurrency(ParseRateText(edtWeekendPerSecond->text(), regional()));
    Tariff.offPeakStart = encodeTime(DTPOffPeakStart->time());
    Tariff.offPeakEnd = encodeTime(DTPOffPeakEnd->time());
    Tariff.weekendEnd = encodeTime(DTPWeekendEnd->time());
    Tariff.weekendStart = encodeTime(DTPWeekendStart->time());
    SessionTimeAlarm = minutesOf(edtSessionTimeAlarm->text());
    SessionCostAlarm = ParseMoneyText(edtSessionCostAlarm->text(), regional());
    TotalTimeAlarm = minutesOf(edtTotalTimeAlarm->text());
    TotalCostAlarm = ParseMoneyText(edtTotalCostAlarm->text(), regional());
    PromptForDescription = cbPromptForDescription->isChecked();
    DefaultDescription = edtDefaultEntryDescription->text();
    LoadSettings();
}

// The two time limit boxes keep only digits.
void TfrmMain::edtSessionTimeAlarmChange(QLineEdit* box) {
    const QString digits = digitsOnly(box->text());
    if (digits != box->text())
        box->setText(digits);
}

// The rate and charge boxes accept any text; it is cleaned when it is converted.
void TfrmMain::edtOffPeakPerSecondChange() {}

} // namespace dvx
