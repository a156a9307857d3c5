#pragma once

#include <QString>

namespace dvx {

// The tray shows at most this many characters of its tip.
inline constexpr int kTrayTipLength = 63;

// The tip the tray shows for a hint: its first 63 characters (a character is never split), or
// nothing when the hint is not to be shown.
QString TrayTip(const QString& hint, bool showHint);

} // namespace dvx
