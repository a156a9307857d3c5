#pragma once

#include "metering/regional_settings.h"

#include <QChar>
#include <QStringView>
#include <QVarLengthArray>

namespace dvx {

// The digits and regional decimal separators of a money text, in their order, once the regional
// currency symbol is taken off: all of a money text that is read back. A text of ordinary length
// is gathered without allocating.
class MoneyDigits {
public:
    MoneyDigits(QStringView text, const RegionalSettings& rs);

    QStringView view() const { return QStringView(kept_.constData(), kept_.size()); }

private:
    static constexpr qsizetype kKeptInPlace = 64;

    QVarLengthArray<QChar, kKeptInPlace> kept_;
};

} // namespace dvx
