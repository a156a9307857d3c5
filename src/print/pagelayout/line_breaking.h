#pragma once

#include "print/pagelayout/text_measurer.h"

#include <QString>

namespace dvx {

// Replaces each tab by blanks up to the next multiple of tabSize characters from the start of
// the line.
QString ExpandTabs(const QString& text, int tabSize);

// The number of leading characters of text, at least one, that fit in maxWidth; found by halving
// the range of candidate lengths.
qsizetype LongestFittingPrefix(const QString& text, int maxWidth, const TextMeasurer& measurer);

// Takes the next line's piece off the front of a text too wide for maxWidth: the longest fitting
// prefix, cut back to end after its last blank when a word would be split. A single blank or
// control character at the break is dropped.
QString TakeNextPiece(QString& remaining, int maxWidth, const TextMeasurer& measurer);

} // namespace dvx
