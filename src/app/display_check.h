#pragma once

#include <QString>

namespace dvx {

// What the program lacks to open its windows, or an empty text when it can start: Qt aborts
// without a display, so the program says what it needs first.
QString MissingDisplayReason();

} // namespace dvx
