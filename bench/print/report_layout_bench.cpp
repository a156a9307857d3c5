// Laying out a 10,000-row log report on pages, beside measuring the same lines alone with the
// same printer's font metrics: the ratio shows what the layout adds to the measuring it needs.
#include "print/pageprinter/font_metrics_measurer.h"
#include "print/pageprinter/page_printer.h"
#include "print/report/log_report_lines.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <set>

using namespace dvx;

namespace {

constexpr int kRows = 10000;

const QStringList& ReportLines() {
    static const QStringList lines = [] {
        LogReportContent content;
        content.logName = QStringLiteral("Current Log - From 01/01/2026");
        content.totalCallTime = QStringLiteral("1234:56:07");
        content.totalCost = QStringLiteral("£4,321.09");
        for (int i = 0; i < kRows; ++i) {
            content.rows.append(
                {QStringLiteral("%1/01/2026 09:%2:00")
                     .arg(1 + i % 28, 2, 10, QChar(u'0'))
                     .arg(i % 60, 2, 10, QChar(u'0')),
                 QStringLiteral("Automatic Connection %1").arg(i),
                 QStringLiteral("00:%1:17").arg(i % 60, 2, 10, QChar(u'0')),
                 QStringLiteral("£%1.%2").arg(i % 40).arg(i % 100, 2, 10, QChar(u'0'))});
        }
        return LogReportLines(content, RegionalSettings::british(), 46000.5);
    }();
    return lines;
}

// A high-resolution printer printing to a PDF file: its metrics are those of a real print job.
QPrinter& Printer() {
    static QTemporaryDir dir;
    static const std::unique_ptr<QPrinter> printer = [] {
        auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
        made->setOutputFormat(QPrinter::PdfFormat);
        made->setOutputFileName(dir.filePath(QStringLiteral("bench.pdf")));
        return made;
    }();
    return *printer;
}

QFont ReportFontAt(int dotsPerInch) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(qRound(8.0 * dotsPerInch / 72.0));
    return font;
}

void BM_LayOutReport(benchmark::State& state) {
    TPagePrinter printLines;
    printLines.setPrinter(&Printer());
    printLines.Lines() = ReportLines();
    qsizetype pages = 0;
    for (auto _ : state) {
        printLines.BeginDocument();
        QFont font = printLines.Font();
        font.setPointSize(8);
        printLines.setFont(font);
        printLines.WriteLines();
        printLines.EndDocument();
        pages = printLines.PageCount();
    }
    state.counters["pages"] = double(pages);
    state.counters["lines"] = double(ReportLines().size());
}
BENCHMARK(BM_LayOutReport)->Unit(benchmark::kMillisecond);

// For comparison only: the whole print of the same report, laid out and sent to the PDF file.
void BM_PrintReportToPdf(benchmark::State& state) {
    TPagePrinter printLines;
    printLines.setPrinter(&Printer());
    printLines.setShowProgress(false);
    printLines.Lines() = ReportLines();
    for (auto _ : state) {
        printLines.BeginDocument();
        QFont font = printLines.Font();
        font.setPointSize(8);
        printLines.setFont(font);
        printLines.WriteLines();
        printLines.EndDocument();
        printLines.PrintPages();
    }
    state.counters["pages"] = double(printLines.PageCount());
}
BENCHMARK(BM_PrintReportToPdf)->Unit(benchmark::kMillisecond);

void BM_MeasureLinesAlone(benchmark::State& state) {
    FontMetricsMeasurer measurer;
    measurer.setFont(ReportFontAt(Printer().logicalDpiY()), &Printer());
    for (auto _ : state) {
        long long total = 0;
        for (const QString& line : ReportLines()) {
            total += measurer.textWidth(line);
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["lines"] = double(ReportLines().size());
}
BENCHMARK(BM_MeasureLinesAlone)->Unit(benchmark::kMillisecond);

// The console report, followed by the ratio of the two runs' times.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the medians are compared; otherwise the single runs.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const std::string& name = run.run_name.function_name;
            if (median || (run.run_type == Run::RT_Iteration && !medians_.contains(name))) {
                realTimes_[name] = run.GetAdjustedRealTime();
                cpuTimes_[name] = run.GetAdjustedCPUTime();
            }
            if (median) {
                medians_.insert(name);
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        PrintRatio("real", realTimes_);
        PrintRatio("CPU", cpuTimes_);
    }

private:
    static void PrintRatio(const char* kind, const std::map<std::string, double>& times) {
        const auto layout = times.find("BM_LayOutReport");
        const auto measure = times.find("BM_MeasureLinesAlone");
        if (layout != times.end() && measure != times.end() && measure->second > 0) {
            std::printf("layout / measuring alone (%s time) = %.2f\n", kind,
                        layout->second / measure->second);
        }
    }

    std::set<std::string> medians_;
    std::map<std::string, double> realTimes_;
    std::map<std::string, double> cpuTimes_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
