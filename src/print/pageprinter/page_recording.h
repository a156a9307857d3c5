#pragma once

#include "print/pagelayout/page_layout.h"

#include <QFont>
#include <QList>
#include <QPicture>
#include <memory>

class QPainter;

namespace dvx {

// Records each laid-out page as a picture of drawing commands in printer pixels, to be replayed
// on the printer later. Text is drawn in black on a transparent background.
class PageRecording : public PageCanvas {
public:
    PageRecording();
    ~PageRecording() override;
    PageRecording(const PageRecording&) = delete;
    PageRecording& operator=(const PageRecording&) = delete;

    // Drops every page.
    void clear();
    // The font (sized in printer pixels) of the text drawn from now on, and its ascent.
    void setFont(const QFont& drawingFont, int ascent);
    void startPage() override;
    void drawText(int x, int y, const QString& text) override;
    // Closes the recording of the current page; the pages are kept.
    void finish();

    // The pages recorded so far, the one being recorded last.
    QList<QPicture> pages() const;
    qsizetype pageCount() const;

private:
    QList<QPicture> finished_;
    std::unique_ptr<QPicture> current_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    int ascent_ = 0;
};

} // namespace dvx
