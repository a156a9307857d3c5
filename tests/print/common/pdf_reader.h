#pragma once

#include <QProcess>
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

    // The text of every page with its layout kept; pages are separated by form feeds.
    static QString text(const QString& pdfFile) {
        return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, "-"});
    }

    static QStringList pages(const QString& pdfFile) {
        QStringList pages = text(pdfFile).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
            pages.removeLast(); // the form feed after the last page
        }
        return pages;
    }

    // The lines of a page's text, trailing blanks removed and blank lines left out.
    static QStringList nonEmptyLines(const QString& pageText) {
        QStringList lines;
        for (const QString& line : pageText.split(u'\n')) {
            const QString kept = line.trimmed().isEmpty() ? QString() : line;
            if (!kept.isEmpty()) {
                QString trimmedEnd = kept;
                while (trimmedEnd.endsWith(u' ')) {
                    trimmedEnd.chop(1);
                }
                lines.append(trimmedEnd);
            }
        }
        return lines;
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
