#include "print/pageprinter/page_printer.h"

#include "print/pageprinter/page_printer_error.h"
#include "print/pageprinter/printer_metrics_of.h"
#include "print/pageprinter/printer_target.h"
#include "print/pageprinter/progress_window.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

namespace dvx {

namespace {

constexpr int kAssumedDotsPerInch = 300;
constexpr double kMetresPerInch = 0.0254;

double PointSizeOf(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
}

} // namespace

TPagePrinter::TPagePrinter(QObject* parent)
    : QObject(parent), assumedDevice_(1, 1, QImage::Format_RGB32),
      font_(QStringLiteral("Courier New"), 10), layout_(pages_, measurer_) {
    const int dotsPerMetre = qRound(kAssumedDotsPerInch / kMetresPerInch);
    assumedDevice_.setDotsPerMeterX(dotsPerMetre);
    assumedDevice_.setDotsPerMeterY(dotsPerMetre);
    const QPrinterInfo systemDefault = QPrinterInfo::defaultPrinter();
    if (!systemDefault.isNull()) {
        defaultPrinter_ = std::make_unique<QPrinter>(systemDefault, QPrinter::HighResolution);
        defaultPrinter_->setPageOrientation(orientation_);
        printer_ = defaultPrinter_.get();
    }
    // Every margin starts at its least value: the printer's unprintable strip.
    const PrinterMetrics printer = printerMetrics();
    margins_ =
        Margins{printer.offsetTop, printer.offsetBottom, printer.offsetLeft, printer.offsetRight};
}

TPagePrinter::~TPagePrinter() = default;

void TPagePrinter::setPrinter(QPrinter* printer) {
    checkNotRecording("the printer");
    printer_ = printer ? printer : defaultPrinter_.get();
}

PrinterMetrics TPagePrinter::printerMetrics() const {
    return printer_ ? MetricsOfPrinter(*printer_) : PrinterMetrics::assumed();
}

void TPagePrinter::setFont(const QFont& font) {
    font_ = font;
    if (recording_) {
        applyFont();
        layout_.setSettings(layoutSettings());
    }
}

void TPagePrinter::setMeasureUnit(MeasureUnit unit) {
    const auto convert = [&](double margin) {
        return FromInches(ToInches(margin, measureUnit_), unit);
    };
    margins_ = Margins{convert(margins_.top), convert(margins_.bottom), convert(margins_.left),
                       convert(margins_.right)};
    measureUnit_ = unit;
}

double TPagePrinter::clampedMargin(double value, double offset, double paperLength) const {
    return ClampMargin(value, measureUnit_, offset, paperLength);
}

void TPagePrinter::setMarginTop(double value) {
    checkNotRecording("top margin");
    const PrinterMetrics printer = printerMetrics();
    margins_.top = clampedMargin(value, printer.offsetTop, printer.pageHeight);
}

void TPagePrinter::setMarginBottom(double value) {
    checkNotRecording("bottom margin");
    const PrinterMetrics printer = printerMetrics();
    margins_.bottom = clampedMargin(value, printer.offsetBottom, printer.pageHeight);
}

void TPagePrinter::setMarginLeft(double value) {
    checkNotRecording("left margin");
    const PrinterMetrics printer = printerMetrics();
    margins_.left = clampedMargin(value, printer.offsetLeft, printer.pageWidth);
}

void TPagePrinter::setMarginRight(double value) {
    checkNotRecording("right margin");
    const PrinterMetrics printer = printerMetrics();
    margins_.right = clampedMargin(value, printer.offsetRight, printer.pageWidth);
}

void TPagePrinter::setLineSpacing(LineSpacing spacing) {
    lineSpacing_ = spacing;
    if (recording_) {
        layout_.setSettings(layoutSettings());
    }
}

void TPagePrinter::setTabSize(int characters) {
    tabSize_ = characters;
    if (recording_) {
        layout_.setSettings(layoutSettings());
    }
}

void TPagePrinter::setWordWrap(bool on) {
    wordWrap_ = on;
    if (recording_) {
        layout_.setSettings(layoutSettings());
    }
}

void TPagePrinter::setAlignment(TextAlignment alignment) {
    alignment_ = alignment;
    if (recording_) {
        layout_.setSettings(layoutSettings());
    }
}

void TPagePrinter::setOrientation(QPageLayout::Orientation orientation) {
    checkNotRecording("orientation");
    orientation_ = orientation;
    if (printer_) {
        printer_->setPageOrientation(orientation);
    }
}

void TPagePrinter::BeginDocument() {
    if (!recording_) {
        setMarginTop(margins_.top);
        setMarginBottom(margins_.bottom);
        setMarginLeft(margins_.left);
        setMarginRight(margins_.right);
    }
    metrics_ = printerMetrics();
    applyFont();
    recording_ = true;
    pages_.clear();
    layout_.begin(layoutSettings());
}

void TPagePrinter::WriteLines() {
    checkRecording();
    const QStringList lines = lines_;
    for (const QString& line : lines) {
        layout_.writeLine(line);
    }
}

void TPagePrinter::WriteLine(const QString& text) {
    checkRecording();
    layout_.writeLine(text);
}

void TPagePrinter::NextLine() {
    checkRecording();
    layout_.nextLine();
}

void TPagePrinter::NextPage() {
    checkRecording();
    layout_.nextPage();
}

void TPagePrinter::EndDocument() {
    recording_ = false;
}

bool TPagePrinter::PrintPages() {
    if (sending_) {
        throw EPagePrinter(
            QStringLiteral("Unable to print while pages are still being sent to the printer"));
    }
    if (recording_) {
        EndDocument();
    }
    const RecordedPages pages = pages_.pages();
    if (pages.pages.isEmpty()) {
        return true;
    }
    if (!printer_) {
        throw EPagePrinter(QStringLiteral("There is no printer to print on"));
    }
    SendSettings settings;
    settings.pageCount = int(pages.pages.size());
    settings.copies = copies_;
    settings.collate = collate_;
    settings.abortOnCancel = abortOnCancel_;
    settings.handleEventsBetweenPages = showProgress_ && showCancel_;
    settings.jobName = title_;

    sending_ = true;
    const auto sendingEnds = qScopeGuard([this] { sending_ = false; });
    ProgressWindow progress(
        showProgress_, showCancel_, {title_, progressMessage_},
        [this](int pageNumber, int pageCount) { emit pageSending(pageNumber, pageCount); });
    PrinterTarget target(*printer_, pages);
    return SendPages(settings, target, progress);
}

void TPagePrinter::checkNotRecording(const char* what) const {
    if (recording_) {
        throw EPagePrinter(
            QStringLiteral("Unable to change %1 while printing").arg(QLatin1String(what)));
    }
}

void TPagePrinter::checkRecording() const {
    if (!recording_) {
        throw EPagePrinter(QStringLiteral("Unable to write before a document is begun"));
    }
}

void TPagePrinter::applyFont() {
    QFont drawingFont = font_;
    drawingFont.setPixelSize(qMax(1, qRound(PointSizeOf(font_) * metrics_.dpiY / 72.0)));
    measurer_.setFont(drawingFont, measuringDevice());
    pages_.setFont(drawingFont);
}

LayoutSettings TPagePrinter::layoutSettings() const {
    LayoutSettings settings;
    settings.geometry = ComputePageGeometry(metrics_, margins_, measureUnit_);
    settings.lineHeight = LineHeight(PointSizeOf(font_), metrics_.dpiY, lineSpacing_);
    settings.tabSize = tabSize_;
    settings.wordWrap = wordWrap_;
    settings.alignment = alignment_;
    return settings;
}

QPaintDevice* TPagePrinter::measuringDevice() {
    return printer_ ? static_cast<QPaintDevice*>(printer_) : &assumedDevice_;
}

} // namespace dvx
