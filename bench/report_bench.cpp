// The report of a full codeplug without its contacts, laid out and written as PDF pages, must stay
// under 2 s (reported with the page count).
#include "report/codeplug_report.h"
#include "report_printer.h"
#include "schema/sample_codeplug.h"
#include "text/language.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace r605 {
namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
}

void BM_ReportOfFullCodeplugWithoutContactsToPdf(benchmark::State& state) {
    ensureApplication();
    const Language language = Language::load(R605_SOURCE_DIR "/data", 1);
    const ColumnContext context{language, bandRangesForCode(0).value()};
    const Codeplug codeplug = SampleFullCodeplug(0, context.bands, 1);
    const ReportPage page{"full.rdt", "Codeplug Report", "2026-01-01", "Page %1 of %2", 1};
    int pages = 0;
    for (auto _ : state) {
        const std::string html =
            reportHtml(buildReport(codeplug, context, {false, "full.rdt", "2026-01-01"}));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pages = printReport(html, page, writer);
        benchmark::DoNotOptimize(bytes.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ReportOfFullCodeplugWithoutContactsToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace r605
