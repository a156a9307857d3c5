#pragma once

#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace dvx::test {

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

    static QString fonts(const QString& pdfFile) {
        return run(QStringLiteral("pdffonts"), {pdfFile});
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
