#pragma once

#include <QString>
#include <functional>

namespace dvx {

// A message for the desktop's notification centre, beside (never instead of) the program's own
// windows and boxes.
struct DesktopNotification {
    enum class Urgency { low, normal, critical };

    QString summary;
    QString body;
    Urgency urgency = Urgency::normal;
    // Notifications of one kind replace each other on the desktop: the latest one stands.
    QString kind;

    bool operator==(const DesktopNotification&) const = default;
};

// The desktop's notifications. Sending returns at once and never waits for the desktop; where
// no notification service runs, nothing happens. Each notification offers one action, which
// opens the program's main window.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const DesktopNotification& notification) = 0;
    // What choosing a notification's action does.
    virtual void setOpenHandler(std::function<void()> open) = 0;
};

} // namespace dvx
