#include "log_fixture.h"

#include "metering/conversion_error.h"
#include "store/logfile/log_file.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace dvx;
using namespace dvx::test;

namespace {

const DateTime kSavedAt = moment(2025, 3, 14, 9, 26, 53);

class SaveLogFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    std::string save(const SessionRows& rows) {
        const QString file = path("log.dvx");
        SaveLogFile(listed(rows), kSavedAt, RegionalSettings::british(), file);
        return readWholeFile(file);
    }

    QTemporaryDir dir_;
};

SessionRow row(const char* date, const char* description, const char* duration, const char* cost) {
    return SessionRow{QString::fromUtf8(date), QString::fromUtf8(description),
                      QString::fromUtf8(duration), QString::fromUtf8(cost)};
}

TEST_F(SaveLogFileTest, AnEmptyListIsTheHeaderAlone) {
    const std::string bytes = save({});
    EXPECT_EQ(bytes.size(), 208u);
    EXPECT_EQ(bytes, headerFixture(kSavedAt).bytes());
}

TEST_F(SaveLogFileTest, RowsFollowTheHeaderInListOrder) {
    const std::string bytes = save({
        row("03/02/2025 14:05:09", "Evening mail", "12min, 05sec", "£0.42"),
        row("01/01/2025", "", "0min, 59sec", "£0.05"),
        row("28/02/2025 23:59:59", "Big download", "60min, 00sec", "£1,234.56"),
    });
    const std::string expected =
        headerFixture(kSavedAt).bytes() +
        sessionFixture(moment(2025, 2, 3, 14, 5, 9), "Evening mail", 725, 4200).bytes() +
        sessionFixture(moment(2025, 1, 1), "", 59, 500).bytes() +
        sessionFixture(moment(2025, 2, 28, 23, 59, 59), "Big download", 3600, 12345600).bytes();
    EXPECT_EQ(bytes.size(), 208u * 4);
    EXPECT_EQ(bytes, expected);
}

TEST_F(SaveLogFileTest, EachFieldIsReadBackFromTheRowTexts) {
    const DateTime start = moment(2025, 2, 3, 14, 5, 9);
    const std::string sixty = std::string(50, 'a') + std::string(10, 'b');
    const struct {
        SessionRow row;
        std::string record;
    } cases[] = {
        {row("03/02/2025 14:05:09", sixty.c_str(), "0min, 00sec", "£0.00"),
         sessionFixture(start, std::string(50, 'a'), 0, 0).bytes()},
        {row("03/02/2025 14:05:09", "café €5", "0min, 00sec", "£0.00"),
         sessionFixture(start,
                        "caf\xE9 \x80"
                        "5",
                        0, 0)
             .bytes()},
        {row("03/02/2025 14:05:09", "Łódź 日本 😀", "0min, 00sec", "£0.00"),
         sessionFixture(start,
                        "?\xF3"
                        "d? ?? ?",
                        0, 0)
             .bytes()},
        {row("03/02/2025 14:05:09", "", "12min, 05sec", "£1,234.56"),
         sessionFixture(start, "", 725, 12345600).bytes()},
        {row("03/02/2025 14:05:09", "", "0min, 59sec", "-£2.00"),
         sessionFixture(start, "", 59, 20000).bytes()},
        {row("03/02/2025 14:05:09", "", "-1min, -5sec", "£0.00"),
         sessionFixture(start, "", -65, 0).bytes()},
        {row("03/02/2025 14:05:09", "", "35791394min, 07sec", "£0.004 5"),
         sessionFixture(start, "", 2147483647, 45).bytes()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.description.toStdString() + " | " + c.row.duration.toStdString() +
                     " | " + c.row.cost.toStdString());
        EXPECT_EQ(save({c.row}).substr(208), c.record);
    }
}

TEST_F(SaveLogFileTest, AnUnreadableTextStopsTheSaveAndKeepsTheRowsBefore) {
    const SessionRow good = row("03/02/2025 14:05:09", "ok", "1min, 00sec", "£0.10");
    const struct {
        SessionRow bad;
        const char* message;
    } cases[] = {
        {row("31/02/2025 10:00:00", "", "1min, 00sec", "£0.10"),
         "'31/02/2025 10:00:00' is not a valid date and time"},
        {row("yesterday", "", "1min, 00sec", "£0.10"), "'yesterday' is not a valid date and time"},
        {row("03/02/2025", "", "12 minutes", "£0.10"), "'12 minutes' is not a valid integer value"},
        {row("03/02/2025", "", "xxmin, 05sec", "£0.10"), "'xx' is not a valid integer value"},
        {row("03/02/2025", "", "1min, 5sec", "£0.10"), "'5s' is not a valid integer value"},
        {row("03/02/2025", "", "99999999min, 00sec", "£0.10"), "Integer overflow"},
        {row("03/02/2025", "", "1min, 00sec", "free"), "'' is not a valid floating point value"},
        {row("03/02/2025", "", "1min, 00sec", "£900,000,000,000,000.01"), "Integer overflow"},
        {row("03/02/2025", "", "1min, 00sec", "£1.2.3"),
         "'1.2.3' is not a valid floating point value"},
    };
    const std::string kept = headerFixture(kSavedAt).bytes() +
                             sessionFixture(moment(2025, 2, 3, 14, 5, 9), "ok", 60, 1000).bytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString file = path("log.dvx");
        try {
            SaveLogFile({good, c.bad, good}, kSavedAt, RegionalSettings::british(), file);
            ADD_FAILURE() << "saved without an error";
        } catch (const Error& error) {
            EXPECT_EQ(error.text(), QString::fromUtf8(c.message));
        }
        EXPECT_EQ(readWholeFile(file), kept);
    }
}

TEST_F(SaveLogFileTest, AFileThatCannotBeWrittenGivesTheSystemText) {
    const struct {
        QString file;
        const char* message;
    } cases[] = {
        {path("no such folder/log.dvx"), "File not found"},
        {QStringLiteral("/dev/full"), "Disk full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        if (c.file.startsWith(QStringLiteral("/dev/")) && access("/dev/full", W_OK) != 0) {
            ADD_FAILURE() << "/dev/full is not writable here";
            continue;
        }
        try {
            SaveLogFile({}, kSavedAt, RegionalSettings::british(), c.file);
            ADD_FAILURE() << "saved without an error";
        } catch (const Error& error) {
            EXPECT_EQ(error.text(), QString::fromUtf8(c.message));
        }
    }
}

TEST_F(SaveLogFileTest, AReadOnlyFileIsNotReplaced) {
    const QString file = path("kept.dvx");
    writeWholeFile(file, "old");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    allowOthersIn(dir_.path());
    if (!ordinaryUserCanEnter(dir_.path()))
        GTEST_SKIP() << "cannot run as an ordinary user in " << dir_.path().toStdString();
    EXPECT_EXIT(
        {
            becomeOrdinaryUser();
            try {
                SaveLogFile({}, kSavedAt, RegionalSettings::british(), file);
            } catch (const Error& error) {
                std::_Exit(error.text() == QStringLiteral("File access denied") ? 0 : 1);
            }
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readWholeFile(file), "old");
}

} // namespace
