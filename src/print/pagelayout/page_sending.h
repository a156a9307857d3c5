#pragma once

#include <QString>

namespace dvx {

// The printer's side of sending recorded pages: a print job that takes pages one sheet at a
// time. Failures of the printing system are thrown as exceptions.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual int copyCount() const = 0;
    virtual void setCopyCount(int copies) = 0;
    virtual void openJob(const QString& name) = 0;
    // Draws the recorded page (0 is page 1) on the current sheet.
    virtual void printPage(int pageIndex) = 0;
    virtual void advanceSheet() = 0;
    // Ends the job so that everything sent is printed.
    virtual void closeJob() = 0;
    // Ends the job and drops what it holds, where the printing system allows.
    virtual void abortJob() = 0;
};

// The user's side: the progress shown while sending and the request to stop.
class SendingProgress {
public:
    virtual ~SendingProgress() = default;
    // Lets the user interface handle its pending events (a click on Cancel among them).
    virtual void handlePendingEvents() = 0;
    virtual bool cancelRequested() const = 0;
    // Shows that a page is about to be sent: step counts from 1 up to steps in all.
    virtual void showPage(int pageNumber, int pageCount, int copies, int step, int steps) = 0;
};

struct SendSettings {
    int pageCount = 0;
    int copies = 1;
    bool collate = true;
    bool abortOnCancel = false;
    // Between pages the user interface runs (only while a Cancel button can be clicked).
    bool handleEventsBetweenPages = true;
    QString jobName;
};

// Sends pages 1 to pageCount, copies times, making the copies itself while the printer is set to
// one copy. Returns true when every page was sent, false when the user cancelled (the sheets
// already sent are printed unless abortOnCancel is set). The printer's own copy count is put
// back in every case, errors included.
bool SendPages(const SendSettings& settings, PrintTarget& target, SendingProgress& progress);

// "Page 2 of 3", with " x 2 Copies" when more than one copy is made.
QString PageNumberText(int pageNumber, int pageCount, int copies);

} // namespace dvx
