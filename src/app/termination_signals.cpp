#include "app/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace dvx {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler is given nothing but the signal's number, so the end of the pipe it writes
// to is the one thing it finds at namespace scope. It may do almost nothing: it writes one byte
// that the message loop reads.
volatile sig_atomic_t signalWriteEnd = -1;

void writeSignalByte(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalWriteEnd, &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipe_) != 0)
        return;
    signalWriteEnd = pipe_[0];
    notifier_ = new QSocketNotifier(pipe_[1], QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { signalCame(); });
    struct sigaction action = {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr)
        return;
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    signalWriteEnd = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::onSignal(std::function<void()> beforeQuitting) {
    beforeQuitting_ = std::move(beforeQuitting);
}

void TerminationSignals::signalCame() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(pipe_[1], &byte, 1);
    requested_ = true;
    // Ends every running loop without closing the windows first, as "Exit" does.
    QCoreApplication::exit(0);
    if (beforeQuitting_)
        beforeQuitting_();
}

} // namespace dvx
