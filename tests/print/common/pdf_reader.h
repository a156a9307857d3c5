#pragma once

#include <QList>
#include <QPointF>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace dvx::test {

// A line as printed: its words joined by single blanks, and the box around them in points from
// the paper's top left corner.
struct PrintedLine {
    QString text;
    QRectF box;
};

// Reads a PDF back with poppler's command-line tools, as a person checking a printout would.
class PdfReader {
public:
    static bool toolsAvailable() {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
    }

    // The text of every page with its layout kept; pages are separated by form feeds. Given the
    // character pitch of a monospaced text in points, blanks are kept exactly as printed.
    static QString text(const QString& pdfFile, double pitch = 0) {
        QStringList arguments{QStringLiteral("-layout")};
        if (pitch > 0) {
            arguments << QStringLiteral("-fixed") << QString::number(pitch);
        }
        arguments << pdfFile << QStringLiteral("-");
        return run(QStringLiteral("pdftotext"), arguments);
    }

    static QStringList pages(const QString& pdfFile, double pitch = 0) {
        QStringList pages = text(pdfFile, pitch).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
            pages.removeLast(); // the form feed after the last page
        }
        return pages;
    }

    // The lines of a page as written: the page margin's indentation and trailing blanks
    // removed, blank lines inside kept, those before the first and after the last dropped.
    static QStringList pageLines(const QString& pageText) {
        QStringList lines;
        qsizetype indentation = -1;
        for (QString line : pageText.split(u'\n')) {
            while (line.endsWith(u' ')) {
                line.chop(1);
            }
            if (!line.isEmpty()) {
                const qsizetype blanks =
                    line.size() - QString(line).remove(QRegularExpression("^ +")).size();
                indentation = indentation < 0 ? blanks : qMin(indentation, blanks);
            }
            lines.append(line);
        }
        while (!lines.isEmpty() && lines.first().isEmpty()) {
            lines.removeFirst();
        }
        while (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        for (QString& line : lines) {
            line.remove(0, qMax<qsizetype>(indentation, 0));
        }
        return lines;
    }

    // The lines of a page's text, trailing blanks removed and blank lines left out.
    static QStringList nonEmptyLines(const QString& pageText) {
        QStringList lines = pageLines(pageText);
        lines.removeAll(QString());
        return lines;
    }

    // Where the first word of the first page begins, in points from the paper's top left corner.
    static QPointF firstWordPosition(const QString& pdfFile) {
        const QString boxes =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                              QStringLiteral("1"), pdfFile, QStringLiteral("-")});
        const QRegularExpressionMatch word =
            QRegularExpression(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\""))
                .match(boxes);
        return word.hasMatch() ? QPointF(word.captured(1).toDouble(), word.captured(2).toDouble())
                               : QPointF(-1, -1);
    }

    // The lines of every page from top to bottom: the words standing on the same height make
    // one line, read from left to right.
    static QList<QList<PrintedLine>> placedLines(const QString& pdfFile) {
        const QString boxes = run(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
        const QRegularExpression word(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                           "yMax=\"([0-9.]+)\">([^<]*)</word>"));
        QList<QList<PrintedLine>> pages;
        for (const QString& page : boxes.split(QStringLiteral("<page ")).mid(1)) {
            QList<PrintedLine> words;
            for (const QRegularExpressionMatch& found : word.globalMatch(page)) {
                words.append(
                    {found.captured(5),
                     QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                            QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()))});
            }
            std::sort(words.begin(), words.end(), [](const auto& a, const auto& b) {
                return std::pair(a.box.top(), a.box.left()) < std::pair(b.box.top(), b.box.left());
            });
            QList<PrintedLine> lines;
            for (const PrintedLine& next : words) {
                if (!lines.isEmpty() && qAbs(lines.last().box.top() - next.box.top()) < 0.001) {
                    lines.last().text += u' ' + next.text;
                    lines.last().box |= next.box;
                } else {
                    lines.append(next);
                }
            }
            pages.append(lines);
        }
        return pages;
    }

    static QString fonts(const QString& pdfFile) {
        return run(QStringLiteral("pdffonts"), {pdfFile});
    }

    // The document's title, which a printing system shows as the job's name.
    static QString title(const QString& pdfFile) {
        const QRegularExpression titleLine(QStringLiteral("^Title: *(.*)$"),
                                           QRegularExpression::MultilineOption);
        return titleLine.match(run(QStringLiteral("pdfinfo"), {pdfFile})).captured(1).trimmed();
    }

private:
    static QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

} // namespace dvx::test
