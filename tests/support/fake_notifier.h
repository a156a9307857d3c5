#pragma once

#include "platform/notify/desktop_notifier.h"

#include <QList>

namespace dvx {

// Keeps the notifications that would have gone to the desktop; `choose()` is the user picking a
// notification's action.
class FakeNotifier : public DesktopNotifier {
public:
    void notify(const DesktopNotification& notification) override { sent.append(notification); }
    void setOpenHandler(std::function<void()> open) override { open_ = std::move(open); }
    void choose() const {
        if (open_)
            open_();
    }

    QList<DesktopNotification> sent;

private:
    std::function<void()> open_;
};

} // namespace dvx
