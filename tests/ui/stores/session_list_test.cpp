// The session list shows the stored records in the order they were made, with the sums of the
// listed records in the totals boxes.
#include "support/main_window_test.h"

#include "metering/session_list_model.h"
#include "store/registry/hive.h"
#include "store/settings/store_keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

namespace dvx {
namespace {

QString RecordSeed(int name, std::int32_t seconds, const char* charges, const char* start = "") {
    return QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix\\Sessions\\%1]\n"
                          "\"SessionStart\"=\"%2\"\n"
                          "\"Description\"=\"call %1\"\n"
                          "\"CallTime\"=dword:%3\n"
                          "\"CallCharges\"=\"%4\"\n")
        .arg(name)
        .arg(QString::fromUtf8(start))
        .arg(std::uint32_t(seconds), 8, 16, QLatin1Char('0'))
        .arg(QString::fromUtf8(charges));
}

class SessionListTest : public MainWindowTest {
protected:
    void SetUp() override {
        seedConfiguredStore();
        loadWith(QStringLiteral("\"LastResetDate\"=\"01/03/2026 09:00:00\"\n"));
    }
    void fill() {
        run([this] { window.FillSessionList(); });
    }
};

TEST_F(SessionListTest, AnEmptyStoreGivesAnEmptyListAndZeroTotals) {
    window.edtTotalCallTime->setText(QStringLiteral("before"));
    fill();
    EXPECT_EQ(listedRows(), QStringList());
    EXPECT_EQ(window.edtTotalCallTime->text(), "0min, 00sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£0.00");
    EXPECT_EQ(window.lblLogname->text(), "Current Log - From 01/03/2026 09:00:00");
    EXPECT_FALSE(hive.keyExists(kSessionsKey));
}

TEST_F(SessionListTest, EachRecordIsARowWithItsDurationAndStoredTexts) {
    hive.seed(RecordSeed(0, 725, "£0.42", "03/03/2026 12:00:00") +
              RecordSeed(1, 59, "£0.05", "03/03/2026 14:00:00") +
              RecordSeed(2, 3600, "1,234.50 EUR", "04/03/2026"));
    loadWith(QStringLiteral("\"TotalCallTime\"=dword:00000005\n")); // the boxes show the listed
                                                                    // records, not the totals
    fill();
    EXPECT_EQ(listedRows(), QStringList({"03/03/2026 12:00:00|call 0|12min, 05sec|£0.42",
                                         "03/03/2026 14:00:00|call 1|0min, 59sec|£0.05",
                                         "04/03/2026|call 2|60min, 00sec|1,234.50 EUR"}));
    EXPECT_EQ(window.edtTotalCallTime->text(), "73min, 04sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£1,234.97");
}

TEST_F(SessionListTest, ElevenRecordsAreListedInTheOrderTheyWereMade) {
    QString seed;
    for (int name = 0; name < 11; ++name)
        seed += RecordSeed(name, name, "£0.05");
    hive.seed(seed);
    fill();
    QStringList descriptions;
    for (const QString& row : listedRows())
        descriptions.append(row.section(QLatin1Char('|'), 1, 1));
    EXPECT_EQ(descriptions, QStringList({"call 0", "call 1", "call 2", "call 3", "call 4", "call 5",
                                         "call 6", "call 7", "call 8", "call 9", "call 10"}));
    EXPECT_EQ(window.edtTotalCallTime->text(), "0min, 55sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£0.55");
}

// The rows before the record stay, its row has no cost, and the totals boxes and the log name
// keep their texts.
TEST_F(SessionListTest, AChargeThatCannotBeReadStopsTheListAtItsRecord) {
    hive.seed(RecordSeed(0, 60, "£0.05") + RecordSeed(1, 60, "£0..5") + RecordSeed(2, 60, "£0.05"));
    window.edtTotalCost->setText(QStringLiteral("before"));
    window.lblLogname->setText(QStringLiteral("before"));
    expectError(QStringLiteral("'0..5' is not a valid floating point value"),
                [this] { window.FillSessionList(); });
    EXPECT_EQ(listedRows(), QStringList({"|call 0|1min, 00sec|£0.05", "|call 1|1min, 00sec|"}));
    EXPECT_EQ(window.edtTotalCost->text(), "before");
    EXPECT_EQ(window.lblLogname->text(), "before");
}

TEST_F(SessionListTest, ASumOfSecondsBeyond32BitsIsAnIntegerOverflow) {
    hive.seed(RecordSeed(0, std::numeric_limits<std::int32_t>::max(), "£0.05") +
              RecordSeed(1, 1, "£0.05"));
    expectError(QStringLiteral("Integer overflow"), [this] { window.FillSessionList(); });
    EXPECT_EQ(listedRows().size(), 2);
}

TEST_F(SessionListTest, TheLogsPageAndMonitorRefillTheList) {
    hive.seed(RecordSeed(0, 61, "£0.05"));
    window.mnuShowStatisticsClick();
    window.PageControl1->setCurrentWidget(window.tabStatistics);
    EXPECT_EQ(listedRows().size(), 1);
    hive.seed(RecordSeed(1, 61, "£0.05"));
    window.PageControl1->setCurrentWidget(window.tabAlarms);
    window.PageControl1->setCurrentWidget(window.tabStatistics);
    EXPECT_EQ(listedRows().size(), 2);
    hive.seed(RecordSeed(2, 61, "£0.05"));
    window.btnMonitor->click();
    EXPECT_EQ(listedRows().size(), 3);
    EXPECT_EQ(window.edtTotalCallTime->text(), "3min, 03sec");
}

// The list kept from the last fill stands for the store while nothing in it changed; a list
// that shows anything else (a loaded log) is filled again, and the boxes always show its sums.
TEST_F(SessionListTest, AFillWithNothingChangedShowsTheSameRowsAndSums) {
    hive.seed(RecordSeed(0, 61, "£0.05", "03/03/2026 12:00:00") + RecordSeed(1, 59, "£0.10"));
    fill();
    const QStringList stored = listedRows();
    window.edtTotalCallTime->setText(QStringLiteral("before"));
    window.edtTotalCost->setText(QStringLiteral("before"));
    fill();
    EXPECT_EQ(listedRows(), stored);
    EXPECT_EQ(window.edtTotalCallTime->text(), "2min, 00sec");
    EXPECT_EQ(window.edtTotalCost->text(), "£0.15");
    qobject_cast<SessionListModel*>(window.LVSessions->model())
        ->setRows({{"01/01/2025", "loaded", "1min, 00sec", "£9.99"}});
    fill();
    EXPECT_EQ(listedRows(), stored);
}

// Another program's change to the hive (here a connection of its own) is listed at the next
// fill, also when the number of records stays the same.
TEST_F(SessionListTest, AnotherConnectionsChangeIsListedAtTheNextFill) {
    hive.seed(RecordSeed(0, 61, "£0.05"));
    fill();
    Hive other(hive.folder() + QStringLiteral("/hive.db"));
    ASSERT_TRUE(other.writeValue(RecordKey(QStringLiteral("0")), QStringLiteral("Description"),
                                 RegValue::ofString(QStringLiteral("changed"))));
    fill();
    EXPECT_EQ(listedRows(), QStringList({"|changed|1min, 01sec|£0.05"}));
    ASSERT_TRUE(other.writeValue(RecordKey(QStringLiteral("1")), QStringLiteral("CallTime"),
                                 RegValue::ofDword(2)));
    fill();
    EXPECT_EQ(listedRows(), QStringList({"|changed|1min, 01sec|£0.05", "||0min, 02sec|"}));
}

// A call's end lists the store as it is then: the new record's row added to a list that showed
// the store, or the whole list read again when the store changed otherwise.
TEST_F(SessionListTest, ACallsEndListsTheStoreAsItIsThen) {
    const struct {
        const char* what;
        QString seed;
        std::function<void(test::StoreHive&)> between;
        QStringList descriptions;
    } cases[] = {
        {"the list showed the store",
         RecordSeed(0, 61, "£0.05") + RecordSeed(1, 61, "£0.05"),
         [](test::StoreHive&) {},
         {"call 0", "call 1", "Home ISP"}},
        {"a record with a gap after the new one's name",
         RecordSeed(0, 61, "£0.05") + RecordSeed(5, 61, "£0.05"),
         [](test::StoreHive&) {},
         {"call 0", "Home ISP", "call 5"}},
        {"another connection added a record",
         RecordSeed(0, 61, "£0.05"),
         [](test::StoreHive& store) {
             Hive other(store.folder() + QStringLiteral("/hive.db"));
             ASSERT_TRUE(other.writeValue(RecordKey(QStringLiteral("1")),
                                          QStringLiteral("Description"),
                                          RegValue::ofString(QStringLiteral("elsewhere"))));
         },
         {"call 0", "elsewhere", "Home ISP"}},
        {"this process changed a record",
         RecordSeed(0, 61, "£0.05"),
         [](test::StoreHive& store) {
             store.seed(RecordSeed(0, 61, "£0.05").replace("call 0", "new"));
         },
         {"new", "Home ISP"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        run([this] { hive.sessionLog.DeleteSessionRecords(); });
        hive.seed(c.seed);
        loadWith(QStringLiteral("\"DefaultDescription\"=\"Home ISP\"\n"));
        fill();
        c.between(hive);
        automaticSession(60);
        QStringList descriptions;
        for (const QString& row : listedRows())
            descriptions.append(row.section(QLatin1Char('|'), 1, 1));
        EXPECT_EQ(descriptions, c.descriptions);
        // What a whole reading of the store lists.
        const QStringList shown = listedRows();
        const QString seconds = window.edtTotalCallTime->text();
        const QString cost = window.edtTotalCost->text();
        qobject_cast<SessionListModel*>(window.LVSessions->model())->setRows({});
        fill();
        EXPECT_EQ(listedRows(), shown);
        EXPECT_EQ(window.edtTotalCallTime->text(), seconds);
        EXPECT_EQ(window.edtTotalCost->text(), cost);
    }
}

} // namespace
} // namespace dvx
