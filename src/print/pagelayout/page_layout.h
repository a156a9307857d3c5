#pragma once

#include "print/pagelayout/page_geometry.h"
#include "print/pagelayout/text_measurer.h"

#include <QString>

namespace dvx {

// Where the laid-out pages go: a new empty page, and a text with its top left corner at a point
// in printer pixels from the printer's printable origin.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    virtual void startPage() = 0;
    virtual void drawText(int x, int y, const QString& text) = 0;
};

struct LayoutSettings {
    PageGeometry geometry;
    int lineHeight = 0;
    int tabSize = 8;
    bool wordWrap = true;
    TextAlignment alignment = TextAlignment::left;
};

// Writes lines one below the other, breaking those too wide for the page and starting a new
// page as soon as the line just written leaves no room for another.
class PageLayout {
public:
    PageLayout(PageCanvas& canvas, const TextMeasurer& measurer);

    // Starts page 1 with the pen at its top left corner.
    void begin(const LayoutSettings& settings);
    // Changes the settings for the lines written from now on; the pen stays where it is.
    void setSettings(const LayoutSettings& settings) { settings_ = settings; }
    const LayoutSettings& settings() const { return settings_; }

    void writeLine(const QString& line);
    void nextLine();
    void nextPage();

    int pageNumber() const { return pageNumber_; }
    int x() const { return x_; }
    int y() const { return y_; }

private:
    void writeBroken(const QString& text);
    int alignedX(int width) const;

    PageCanvas& canvas_;
    const TextMeasurer& measurer_;
    LayoutSettings settings_;
    int pageNumber_ = 0;
    int x_ = 0;
    int y_ = 0;
};

} // namespace dvx
