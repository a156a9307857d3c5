#pragma once

#include "print/pagelayout/page_layout.h"
#include "print/pageprinter/recorded_pages.h"

namespace dvx {

// Records each laid-out page as its lines, with their places in printer pixels and their fonts,
// to be painted on the printer later.
class PageRecording : public PageCanvas {
public:
    // Drops every page; the font stays.
    void clear();
    // The font (sized in printer pixels) of the text drawn from now on.
    void setFont(const QFont& drawingFont);
    void startPage() override;
    void drawText(int x, int y, const QString& text) override;

    // The pages recorded so far, the one being recorded last.
    const RecordedPages& pages() const { return recorded_; }
    qsizetype pageCount() const { return recorded_.pages.size(); }

private:
    RecordedPages recorded_{{QFont()}, {}};
    qsizetype font_ = 0;
};

} // namespace dvx
