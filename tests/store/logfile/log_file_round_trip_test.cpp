// A listed session is saved byte for byte as the texts it shows would be: a log loaded and saved
// again is the same file, and a session from the store or from a file gives the record its
// texts give, or fails with the same error.
#include "log_fixture.h"

#include "metering/conversion_error.h"
#include "store/logfile/log_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace dvx;
using namespace dvx::test;
using Outcome = LogLoadResult::Outcome;

namespace {

const DateTime kSavedAt = moment(2025, 3, 14, 9, 26, 53);

class LogRoundTripTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // The file's bytes, or the error's text when saving failed.
    std::string saved(const ListedSessions& sessions, const char* name) {
        try {
            SaveLogFile(sessions, kSavedAt, RegionalSettings::british(), path(name));
        } catch (const Error& error) {
            return "error: " + error.text().toStdString();
        }
        return readWholeFile(path(name));
    }

    // Saved from the values, and saved from the texts they show: the same bytes or error.
    void expectSavedAsTheirTexts(const ListedSessions& sessions) {
        EXPECT_EQ(saved(sessions, "values.dvx"), saved(listed(shownTexts(sessions)), "texts.dvx"));
    }

    QTemporaryDir dir_;
};

// Every byte of the code page, the undefined ones included.
std::string everyByte() {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte)
        bytes += static_cast<char>(byte);
    return bytes;
}

TEST_F(LogRoundTripTest, ALogSavedByTheProgramLoadsAndSavesAsTheSameFile) {
    const std::string file =
        headerFixture(kSavedAt).bytes() +
        sessionFixture(moment(2025, 2, 3, 14, 5, 9), "Evening mail", 725, 4200).bytes() +
        sessionFixture(moment(2025, 1, 1), "café €", 59, 500).bytes() +
        sessionFixture(moment(2024, 12, 31, 23, 59, 59), std::string(50, 'x'), 0, 0).bytes() +
        sessionFixture(moment(2025, 6, 1, 0, 0, 1), "", 3600, 123456700).bytes();
    writeWholeFile(path("original.dvx"), file);
    const LogLoadResult loaded = LoadLogFile(path("original.dvx"), RegionalSettings::british());
    ASSERT_EQ(loaded.outcome, Outcome::loaded);
    EXPECT_EQ(saved(loaded.rows, "again.dvx"), file);
}

// Starts between seconds, costs between pennies or below zero, negative durations and
// undefined code-page bytes are rounded, cut or replaced as their texts are.
TEST_F(LogRoundTripTest, LoadedSessionsAreSavedAsTheirTextsAre) {
    const DateTime noon = moment(2025, 2, 3, 12, 0, 0);
    std::string file = headerFixture(kSavedAt).bytes();
    const struct {
        DateTime start;
        std::string description;
        std::int32_t seconds;
        std::int64_t cost;
    } records[] = {
        {noon + 0.4 / kSecondsPerDay, "part of a second", 60, 4250},
        {noon + 0.9996 / kSecondsPerDay, "rounds up", 60, 4350},
        {moment(2025, 2, 3) + 0.0004 / kSecondsPerDay, "just after midnight", 60, 1},
        {noon, everyByte().substr(0, 50), -15, -4200},
        {noon, everyByte().substr(120, 50), -65, -1},
        {noon, "smallest", std::numeric_limits<std::int32_t>::min(), 0},
        {noon, "thousands", 1, 123456789012345},
        // Shown, but beyond what the sum of the costs may reach: the last row read.
        {noon, "largest", std::numeric_limits<std::int32_t>::max(), 9'000'000'000'000'000'000},
    };
    for (const auto& r : records)
        file += sessionFixture(r.start, r.description, r.seconds, r.cost).bytes();
    writeWholeFile(path("odd.dvx"), file);
    const LogLoadResult loaded = LoadLogFile(path("odd.dvx"), RegionalSettings::british());
    ASSERT_EQ(loaded.outcome, Outcome::failed); // the totals overflow, every row is listed
    ASSERT_EQ(loaded.rows.size(), std::size(records));
    for (const ListedSession& session : loaded.rows) {
        SCOPED_TRACE(shownTexts({session}).front().description.toStdString());
        expectSavedAsTheirTexts({session});
    }
}

TEST_F(LogRoundTripTest, StoredSessionsAreSavedAsTheirTextsAre) {
    const QString start = QStringLiteral("03/02/2025 14:05:09");
    const StoredSession sessions[] = {
        {start, QStringLiteral("Łódź café € 日本 😀"), 725, QStringLiteral("£1,234.567")},
        {QStringLiteral("03/02/2025"), QString(60, QLatin1Char('d')), 0, QStringLiteral("£0.00")},
        {start, {}, -15, QStringLiteral("-£0.42")},
        {start, {}, -65, QStringLiteral("£0.42")},
        {start, {}, std::numeric_limits<std::int32_t>::min(), QStringLiteral("£0.42")},
        // Rows that stopped before their duration or cost, and texts that cannot be read.
        {start, {}, std::nullopt, {}},
        {start, {}, 60, {}},
        {QStringLiteral("not a date"), {}, 60, QStringLiteral("£0.42")},
        {start, {}, 60, QStringLiteral("£0..5")},
    };
    for (const StoredSession& session : sessions) {
        SCOPED_TRACE(session.cost().toStdString());
        expectSavedAsTheirTexts({session});
    }
}

} // namespace
