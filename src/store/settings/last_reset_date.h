#pragma once

#include <QString>

namespace dvx {

// The caption that says since when the totals count: "(Totals Since <date>)".
QString TotalsSinceText(const QString& date);

} // namespace dvx
