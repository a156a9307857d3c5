#include "metering/conversion_error.h"

namespace dvx {

ConversionError invalidTime(const QString& text) {
    return ConversionError(QStringLiteral("'%1' is not a valid time").arg(text));
}

ConversionError invalidDateTime(const QString& text) {
    return ConversionError(QStringLiteral("'%1' is not a valid date and time").arg(text));
}

ConversionError invalidFloat(const QString& text) {
    return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

ConversionError invalidInteger(const QString& text) {
    return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

RangeError rangeCheckError() {
    return RangeError(QStringLiteral("Range check error"));
}

RangeError integerOverflow() {
    return RangeError(QStringLiteral("Integer overflow"));
}

} // namespace dvx
