#include "app/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace dvx {

namespace {

// A signal handler may do almost nothing: it writes one byte that the message loop reads.
int signalPipe[2] = {-1, -1};
bool terminationRequested = false;

std::function<void()>& beforeQuitting() {
    static std::function<void()> handler;
    return handler;
}

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void QuitOnTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        terminationRequested = true;
        // Ends every running loop without closing the windows first, as "Exit" does.
        QCoreApplication::exit(0);
        if (beforeQuitting())
            beforeQuitting()();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void OnTerminationSignal(std::function<void()> handler) {
    beforeQuitting() = std::move(handler);
}

bool TerminationRequested() {
    return terminationRequested;
}

} // namespace dvx
