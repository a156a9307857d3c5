#include "print/pagelayout/line_breaking.h"

namespace dvx {

namespace {

// Blanks and control characters end a word.
bool EndsWord(QChar c) {
    return c.unicode() < 33;
}

} // namespace

QString ExpandTabs(const QString& text, int tabSize) {
    const int step = tabSize > 0 ? tabSize : 1;
    QString expanded;
    expanded.reserve(text.size() + step);
    for (const QChar c : text) {
        if (c != u'\t') {
            expanded.append(c);
            continue;
        }
        do {
            expanded.append(u' ');
        } while (expanded.size() % step != 0);
    }
    return expanded;
}

qsizetype LongestFittingPrefix(const QString& text, int maxWidth, const TextMeasurer& measurer) {
    qsizetype fits = 0;
    qsizetype tooWide = text.size() + 1;
    while (tooWide - fits > 1) {
        const qsizetype candidate = fits + (tooWide - fits) / 2;
        if (measurer.textWidth(text.left(candidate)) <= maxWidth) {
            fits = candidate;
        } else {
            tooWide = candidate;
        }
    }
    return fits > 0 ? fits : qMin<qsizetype>(1, text.size());
}

QString TakeNextPiece(QString& remaining, int maxWidth, const TextMeasurer& measurer) {
    qsizetype length = LongestFittingPrefix(remaining, maxWidth, measurer);
    qsizetype dropped = 0;
    if (length < remaining.size()) {
        if (EndsWord(remaining.at(length))) {
            dropped = 1;
        } else {
            for (qsizetype i = length - 1; i >= 0; --i) {
                if (EndsWord(remaining.at(i))) {
                    length = i + 1;
                    break;
                }
            }
        }
    }
    const QString piece = remaining.left(length);
    remaining.remove(0, length + dropped);
    return piece;
}

} // namespace dvx
