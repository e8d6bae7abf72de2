#pragma once
// Prints the codeplug report on a paged device (a PDF writer, a printer, the print preview's
// printer): Qt's text document lays the report's HTML out into pages, tables keep their heading
// row on every page, and each page gets a header with the file name, the title and the date, and
// its number below. The fonts are DejaVu Sans with WenQuanYi Micro Hei for Chinese text, so that
// a PDF embeds the CJK font its Chinese text needs. Needs a QGuiApplication.

#include "base/result.h"

#include <QString>

#include <filesystem>
#include <string>

class QPagedPaintDevice;
class QTextDocument;

namespace r605 {

class Language;

struct ReportPage {
    QString fileName; // the codeplug's file, as the user knows it
    QString title;
    QString date;
    QString pageText; // "Page %1 of %2" in the interface language
    int languageIndex = 1;
};

// The number of pages printed; 0 when the device could not be painted on.
int printReport(const std::string& html, const ReportPage& page, QPagedPaintDevice& device);

// The report as a PDF file of A4 landscape pages, written atomically; gives the page count.
Result<int> writeReportPdf(const std::string& html, const ReportPage& page,
                           const std::filesystem::path& file);

} // namespace r605
