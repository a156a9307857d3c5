#include "ui/tray/tray_tip.h"

namespace dvx {

QString TrayTip(const QString& hint, bool showHint) {
    if (!showHint || hint.isEmpty())
        return {};
    qsizetype length = 0;
    for (int characters = 0; characters < kTrayTipLength && length < hint.size(); ++characters)
        length += hint.at(length).isHighSurrogate() && length + 1 < hint.size() ? 2 : 1;
    return hint.left(length);
}

} // namespace dvx
