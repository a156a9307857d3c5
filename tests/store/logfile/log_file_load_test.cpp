#include "log_fixture.h"

#include "store/logfile/log_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <unistd.h>

using namespace dvx;
using namespace dvx::test;
using Outcome = LogLoadResult::Outcome;

namespace {

const DateTime kSavedAt = moment(2025, 3, 14, 9, 26, 53);

class LoadLogFileTest : public ::testing::Test {
protected:
    QString file() const { return dir_.filePath(QStringLiteral("log.dvx")); }
    LogLoadResult load(const std::string& bytes) {
        writeWholeFile(file(), bytes);
        return LoadLogFile(file(), RegionalSettings::british());
    }

    QTemporaryDir dir_;
};

SessionRow row(const char* date, const char* description, const char* duration, const char* cost) {
    return SessionRow{QString::fromUtf8(date), QString::fromUtf8(description),
                      QString::fromUtf8(duration), QString::fromUtf8(cost)};
}

const std::string kHeader = headerFixture(kSavedAt).bytes();
const std::string kMail =
    sessionFixture(moment(2025, 2, 3, 14, 5, 9), "Evening mail", 725, 4200).bytes();
const std::string kNewYear =
    sessionFixture(moment(2025, 1, 1), "caf\xE9 \x80\x81", 59, 500).bytes();

TEST_F(LoadLogFileTest, AMissingFileChangesNothing) {
    const LogLoadResult result =
        LoadLogFile(dir_.filePath(QStringLiteral("absent.dvx")), RegionalSettings::british());
    EXPECT_EQ(result.outcome, Outcome::noFile);
    EXPECT_TRUE(result.rows.isEmpty());
}

TEST_F(LoadLogFileTest, AHeaderAloneIsAnEmptyLog) {
    const LogLoadResult result = load(kHeader);
    EXPECT_EQ(result.outcome, Outcome::loaded);
    EXPECT_TRUE(result.rows.isEmpty());
    EXPECT_EQ(result.totalCallTimeText, QStringLiteral("0min, 00sec"));
    EXPECT_EQ(result.totalCostText, QStringLiteral("£0.00"));
}

TEST_F(LoadLogFileTest, SessionsLoadInFileOrderWithTheirTotals) {
    const LogLoadResult result = load(kHeader + kMail + kNewYear);
    EXPECT_EQ(result.outcome, Outcome::loaded);
    const SessionRows expected{
        row("03/02/2025 14:05:09", "Evening mail", "12min, 05sec", "£0.42"),
        row("01/01/2025", "café €?", "0min, 59sec", "£0.05"),
    };
    EXPECT_EQ(shownTexts(result.rows), expected);
    EXPECT_EQ(result.totalSeconds, 784);
    EXPECT_EQ(result.totalCharges, Currency::fromRaw(4700));
    EXPECT_EQ(result.totalCallTimeText, QStringLiteral("13min, 04sec"));
    EXPECT_EQ(result.totalCostText, QStringLiteral("£0.47"));
}

TEST_F(LoadLogFileTest, SavedRowsLoadBackUnchanged) {
    const SessionRows rows{
        row("03/02/2025 14:05:09", "Łódź café €", "12min, 05sec", "£1,234.56"),
        row("28/02/2025 23:59:59", "", "60min, 00sec", "£0.00"),
        row("01/01/2025", std::string(60, 'x').c_str(), "0min, 59sec", "£0.05"),
    };
    SaveLogFile(listed(rows), kSavedAt, RegionalSettings::british(), file());
    const LogLoadResult result = LoadLogFile(file(), RegionalSettings::british());
    ASSERT_EQ(result.outcome, Outcome::loaded);
    SessionRows expected = rows;
    expected[0].description = QStringLiteral("?ódź café €").replace(QStringLiteral("ź"), "?");
    expected[2].description = QString(50, QLatin1Char('x'));
    EXPECT_EQ(shownTexts(result.rows), expected);
    EXPECT_EQ(result.totalCallTimeText, QStringLiteral("73min, 04sec"));
    EXPECT_EQ(result.totalCostText, QStringLiteral("£1,234.61"));
}

TEST_F(LoadLogFileTest, AForeignHeaderIsRefusedWithItsMessage) {
    const char* const notValid = "This is not a valid Dorvantix log file!";
    const struct {
        FixtureRecord header;
        const char* message;
    } cases[] = {
        {headerFixture(kSavedAt).product("dorvantix"), notValid},
        {headerFixture(kSavedAt).product("Dorvantix2"), notValid},
        {headerFixture(kSavedAt).fileTag("Dorvantix Log File"), notValid},
        {headerFixture(kSavedAt).duration(1969), notValid},
        // A product length beyond the field's capacity is not trusted.
        {headerFixture(kSavedAt).byte(8, 255), notValid},
        {headerFixture(kSavedAt).description("v1.04"),
         "This log file was created with version v1.04 of Dorvantix"},
        {headerFixture(kSavedAt).description("v2.0 \xE9t\xE9"),
         "This log file was created with version v2.0 été of Dorvantix"},
        {headerFixture(kSavedAt).description("").product("dorvantix"), notValid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const LogLoadResult result = load(c.header.bytes() + kMail);
        EXPECT_EQ(result.outcome, Outcome::refused);
        EXPECT_EQ(result.message, QString::fromUtf8(c.message));
        EXPECT_TRUE(result.rows.isEmpty());
    }
}

TEST_F(LoadLogFileTest, AShortRecordStopsTheLoadAndKeepsTheRowsBefore) {
    const struct {
        std::string bytes;
        qsizetype rowsKept;
    } cases[] = {
        {"", 0},
        {kHeader.substr(0, 100), 0},
        {kHeader + kMail.substr(0, 207), 0},
        {kHeader + kMail + kNewYear + kMail.substr(0, 1), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        const LogLoadResult result = load(c.bytes);
        EXPECT_EQ(result.outcome, Outcome::failed);
        EXPECT_EQ(result.message, QStringLiteral("Read beyond end of file"));
        EXPECT_EQ(result.rows.size(), c.rowsKept);
        EXPECT_TRUE(result.totalCallTimeText.isEmpty());
    }
}

TEST_F(LoadLogFileTest, ARecordThatCannotBeShownStopsTheLoad) {
    const std::string endless =
        sessionFixture(moment(2025, 1, 1), "", std::numeric_limits<std::int32_t>::max(), 0).bytes();
    // The most a money text shows: 900 million million.
    const std::string costly =
        sessionFixture(moment(2025, 1, 1), "", 1, 9'000'000'000'000'000'000).bytes();
    const struct {
        std::string bytes;
        const char* message;
        qsizetype rowsKept;
    } cases[] = {
        {kHeader + kMail + sessionFixture(std::nan(""), "", 1, 1).bytes(),
         "'nan' is not a valid date and time", 1},
        {kHeader + kMail + sessionFixture(1e300, "", 1, 1).bytes(),
         "'1.0000000000000001e+300' is not a valid date and time", 1},
        {kHeader + kMail + sessionFixture(-693594.5, "", 1, 1).bytes(),
         "'-693594.5' is not a valid date and time", 1},
        {kHeader + kMail + sessionFixture(2958465.999999999, "", 1, 1).bytes(),
         "'2958465.9999999991' is not a valid date and time", 1},
        {kHeader + kMail + endless, "Integer overflow", 2},
        {kHeader + kMail + sessionFixture(moment(2025, 1, 1), "", 1, INT64_MIN).bytes(),
         "Integer overflow", 1},
        {kHeader + costly + costly, "Integer overflow", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const LogLoadResult result = load(c.bytes);
        EXPECT_EQ(result.outcome, Outcome::failed);
        EXPECT_EQ(result.message, QString::fromUtf8(c.message));
        EXPECT_EQ(result.rows.size(), c.rowsKept);
    }
}

TEST_F(LoadLogFileTest, ADescriptionLengthBeyondItsCapacityStaysInItsField) {
    FixtureRecord record = sessionFixture(moment(2025, 1, 1), std::string(50, 'd'), 61, 100);
    record.byte(39, 200);
    const LogLoadResult result = load(kHeader + record.bytes());
    ASSERT_EQ(result.outcome, Outcome::loaded);
    ASSERT_EQ(result.rows.size(), 1);
    EXPECT_EQ(shownTexts(result.rows)[0].description, QString(50, QLatin1Char('d')));
    EXPECT_EQ(shownTexts(result.rows)[0].duration, QStringLiteral("1min, 01sec"));
}

TEST_F(LoadLogFileTest, AReadOnlyFileLoadsAndStaysUnchanged) {
    const std::string bytes = kHeader + kMail;
    writeWholeFile(file(), bytes);
    QFile::setPermissions(file(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    allowOthersIn(dir_.path());
    if (!ordinaryUserCanEnter(dir_.path()))
        GTEST_SKIP() << "cannot run as an ordinary user in " << dir_.path().toStdString();
    EXPECT_EXIT(
        {
            becomeOrdinaryUser();
            const LogLoadResult result = LoadLogFile(file(), RegionalSettings::british());
            std::_Exit(result.outcome == Outcome::loaded && result.rows.size() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readWholeFile(file()), bytes);
}

TEST_F(LoadLogFileTest, AnUnreadableFileGivesTheSystemText) {
    writeWholeFile(file(), kHeader + kMail);
    QFile::setPermissions(file(), QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    allowOthersIn(dir_.path());
    if (!ordinaryUserCanEnter(dir_.path()))
        GTEST_SKIP() << "cannot run as an ordinary user in " << dir_.path().toStdString();
    EXPECT_EXIT(
        {
            becomeOrdinaryUser();
            const LogLoadResult result = LoadLogFile(file(), RegionalSettings::british());
            std::_Exit(result.outcome == Outcome::failed && result.rows.isEmpty() &&
                               result.message == QStringLiteral("File access denied")
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(LoadLogFileTest, AFolderGivesTheSystemText) {
    const LogLoadResult result = LoadLogFile(dir_.path(), RegionalSettings::british());
    EXPECT_EQ(result.outcome, Outcome::failed);
    EXPECT_EQ(result.message, QStringLiteral("Is a directory"));
}

} // namespace
