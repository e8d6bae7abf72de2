#pragma once
// The printable report of a codeplug: the model and band, then every family in use as a table
// with its grid's headings and cells, in the interface language. The cells are the grids' own
// (references by the names of their records); the name of each record and the members of the
// lists (a zone's channels, a group list's contacts) are shown even where the grid leaves them
// out, because a sheet of paper has no editing form to look them up in.
//
// Families that hold every record whatever its use (privacy codes, repeater offsets) list only
// the records that hold something. Encryption keys are never printed: a report is handed to
// people who must not learn them. The contacts may be left out: a full contact list is some 200
// pages.

#include "schema/column.h"

#include <cstddef>
#include <string>
#include <vector>

namespace r605 {

struct Codeplug;

struct ReportTable {
    Family family;
    std::string caption;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

struct ReportFact {
    std::string label;
    std::string value;
};

struct CodeplugReport {
    std::string title;
    std::vector<ReportFact> facts;  // model, band, file, date
    std::vector<std::string> notes; // what the report leaves out
    std::vector<ReportTable> tables;
};

struct ReportOptions {
    bool contacts = true;
    std::string fileName; // as the user knows the file
    std::string date;     // the day of printing, as it is to be shown
};

CodeplugReport buildReport(const Codeplug& codeplug, const ColumnContext& context,
                           const ReportOptions& options);

// The report as a complete HTML document: a heading, the facts, and one table per family whose
// heading row repeats on every printed page.
std::string reportHtml(const CodeplugReport& report);

} // namespace r605
