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
    void onChange(std::function<void()> changed) override { this->changed = std::move(changed); }

    bool isStatusNotifier;
    bool isThere;
    int settled = 0;
    std::function<void()> changed; // what the host calls when a tray comes or goes
};

} // namespace dvx
