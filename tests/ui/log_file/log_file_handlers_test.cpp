// Save Log and Load Log through their buttons, with the file dialogs answered by the test.
#include "forwarding_dialogs.h"

#include "../../print/common/qstring_printer.h"

#include "metering/session_list_model.h"
#include "support/fake_clock.h"
#include "support/fake_connection_state.h"
#include "support/fake_dialogs.h"
#include "support/fake_run_list.h"
#include "support/store_hive.h"
#include "ui/main_window/frm_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dvx {

inline void PrintTo(const SessionRow& row, std::ostream* out) {
    *out << "{" << row.date.toStdString() << " | " << row.description.toStdString() << " | "
         << row.duration.toStdString() << " | " << row.cost.toStdString() << "}";
}

namespace {

// Shows these rows in the window's session list, as a fill or a load would.
void showRows(TfrmMain& window, const SessionRows& rows) {
    qobject_cast<SessionListModel*>(window.LVSessions->model())->setRows(rows);
}

constexpr qint64 kRecordSize = 208;

// Keeps what each file dialog was asked to offer.
class OptionRecordingDialogs final : public test::ForwardingDialogs {
public:
    using ForwardingDialogs::ForwardingDialogs;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override {
        offered.append(options);
        return ForwardingDialogs::saveFileName(options);
    }
    std::optional<QString> openFileName(const FileDialogOptions& options) override {
        offered.append(options);
        return ForwardingDialogs::openFileName(options);
    }
    QList<FileDialogOptions> offered;
};

const SessionRows kSessions = {
    {"03/03/2026 09:15:00", "Automatic Connection", "12min, 05sec", "£1.25"},
    {"04/03/2026 18:30:10", "Evening call", "0min, 59sec", "£0.05"},
    {"05/03/2026", "Long call at midnight", "60min, 00sec", "£1,234.56"},
};

// The main window showing the session list of three sessions, its totals and its log name.
class LogFileHandlersTest : public ::testing::Test {
protected:
    LogFileHandlersTest()
        : dialogs(fakes),
          window(MainWindowServices{clock, connection, dialogs, RegionalSettings::british(),
                                    runList, hive.settingsStore, hive.sessionLog}) {
        window.buildControls();
        showRows(window, kSessions);
        window.edtTotalCallTime->setText("1min, 00sec");
        window.edtTotalCost->setText("£9.99");
        window.lblLogname->setText("Current Log - From 01/03/2026");
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    SessionRows shownRows() const { return window.sessionList().rows(); }
    QStringList totals() const {
        return {window.edtTotalCallTime->text(), window.edtTotalCost->text()};
    }
    QString logName() const { return window.lblLogname->text(); }

    // Each button with its dialog answered by the file name, then the boxes that follow.
    void save(const QString& fileName, std::initializer_list<BoxKind> boxesAfter = {}) {
        fakes.expect(BoxKind::saveFile, fileName);
        for (const BoxKind box : boxesAfter)
            fakes.expect(box);
        window.btnSaveLog->click();
    }
    void load(const QString& fileName, std::initializer_list<BoxKind> boxesAfter = {}) {
        fakes.expect(BoxKind::openFile, fileName);
        for (const BoxKind box : boxesAfter)
            fakes.expect(box);
        window.btnLoadLog->click();
    }

    // A log file of the three sessions whose bytes `change` alters.
    QString savedThenChanged(const QString& name, const std::function<void(QByteArray&)>& change) {
        save(path(name));
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        change(bytes);
        file.resize(0);
        file.write(bytes);
        return path(name);
    }

    QTemporaryDir dir;
    test::StoreHive hive;
    FakeClock clock;
    FakeConnectionState connection;
    FakeRunList runList;
    FakeDialogs fakes;
    OptionRecordingDialogs dialogs;
    TfrmMain window;
};

TEST_F(LogFileHandlersTest, SavedLogLoadsBackWithItsRowsTotalsAndName) {
    save(path("calls.dvx"));
    EXPECT_EQ(QFile(path("calls.dvx")).size(), kRecordSize * 4);
    EXPECT_EQ(logName(), path("calls.dvx"));

    showRows(window, {});
    window.lblLogname->setText("Current Log - From 01/03/2026");
    load(path("calls.dvx"));

    EXPECT_EQ(shownRows(), kSessions);
    EXPECT_EQ(totals(), QStringList({"73min, 04sec", "£1,235.86"}));
    EXPECT_EQ(logName(), path("calls.dvx"));
    EXPECT_TRUE(fakes.shown().size() == 2 && fakes.pending() == 0);
}

TEST_F(LogFileHandlersTest, BothDialogsOfferLogFilesInTheProgramsFolder) {
    save(path("calls.dvx"));
    load(path("calls.dvx"));
    ASSERT_EQ(dialogs.offered.size(), 2);
    for (const FileDialogOptions& options : dialogs.offered) {
        EXPECT_EQ(options.folder, QCoreApplication::applicationDirPath());
        EXPECT_EQ(options.filter, "Dorvantix Log (*.dvx)");
        EXPECT_EQ(options.defaultSuffix, "dvx");
    }
}

// The dialog's name is taken as the full name of the file it means.
TEST_F(LogFileHandlersTest, LogNameIsTheFullFileName) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    save("relative.dvx");
    QDir::setCurrent(previous);
    EXPECT_EQ(logName(), path("relative.dvx"));
    EXPECT_TRUE(QFile::exists(path("relative.dvx")));
}

TEST_F(LogFileHandlersTest, CancellingEitherDialogChangesNothing) {
    for (const BoxKind kind : {BoxKind::saveFile, BoxKind::openFile}) {
        fakes.expect(kind);
        (kind == BoxKind::saveFile ? window.btnSaveLog : window.btnLoadLog)->click();
        EXPECT_EQ(shownRows(), kSessions);
        EXPECT_EQ(totals(), QStringList({"1min, 00sec", "£9.99"}));
        EXPECT_EQ(logName(), "Current Log - From 01/03/2026");
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A file that is not a log of this version: its message, an empty list beside the old totals,
// and the log name naming the refused file.
TEST_F(LogFileHandlersTest, RefusedFileEmptiesTheListAndKeepsTheTotals) {
    struct Case {
        const char* name;
        int offset;
        char byte;
        QString message;
    };
    const Case cases[] = {
        {"lower.dvx", 9, 'd', "This is not a valid Dorvantix log file!"},
        {"older.dvx", 44, '4', "This log file was created with version v1.04 of Dorvantix"},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(refused.name);
        showRows(window, kSessions);
        const QString fileName = savedThenChanged(
            refused.name, [&](QByteArray& bytes) { bytes[refused.offset] = refused.byte; });
        window.lblLogname->setText("Current Log - From 01/03/2026");
        fakes.clear();
        load(fileName, {BoxKind::error});
        ASSERT_EQ(fakes.shown().size(), 2);
        EXPECT_EQ(fakes.shown()[1].kind, BoxKind::error);
        EXPECT_EQ(fakes.shown()[1].text, refused.message);
        EXPECT_TRUE(shownRows().isEmpty());
        EXPECT_EQ(totals(), QStringList({"1min, 00sec", "£9.99"}));
        EXPECT_EQ(logName(), fileName);
    }
}

// Reading stops at the record cut short: the rows before it stay, and so do the totals and the
// log name shown before.
TEST_F(LogFileHandlersTest, TruncatedFileKeepsTheRowsReadBeforeTheShortRecord) {
    const QString fileName =
        savedThenChanged("short.dvx", [](QByteArray& bytes) { bytes.chop(kRecordSize / 2); });
    window.lblLogname->setText("Current Log - From 01/03/2026");
    load(fileName, {BoxKind::applicationError});
    EXPECT_EQ(fakes.shown().last().text,
              "Read beyond end of file.\n\nThe log " + fileName + " could not be loaded.");
    EXPECT_EQ(shownRows(), kSessions.first(2));
    EXPECT_EQ(totals(), QStringList({"1min, 00sec", "£9.99"}));
    EXPECT_EQ(logName(), "Current Log - From 01/03/2026");
}

TEST_F(LogFileHandlersTest, ReadOnlyLogFileLoads) {
    save(path("kept.dvx"));
    ASSERT_TRUE(QFile::setPermissions(path("kept.dvx"), QFile::ReadOwner | QFile::ReadGroup));
    showRows(window, {});
    load(path("kept.dvx"));
    EXPECT_EQ(shownRows(), kSessions);
    EXPECT_EQ(totals(), QStringList({"73min, 04sec", "£1,235.86"}));
}

// A folder in which no file can be made, even by root (who may write where the permissions
// forbid): a folder without write permission, else the kernel's /sys; and the system's text of
// the refusal.
struct LockedFolder {
    QString path;
    QString refusal;
    QString reason;
};

LockedFolder UnwritableFolder(const QString& ownFolder) {
    QFile::setPermissions(ownFolder, QFile::ReadOwner | QFile::ExeOwner);
    for (const QString& folder : {ownFolder, QStringLiteral("/sys")}) {
        const QByteArray probe = QFile::encodeName(folder + "/probe.dvx");
        const int descriptor = ::open(probe.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (descriptor >= 0) {
            ::close(descriptor);
            ::unlink(probe.constData());
        } else if (errno == EACCES) {
            return {folder, "File access denied.", "Permission denied"};
        } else if (errno == EROFS) {
            return {folder, "Read-only file system.", "Read-only file system"};
        }
    }
    return {};
}

TEST_F(LogFileHandlersTest, UnwritableFolderShowsTheSystemsErrorAndKeepsTheLogName) {
    QTemporaryDir locked;
    const LockedFolder folder = UnwritableFolder(locked.path());
    if (folder.path.isEmpty())
        GTEST_SKIP() << "no folder here refuses a new file, not even /sys";
    save(folder.path + "/calls.dvx", {BoxKind::applicationError});
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(fakes.shown().size(), 2);
    EXPECT_EQ(fakes.shown()[1].kind, BoxKind::applicationError);
    // The box names the file and says why the system refused it, below the error's own text.
    EXPECT_EQ(fakes.shown()[1].text, folder.refusal + "\n\nThe log could not be saved as " +
                                         folder.path + "/calls.dvx: " + folder.reason + ".");
    EXPECT_EQ(logName(), "Current Log - From 01/03/2026");
    EXPECT_EQ(shownRows(), kSessions);
}

TEST_F(LogFileHandlersTest, ALogThatCannotBeReadNamesItselfAndTheSystemsReason) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dvx"));
    load(path("folder.dvx"), {BoxKind::applicationError});
    EXPECT_EQ(fakes.shown().last().text, "Is a directory.\n\nThe log " + path("folder.dvx") +
                                             " could not be loaded: Is a directory.");
    EXPECT_EQ(logName(), "Current Log - From 01/03/2026");
}

// The folder of the file last saved or loaded is kept in the hive, for when the dialogs cannot
// open in the program's folder.
TEST_F(LogFileHandlersTest, TheFolderOfTheLastLogIsKept) {
    QTemporaryDir other;
    save(path("calls.dvx"));
    EXPECT_EQ(hive.settingsStore.ReadLogFolder(), dir.path());
    QFile::copy(path("calls.dvx"), other.filePath("copy.dvx"));
    load(other.filePath("copy.dvx"));
    EXPECT_EQ(hive.settingsStore.ReadLogFolder(), other.path());
    fakes.expect(BoxKind::saveFile);
    window.btnSaveLog->click(); // cancelled: nothing is kept
    EXPECT_EQ(hive.settingsStore.ReadLogFolder(), other.path());
}

} // namespace
} // namespace dvx
