// The session list read on a thread of its own: it shows what a reading on the window's thread
// shows, the hive as it is when the reading lands, and never overwrites rows the list was given
// meanwhile; its failures are told only to a fill that asked for it.
#include "call_log_fixture.h"

#include "calllog/session_list_reading.h"
#include "metering/conversion_error.h"
#include "store/settings/store_keys.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace dvx::test {
namespace {

QString RecordSeed(const QString& name, int seconds, const QString& charge) {
    return QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\%1]\n"
                          "\"SessionStart\"=\"03/03/2026 10:%2:00\"\n"
                          "\"CallTime\"=dword:%3\n\"CallCharges\"=\"%4\"\n"
                          "\"Description\"=\"Dial-up\"\n\n")
        .arg(name)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds, 8, 16, QLatin1Char('0'))
        .arg(charge);
}

struct Fill {
    std::exception_ptr failure;
    bool tell = false;
};

class ListReadingTest : public CallLogTest {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "calllog_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            static QCoreApplication application(argc, argv);
    }

    ListReadingTest() { readAside(); }

    void readAside() {
        log->readListAside(std::make_unique<SessionListReader>(hive.hive().file()),
                           [this](std::exception_ptr failure, bool tell) {
                               fills.push_back({failure, tell});
                           });
    }

    // Runs the event loop until the reading under way is shown.
    void waitForTheList() {
        const QDeadlineTimer deadline(10000);
        while (log->listReading() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ASSERT_FALSE(log->listReading()) << "the reading never came back";
    }

    // What a reading on this thread makes of the same hive.
    SessionRows readAtOnce() {
        SessionListModel atOnce(regional);
        CallLog direct(meter, hive.sessionLog, atOnce, regional,
                       WaitingCallsFile(hive.folder() + QStringLiteral("/direct.waiting")));
        direct.fillList();
        return atOnce.rows();
    }

    std::vector<Fill> fills;
};

TEST_F(ListReadingTest, ItShowsWhatAReadingAtOnceShowsAndThenGainsRowsWithoutReading) {
    hive.seed(RecordSeed("2", 600, "£0.35") + RecordSeed("0", 60, "£0.05") +
              RecordSeed("1", 30, "£0.05"));
    log->fillList();
    EXPECT_TRUE(log->listReading());
    waitForTheList();
    EXPECT_EQ(list.rows(), readAtOnce());
    EXPECT_EQ(list.rowTexts(2).cost, "£0.35") << "in record order";
    EXPECT_EQ(log->listedSeconds(), 690);
    EXPECT_EQ(log->listedCharges(), Currency::fromRaw(500 + 3500 + 500));
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_FALSE(fills[0].failure);
    EXPECT_TRUE(log->listShowsStore());

    const CallLog::Ticket ticket = record(120, QStringLiteral("new"));
    log->describe(ticket, QStringLiteral("answered"));
    log->fillList();
    EXPECT_FALSE(log->listReading()) << "the new row was added, not read";
    ASSERT_EQ(list.rowCount(), 4);
    EXPECT_EQ(list.rowTexts(3).description, "answered");
    EXPECT_EQ(list.rows(), readAtOnce());
}

// A record another program adds while the list is read is there once the list is shown, however
// the reading and the change fall.
TEST_F(ListReadingTest, ARecordAddedDuringTheReadingIsShown) {
    QString seed;
    for (int number = 0; number < 300; ++number)
        seed += RecordSeed(QString::number(number), 60, "£0.05");
    hive.seed(seed);
    log->fillList();
    Hive other(hive.hive().file());
    ASSERT_TRUE(other.writeValue(kSessionsKey + QStringLiteral("\\300"),
                                 QStringLiteral("CallCharges"),
                                 RegValue::ofString(QStringLiteral("£2.00"))));
    waitForTheList();
    ASSERT_EQ(list.rowCount(), 301);
    EXPECT_EQ(list.rowTexts(300).cost, "£2.00");
    EXPECT_EQ(log->listedCharges(), Currency::fromRaw(300 * 500 + 20000));
    EXPECT_TRUE(log->listShowsStore());
}

TEST_F(ListReadingTest, RowsTheListIsGivenDuringTheReadingStay) {
    hive.seed(RecordSeed("0", 60, "£0.05"));
    log->fillList();
    const SessionRow loaded{"01/01/2026 10:00:00", "from a log file", "1min, 00sec", "£9.99"};
    list.setRows({loaded});
    waitForTheList();
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.rowTexts(0), loaded);
    EXPECT_TRUE(fills.empty());
}

// A charge that cannot be read stops the list at its row; only a fill that tells is answered
// with the failure, also when it comes while a quiet one is being read.
TEST_F(ListReadingTest, AFailureIsToldOnlyWhenAFillAskedForIt) {
    const struct {
        const char* name;
        std::vector<CallLog::ListTelling> fillsAsked;
        bool told;
    } cases[] = {
        {"read ahead", {CallLog::ListTelling::quiet}, false},
        {"window shown", {CallLog::ListTelling::tell}, true},
        {"shown while read ahead", {CallLog::ListTelling::quiet, CallLog::ListTelling::tell}, true},
    };
    hive.seed(RecordSeed("0", 60, "£0.05") + RecordSeed("1", 90, "£0..5") +
              RecordSeed("2", 60, "£0.05"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        readAside();
        fills.clear();
        list.setRows({});
        for (const CallLog::ListTelling telling : c.fillsAsked)
            log->fillList(telling);
        waitForTheList();
        ASSERT_EQ(fills.size(), 1u);
        ASSERT_TRUE(fills[0].failure);
        EXPECT_THROW(std::rethrow_exception(fills[0].failure), ConversionError);
        EXPECT_EQ(fills[0].tell, c.told);
        ASSERT_EQ(list.rowCount(), 2) << "the rows up to the one that stopped the reading";
        EXPECT_EQ(list.rowTexts(1).cost, "");
        EXPECT_FALSE(log->listShowsStore());
    }
}

TEST_F(ListReadingTest, SavingOrPrintingWaitsForTheWholeList) {
    hive.seed(RecordSeed("0", 60, "£0.05") + RecordSeed("1", 60, "£0.05"));
    log->fillList();
    log->settleList();
    EXPECT_FALSE(log->listReading());
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(fills.size(), 1u);
}

// The program ends while a long list is read: the reading stops, and nothing comes back to a
// call log that is gone.
TEST_F(ListReadingTest, AReadingUnderWayWhenTheProgramEndsHandsNothingBack) {
    QString seed;
    for (int number = 0; number < 3000; ++number)
        seed += RecordSeed(QString::number(number), 60, "£0.05");
    hive.seed(seed);
    log->fillList();
    log.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fills.empty());
    EXPECT_EQ(list.rowCount(), 0);
}

} // namespace
} // namespace dvx::test
