#pragma once

#include <QChar>

namespace dvx {

// The value of a digit of any script, as QChar::digitValue gives it; ASCII digits, by far the
// most common, without a look-up.
inline int digitValueOf(QChar c) {
    const char16_t unit = c.unicode();
    return unit >= u'0' && unit <= u'9' ? unit - u'0' : c.digitValue();
}

} // namespace dvx
