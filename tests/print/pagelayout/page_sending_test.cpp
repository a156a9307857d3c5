#include "print/pagelayout/page_sending.h"

#include "../common/qstring_printer.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace dvx;

namespace {

// A printer that remembers what it was asked to do.
class FakeTarget : public PrintTarget {
public:
    int copyCount() const override { return copies; }
    void setCopyCount(int value) override {
        copies = value;
        copyCountsSet.append(value);
    }
    void openJob(const QString& name) override {
        jobName = name;
        jobOpen = true;
        copiesWhileOpen = copies;
    }
    void printPage(int pageIndex) override { printed.append(pageIndex); }
    void advanceSheet() override {
        if (failOnSheet == ++sheetAdvances) {
            throw std::runtime_error("paper jam");
        }
    }
    void closeJob() override {
        jobOpen = false;
        closed = true;
    }
    void abortJob() override {
        jobOpen = false;
        aborted = true;
    }

    int copies = 3;
    int copiesWhileOpen = 0;
    QList<int> copyCountsSet;
    QString jobName;
    bool jobOpen = false;
    bool closed = false;
    bool aborted = false;
    QList<int> printed;
    int sheetAdvances = 0;
    int failOnSheet = 0;
};

// Progress that remembers the page texts and clicks Cancel while a chosen page is sent.
class FakeProgress : public SendingProgress {
public:
    void handlePendingEvents() override { ++eventRounds; }
    bool cancelRequested() const override { return cancelled; }
    void showPage(int pageNumber, int pageCount, int copies, int step, int steps) override {
        texts.append(PageNumberText(pageNumber, pageCount, copies));
        lastStep = step;
        totalSteps = steps;
        if (pageNumber == cancelOnPage) {
            cancelled = true;
        }
    }
    QStringList texts;
    int eventRounds = 0;
    int lastStep = 0;
    int totalSteps = 0;
    int cancelOnPage = 0;
    bool cancelled = false;
};

SendSettings ThreePages() {
    SendSettings settings;
    settings.pageCount = 3;
    settings.jobName = QStringLiteral("Log");
    return settings;
}

} // namespace

TEST(PageSending, ThreePagesShowTheirNumbersAndAdvanceTwice) {
    FakeTarget target;
    FakeProgress progress;
    EXPECT_TRUE(SendPages(ThreePages(), target, progress));
    EXPECT_EQ(progress.texts, QStringList({"Page 1 of 3", "Page 2 of 3", "Page 3 of 3"}));
    EXPECT_EQ(target.printed, QList<int>({0, 1, 2}));
    EXPECT_EQ(target.sheetAdvances, 2);
    EXPECT_EQ(progress.eventRounds, 3);
    EXPECT_EQ(target.jobName, "Log");
    EXPECT_TRUE(target.closed);
    EXPECT_EQ(target.copiesWhileOpen, 1);
    EXPECT_EQ(target.copies, 3); // the printer's own count is put back
}

TEST(PageSending, CancelWhilePageTwoIsSentStopsBeforePageThree) {
    struct Case {
        bool abortOnCancel;
        bool closed;
        bool aborted;
    };
    for (const Case& c : {Case{false, true, false}, Case{true, false, true}}) {
        FakeTarget target;
        FakeProgress progress;
        progress.cancelOnPage = 2;
        SendSettings settings = ThreePages();
        settings.abortOnCancel = c.abortOnCancel;
        EXPECT_FALSE(SendPages(settings, target, progress));
        EXPECT_EQ(target.printed, QList<int>({0, 1}));
        EXPECT_EQ(target.sheetAdvances, 1); // no blank sheet after the last page sent
        EXPECT_EQ(target.closed, c.closed);
        EXPECT_EQ(target.aborted, c.aborted);
        EXPECT_FALSE(target.jobOpen);
        EXPECT_EQ(target.copies, 3);
    }
}

TEST(PageSending, CopiesAreMadeInCollatedOrPageOrder) {
    struct Case {
        bool collate;
        QList<int> printed;
    };
    for (const Case& c : {Case{true, {0, 1, 0, 1}}, Case{false, {0, 0, 1, 1}}}) {
        FakeTarget target;
        FakeProgress progress;
        SendSettings settings = ThreePages();
        settings.pageCount = 2;
        settings.copies = 2;
        settings.collate = c.collate;
        EXPECT_TRUE(SendPages(settings, target, progress));
        EXPECT_EQ(target.printed, c.printed);
        EXPECT_EQ(target.sheetAdvances, 3);
        EXPECT_EQ(progress.texts.first(), "Page 1 of 2 x 2 Copies");
        EXPECT_EQ(progress.totalSteps, 4);
        EXPECT_EQ(progress.lastStep, 4);
    }
}

TEST(PageSending, APrinterFailureEndsTheJobAndPutsTheCopyCountBack) {
    FakeTarget target;
    target.failOnSheet = 2;
    FakeProgress progress;
    EXPECT_THROW(SendPages(ThreePages(), target, progress), std::runtime_error);
    EXPECT_FALSE(target.jobOpen);
    EXPECT_EQ(target.copies, 3);
}

TEST(PageSending, WithoutACancelButtonTheEventsWaitAndNothingIsSentForNoPages) {
    FakeTarget target;
    FakeProgress progress;
    SendSettings settings = ThreePages();
    settings.handleEventsBetweenPages = false;
    EXPECT_TRUE(SendPages(settings, target, progress));
    EXPECT_EQ(progress.eventRounds, 0);

    FakeTarget untouched;
    settings.pageCount = 0;
    EXPECT_TRUE(SendPages(settings, untouched, progress));
    EXPECT_TRUE(untouched.copyCountsSet.isEmpty());
}
