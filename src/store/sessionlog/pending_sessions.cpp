#include "store/sessionlog/pending_sessions.h"

#include <algorithm>

namespace dvx {

PendingSessions::PendingSessions(RecordWriter writeRecord, DescriptionWriter writeDescription)
    : writeRecord_(std::move(writeRecord)), writeDescription_(std::move(writeDescription)) {}

std::uint64_t PendingSessions::add(const SessionRecord& record, std::int32_t totalSeconds,
                                   Currency totalCharges) {
    Pending pending;
    pending.ticket = nextTicket_++;
    pending.record = record;
    pending.totalSeconds = totalSeconds;
    pending.totalCharges = totalCharges;
    sessions_.push_back(std::move(pending));
    return sessions_.back().ticket;
}

void PendingSessions::describe(std::uint64_t ticket, const QString& description) {
    for (Pending& pending : sessions_) {
        if (pending.ticket == ticket) {
            pending.described = true;
            pending.description = description;
        }
    }
}

bool PendingSessions::write() {
    while (!sessions_.empty()) {
        Pending& first = sessions_.front();
        if (first.key.isEmpty()) {
            first.key = writeRecord_(first.record, first.totalSeconds, first.totalCharges);
            if (first.key.isEmpty())
                return false;
        }
        if (!first.described)
            return true;
        writeDescription_(first.key, first.description);
        sessions_.pop_front();
    }
    return true;
}

qsizetype PendingSessions::unsaved() const {
    return std::count_if(sessions_.begin(), sessions_.end(),
                         [](const Pending& pending) { return pending.key.isEmpty(); });
}

} // namespace dvx
