#pragma once

#include "ui/tray/tray_host.h"

namespace dvx {

// A tray whose kind and presence the test sets.
class FakeTrayHost final : public TrayHost {
public:
    FakeTrayHost(bool isStatusNotifier, bool isThere)
        : isStatusNotifier(isStatusNotifier), isThere(isThere) {}

    void settleKind() override { ++settled; }
    bool statusNotifier() const override { return isStatusNotifier; }
    bool present() override { return isThere; }

    bool isStatusNotifier;
    bool isThere;
    int settled = 0;
};

} // namespace dvx
