#pragma once

#include "print/pagelayout/page_geometry.h"
#include "print/pagelayout/page_layout.h"
#include "print/pageprinter/font_metrics_measurer.h"
#include "print/pageprinter/page_recording.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QStringList>
#include <memory>

class QPrinter;

namespace dvx {

// Turns text lines into printed pages: measures every line with the printer's font metrics,
// breaks lines too wide for the page, starts new pages, records each page, and sends the pages
// to the printer with a progress window and Cancel. Pages being sent are a snapshot: a new
// document may be begun meanwhile without disturbing them.
class TPagePrinter : public QObject {
    Q_OBJECT
public:
    explicit TPagePrinter(QObject* parent = nullptr);
    ~TPagePrinter() override;

    // The printer that documents are laid out for and sent to (not owned). Without one the
    // system's default printer is used, or, when there is none, the assumed printer values.
    void setPrinter(QPrinter* printer);
    QPrinter* printer() const { return printer_; }
    PrinterMetrics printerMetrics() const;

    QFont Font() const { return font_; }
    void setFont(const QFont& font);
    MeasureUnit measureUnit() const { return measureUnit_; }
    void setMeasureUnit(MeasureUnit unit);
    double MarginTop() const { return margins_.top; }
    double MarginBottom() const { return margins_.bottom; }
    double MarginLeft() const { return margins_.left; }
    double MarginRight() const { return margins_.right; }
    void setMarginTop(double value);
    void setMarginBottom(double value);
    void setMarginLeft(double value);
    void setMarginRight(double value);
    LineSpacing lineSpacing() const { return lineSpacing_; }
    void setLineSpacing(LineSpacing spacing);
    int TabSize() const { return tabSize_; }
    void setTabSize(int characters);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    TextAlignment Alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment);
    QPageLayout::Orientation Orientation() const { return orientation_; }
    void setOrientation(QPageLayout::Orientation orientation);

    QString Title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QString ProgressMessage() const { return progressMessage_; }
    void setProgressMessage(const QString& message) { progressMessage_ = message; }
    bool ShowProgress() const { return showProgress_; }
    void setShowProgress(bool on) { showProgress_ = on; }
    bool ShowCancel() const { return showCancel_; }
    void setShowCancel(bool on) { showCancel_ = on; }
    bool AbortOnCancel() const { return abortOnCancel_; }
    void setAbortOnCancel(bool on) { abortOnCancel_ = on; }
    int Copies() const { return copies_; }
    void setCopies(int copies) { copies_ = copies; }
    bool Collate() const { return collate_; }
    void setCollate(bool on) { collate_ = on; }

    // The lines WriteLines writes; never emptied by the page printer.
    QStringList& Lines() { return lines_; }
    const QStringList& Lines() const { return lines_; }

    void BeginDocument();
    void WriteLines();
    void WriteLine(const QString& text);
    void NextLine();
    void NextPage();
    void EndDocument();
    // Sends the recorded pages; true when all were sent, false when the user cancelled. While
    // pages are being sent a further PrintPages is refused with EPagePrinter; laying out a new
    // document meanwhile is allowed.
    bool PrintPages();

    bool Recording() const { return recording_; }
    bool Sending() const { return sending_; }
    int PageNumber() const { return layout_.pageNumber(); }
    qsizetype PageCount() const { return pages_.pageCount(); }

signals:
    // A page is about to be sent and the progress window shows it.
    void pageSending(int pageNumber, int pageCount);

private:
    double clampedMargin(double value, double offset, double paperLength) const;
    void checkNotRecording(const char* what) const;
    void checkRecording() const;
    void applyFont();
    LayoutSettings layoutSettings() const;
    QPaintDevice* measuringDevice();

    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPrinter> defaultPrinter_;
    QImage assumedDevice_;

    QFont font_;
    MeasureUnit measureUnit_ = MeasureUnit::muInches;
    Margins margins_;
    LineSpacing lineSpacing_ = LineSpacing::lsSingleSpace;
    int tabSize_ = 8;
    bool wordWrap_ = true;
    TextAlignment alignment_ = TextAlignment::left;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    QString title_;
    QString progressMessage_;
    bool showProgress_ = true;
    bool showCancel_ = true;
    bool abortOnCancel_ = false;
    int copies_ = 1;
    bool collate_ = true;
    QStringList lines_;

    PrinterMetrics metrics_;
    FontMetricsMeasurer measurer_;
    PageRecording pages_;
    PageLayout layout_;
    bool recording_ = false;
    bool sending_ = false;
};

} // namespace dvx
