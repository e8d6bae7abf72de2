// `r605 report FILE -o OUT.html|OUT.pdf [--no-contacts]`: the printable report of a codeplug,
// as the window prints it: the model and band, then every family in use as a table with the
// grid's headings. A PDF is laid out into A4 landscape pages with the file name and date on each.
#include "base/file_io.h"
#include "commands.h"
#include "document/codeplug_files.h"
#include "report/codeplug_report.h"
#include "report_printer.h"

#include <QDate>

#include <algorithm>
#include <cctype>
#include <ostream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage = "report FILE -o OUT.html|OUT.pdf [--no-contacts]";
constexpr TextKey kPageText{15125};

enum class ReportForm { Html, Pdf };

std::optional<ReportForm> formOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".html" || extension == ".htm")
        return ReportForm::Html;
    if (extension == ".pdf")
        return ReportForm::Pdf;
    return std::nullopt;
}

int runReport(const Arguments& arguments, Context& context) {
    const std::filesystem::path output = arguments.valueOr("-o", "");
    const auto form = formOf(output);
    if (arguments.positional.size() != 1 || !form) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    const std::filesystem::path input = arguments.positional[0];
    auto loaded = LoadCodeplug(input);
    if (!loaded) {
        context.fail(loaded.error());
        return Failure;
    }
    for (const Error& warning : loaded->warnings)
        context.err << "r605 report: " << context.language.describe(warning) << "\n";

    const Codeplug& codeplug = loaded->codeplug;
    const auto bands = bandRangesForCode(codeplug.Header.BandCode);
    const ColumnContext columns{context.language, bands ? *bands : BandRanges{}};
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    ReportOptions options;
    options.contacts = !arguments.flag("--no-contacts");
    options.fileName = input.filename().string();
    options.date = date.toStdString();
    const CodeplugReport report = buildReport(codeplug, columns, options);
    const std::string html = reportHtml(report);

    if (*form == ReportForm::Html) {
        if (Status saved = writeFileAtomically(output, html); !saved.ok()) {
            context.fail(saved.error());
            return Failure;
        }
        context.out << output.string() << "\n";
        return Success;
    }
    const ReportPage page{
        QString::fromStdString(options.fileName), QString::fromStdString(report.title), date,
        QString::fromStdString(context.language.text(kPageText)), context.language.index()};
    const auto pages = writeReportPdf(html, page, output);
    if (!pages) {
        context.fail(pages.error());
        return Failure;
    }
    context.out << output.string() << ": " << *pages << (*pages == 1 ? " page" : " pages") << "\n";
    return Success;
}

} // namespace

Command reportCommand() {
    return Command{"report", kUsage,
                   "a printable report of a codeplug (HTML, or PDF pages with the file name and "
                   "date)",
                   OptionSpec{{"-o"}, {"--no-contacts"}}, runReport};
}

} // namespace r605::cli
