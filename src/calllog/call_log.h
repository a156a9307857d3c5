#pragma once

#include "calllog/listed_store.h"
#include "calllog/session_list_reader.h"
#include "calllog/waiting_calls_file.h"
#include "metering/meter/finished_session.h"
#include "metering/regional_settings.h"
#include "store/registry/store_result.h"
#include "store/sessionlog/session_record.h"

#include <QHash>
#include <QString>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace dvx {

class SessionListModel;
class SessionLogStore;
class SessionMeter;
struct Tariff;

// What the call log did with the calls on their way into the hive, for the windows to show.
struct CallLogReport {
    // Calls whose record is not in the hive yet.
    qsizetype unsaved = 0;
    // A reason why calls cannot be saved that was not told before (never a hive that another
    // program only holds for a moment); told once until every call is saved.
    std::optional<QString> newProblem;
    // The hive could not be used and now can: its settings are to be loaded, and the calls timed
    // meanwhile priced.
    bool storeUsableAgain = false;
};

// The calls after they end: each finished session is recorded whole in the hive (its totals, its
// record and its first description in one change), and the user's description replaces the
// first one afterwards. A call the hive cannot take waits, in the order the calls ended, in
// memory and in a file beside the hive, and is tried again until it lands: a billed call is
// never dropped. The totals are the stored ones plus the waiting calls, so loading the stored
// totals again never loses nor doubles a waiting call.
//
// The call log also keeps the running call in the hive every few seconds, so that a crash loses
// little of it, records a call left there by a program that ended during it, and feeds the
// session list: the new record's row is added, and the list is read again when the hive changed
// otherwise.
class CallLog {
public:
    // The running call is kept each time this many seconds of it have passed.
    static constexpr std::int32_t kKeepEverySeconds = 10;

    using Ticket = std::uint64_t;

    CallLog(SessionMeter& meter, SessionLogStore& store, SessionListModel& list,
            const RegionalSettings& regional, WaitingCallsFile waitingFile);

    // Takes up the calls that waited when the program last ended.
    void start();

    // The totals as they are stored; the meter's totals are these plus the waiting calls.
    void setStoredTotals(std::int32_t seconds, Currency charges);
    std::int32_t storedSeconds() const { return storedSeconds_; }
    Currency storedCharges() const { return storedCharges_; }

    // Records a finished session with the description proposed for it. Fails with "Integer
    // overflow", recording nothing, when its seconds no longer fit the totals.
    Ticket record(const FinishedSession& session, const QString& description);
    // The user's description replaces the first one.
    void describe(Ticket ticket, const QString& description);
    // Tries the waiting calls again, in order: at once after another program held the hive, else
    // every few ticks. While the hive cannot be used at all, looks every few ticks whether it
    // can be now.
    CallLogReport tick();
    // What waits now, and a problem not told yet, without trying anything.
    CallLogReport news();
    qsizetype unsaved() const;
    // The program is about to end: the waiting calls are tried for up to `patience` while
    // another program holds the hive; what still waits stays in the file for the next start.
    qsizetype saveBeforeExit(std::chrono::milliseconds patience);

    // The hive cannot be used: nothing is written until tick() finds that it can.
    void storeUnusable();
    // The hive may only be read, and the user knows: calls wait without another word.
    void storeReadOnly() { told_ = true; }
    bool storeUsable() const { return storeUsable_; }
    // Calls timed while no tariff could be read get the charge of their start in `tariff`.
    void priceWaitingCalls(const Tariff& tariff);

    // Starts the log again; on success the waiting calls, which belong to the log that ended,
    // go too. Nothing changes when it fails.
    StoreResult reset(const QString& resetDate);

    // The running call in the hive: kept when it starts and then every kKeepEverySeconds.
    void keepRunningCall();
    // The user ends the program during a call: it is never recorded, now or at a later start.
    void dropRunningCall();
    // A call left in the hive by a program that ended during it, as the session it was when
    // last kept, for record(); nothing when there is none, when it is on its way in already, or
    // when the user dropped it. What cannot be read as a call is removed.
    std::optional<FinishedSession> takeLeftoverCall();

    // Whether a failure to fill the list is told to the user.
    enum class ListTelling { tell, quiet };
    // Called once the list shows a reading of the store: without a failure the sums are those
    // of its rows; with one the reading stopped at a record, and `tell` says whether a fill
    // that asked for it to be told is answered.
    using ListFilled = std::function<void(std::exception_ptr failure, bool tell)>;
    // From now on the list is read on the reader's thread: fillList() only starts a reading, and
    // `filled` is called on this thread when the list shows it.
    void readListAside(std::unique_ptr<SessionListReader> reader, ListFilled filled);

    // Makes the session list show the store as it is now (nothing to do when it does) and gives
    // the sums of its rows. A record whose charge cannot be read stops the reading there with
    // the conversion error, thrown here or given to `filled`: the rows before it and its own
    // row without its cost stay, and the sums stay as they were.
    void fillList(ListTelling telling = ListTelling::tell);
    std::int32_t listedSeconds() const { return listedSeconds_; }
    Currency listedCharges() const { return listedCharges_; }
    // Whether the list shows the store as it is now.
    bool listShowsStore() const;
    // Whether a reading of the list is under way on the reader's thread.
    bool listReading() const { return reader_ && reader_->reading(); }
    // Waits for the reading under way, so that the list is whole now.
    void settleList();

private:
    // Retries of a hive that failed for another reason than being held come this many ticks
    // apart, as do the looks whether an unusable hive can be used now.
    static constexpr int kRetryTicks = 5;

    struct Recorded {
        QString key;
        QString description;
    };

    // Lands the waiting calls in order, as far as the hive takes them; true when none waits.
    bool land();
    StoreResult landFirst();
    StoreResult recordFirst();
    StoreResult describeFirst();
    void failed(const StoreResult& result);
    void dropFirst();
    void sync();
    void showTotals();
    bool listedIsCurrent() const;
    std::optional<ListedStore> takeListed();
    void listRecord(std::optional<ListedStore> before, const QString& key,
                    const SessionRecord& record);
    void listDescription(std::optional<ListedStore> before, const QString& key,
                         const QString& description);
    void readList();
    void readListAside();
    void landReading(SessionListReading reading);
    void landRecordCount(qsizetype count);
    void showReading(SessionListReading reading, const std::optional<HiveStamp>& stamp);

    SessionMeter& meter_;
    SessionLogStore& store_;
    SessionListModel& list_;
    const RegionalSettings& regional_;
    WaitingCallsFile waitingFile_;

    std::int32_t storedSeconds_ = 0;
    Currency storedCharges_;
    WaitingCalls waiting_;
    QList<Ticket> tickets_;
    Ticket nextTicket_ = 1;
    // Calls recorded whose description may still be replaced, by ticket.
    QHash<Ticket, Recorded> recorded_;
    // The first calls of the queue came back from the file: the first may be in the hive already.
    qsizetype fromFile_ = 0;
    bool fileHolds_ = false;
    bool fileDirty_ = false;

    bool storeUsable_ = true;
    int ticksToNextTry_ = 0;
    bool lastFailureBusy_ = false;
    bool told_ = false;
    std::optional<QString> untold_;
    // The running call as last kept: its start and the step of kKeepEverySeconds it had reached.
    std::optional<std::pair<DateTime, std::int32_t>> kept_;

    std::optional<ListedStore> listed_;
    std::int32_t listedSeconds_ = 0;
    Currency listedCharges_;
    // The reading under way: the store and the list as they were when it started.
    std::optional<HiveStamp> readingStamp_;
    std::uint64_t readingGeneration_ = 0;
    bool tellReading_ = false;
    ListFilled filled_;
    // Last, so that it is gone, its thread stopped, before anything a reading uses.
    std::unique_ptr<SessionListReader> reader_;
};

} // namespace dvx
