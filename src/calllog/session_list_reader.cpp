#include "calllog/session_list_reader.h"

#include "store/registry/giving_way.h"

#include <QThread>
#include <QTimer>
#include <memory>

namespace dvx {

SessionListReader::SessionListReader(QString hiveFile) : file_(std::move(hiveFile)) {
    pool_.setMaxThreadCount(1);
}

SessionListReader::~SessionListReader() {
    stop_ = true;
    pool_.waitForDone();
}

void SessionListReader::read(const RegionalSettings& regional, Done done, RecordsCounted counted) {
    auto result = std::make_shared<std::promise<SessionListReading>>();
    pending_ = Pending{++serial_, result->get_future(), std::move(done), std::move(counted)};
    pool_.start([this, result, serial = serial_, regional] {
        // The reading gives way to the window and to the desktop whenever they have work.
        QThread::currentThread()->setPriority(QThread::IdlePriority);
        const auto counted = [this, serial](qsizetype count) {
            QMetaObject::invokeMethod(
                &handBack_, [this, serial, count] { tellCount(serial, count); },
                Qt::QueuedConnection);
        };
        result->set_value(ReadSessionListOfHive(file_, regional, stop_, counted));
        QMetaObject::invokeMethod(
            &handBack_, [this, serial] { deliverOnceShown(serial); }, Qt::QueuedConnection);
    });
}

void SessionListReader::finish() {
    if (!pending_)
        return;
    pending_->result.wait();
    deliver(pending_->serial);
}

void SessionListReader::dispose(ListedSessions rows) {
    if (!rows.isDetached() || rows.isEmpty())
        return; // someone else still holds them, or there is nothing to free
    pool_.start([rows = std::move(rows)]() mutable { rows = {}; });
}

void SessionListReader::tellCount(std::uint64_t serial, qsizetype count) {
    if (pending_ && pending_->serial == serial && pending_->counted)
        pending_->counted(count);
}

// A long list that lands while the window comes up would hold it: it lands just after.
void SessionListReader::deliverOnceShown(std::uint64_t serial) {
    const std::chrono::milliseconds wait = WayStillGiven();
    if (wait.count() > 0)
        QTimer::singleShot(wait, &handBack_, [this, serial] { deliverOnceShown(serial); });
    else
        deliver(serial);
}

// A result already handed back by finish() is not handed back again.
void SessionListReader::deliver(std::uint64_t serial) {
    if (!pending_ || pending_->serial != serial)
        return;
    Pending done = std::move(*pending_);
    pending_.reset();
    done.done(done.result.get());
}

} // namespace dvx
