#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>

class QPainter;

namespace dvx {

// A line of text as laid out on a page: where its top left corner stands, in printer pixels from
// the printer's printable origin, and which of the document's fonts it is written in.
struct PlacedText {
    QPointF topLeft;
    QString text;
    qsizetype font = 0;
};

// The laid-out pages of a document, kept as their lines until they are painted on the printer.
// Copies are cheap and independent: a copy made for sending is left alone by a new document.
struct RecordedPages {
    // Every font the document's lines are written in, sized in printer pixels.
    QList<QFont> fonts;
    QList<QList<PlacedText>> pages;
};

// Paints one page's lines in black on a transparent background, each line's baseline at its
// font's ascent below its top left corner; the painter's own state is kept.
void PaintRecordedPage(QPainter& painter, const RecordedPages& recorded, qsizetype pageIndex);

} // namespace dvx
