// The report as HTML: what a browser shows, and what the printing of the window and the command
// line lays out into pages.
#include "report/codeplug_report.h"

namespace r605 {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

// Plain tables with a shaded heading row and every other row shaded: grid lines between the cells
// (collapsed borders) cost the page layout more than all the text does.
void addTable(std::string& html, const ReportTable& table) {
    html += "<h2>" + escaped(table.caption) + " (" + std::to_string(table.rows.size()) + ")</h2>\n";
    html += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"1\">\n"
            "<thead><tr bgcolor=\"#d4d4d4\">";
    for (const std::string& heading : table.headings)
        html += "<th align=\"left\">" + escaped(heading) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    bool shaded = false;
    for (const auto& row : table.rows) {
        html += shaded ? "<tr bgcolor=\"#ececec\">" : "<tr>";
        shaded = !shaded;
        for (const std::string& cell : row)
            html += "<td>" + escaped(cell) + "</td>";
        html += "</tr>\n";
    }
    html += "</tbody></table>\n";
}

} // namespace

std::string reportHtml(const CodeplugReport& report) {
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" +
                       escaped(report.title) + "</title>\n";
    html += "<style>\n"
            "body { font-size: 8pt; }\n"
            "h1 { font-size: 14pt; }\n"
            "h2 { font-size: 11pt; margin-top: 10pt; margin-bottom: 3pt; }\n"
            "td, th { padding: 0.5pt 3pt; }\n"
            "</style></head>\n<body>\n";
    html += "<h1>" + escaped(report.title) + "</h1>\n<table cellpadding=\"1\">\n";
    for (const ReportFact& fact : report.facts)
        html += "<tr><td><b>" + escaped(fact.label) + "</b></td><td>" + escaped(fact.value) +
                "</td></tr>\n";
    html += "</table>\n";
    for (const std::string& note : report.notes)
        html += "<p>" + escaped(note) + "</p>\n";
    for (const ReportTable& table : report.tables)
        addTable(html, table);
    html += "</body></html>\n";
    return html;
}

} // namespace r605
