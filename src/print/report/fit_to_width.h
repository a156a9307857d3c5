#pragma once

#include <QString>

namespace dvx {

// A text made exactly width characters wide: cut to its first width characters, or followed by
// blanks up to the width.
QString FitToWidth(const QString& text, int width);

} // namespace dvx
