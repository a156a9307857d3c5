// A program linked with the whole core and every shared library it brings, used or not, so that
// its dynamic section lists all of them.
#include "metering/meter/session_meter.h"
#include "metering/money_text.h"

int main() {
    const dvx::RegionalSettings regional = dvx::RegionalSettings::british();
    return dvx::MoneyText(dvx::Currency(), regional).isEmpty() ? 1 : 0;
}
