#pragma once
// List import. Files are read into the import work set, a second set of the record tables; the
// codeplug changes only when every file of the import has been read without error and every
// reference between the lists resolves. A failure names the file, the line and the column, and
// the codeplug stays as it was.

#include "base/result.h"
#include "lists/import_work_set.h"
#include "lists/list_context.h"
#include "lists/list_of_lists.h"
#include "lists/list_text.h"
#include "model/codeplug.h"
#include "schema/list_type.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

inline constexpr std::string_view kImportComplete = "Import Complete!";

class ListImport {
public:
    // `codeplug` and `context` must outlive the import.
    ListImport(const Codeplug& codeplug, const ListContext& context);

    // The lines of all files of this import, for the progress range (the context's progress
    // callback hears of every line read against it).
    void setProgressTotal(std::size_t lines) { m_linesTotal = lines; }

    // Reads one list file into the work set: a downloaded contact file (".cgi", by its
    // extension) for the contact lists, a CSV file otherwise. The radio information list is
    // passed over (nothing is read; success). A failure gives "ImportFromFileError---" + list
    // type + "--" + path, followed by the place and the reason (an empty file, a first line in
    // which no cell names a column of the list, a cell that does not convert, ...).
    Status importFile(ListType type, const std::filesystem::path& path);
    // The same for a file already read (`fileName` is the path the messages name).
    Status importText(ListType type, const ListText& text, std::string_view fileName);

    // Whether any list was read.
    bool anyRead() const;

    // The codeplug with the lists read: the other lists as they were, every reference between
    // lists resolved again against the imported records. Fails when a reference of a file read
    // names no record; the work set is used up either way.
    Result<Codeplug> finish();

private:
    const Codeplug& m_codeplug;
    const ListContext& m_context;
    ImportWorkSet m_work;
    std::size_t m_linesDone = 0;
    std::size_t m_linesTotal = 0;
};

// The list file's lines, for the progress range: lines of a CSV file, records of a ".cgi".
std::size_t CountListLines(const std::filesystem::path& path);

// Whether a path names a downloaded contact file (extension ".cgi", any case).
bool IsDownloadedContactFile(const std::filesystem::path& path);

// Imports the lists of a list-of-lists file (entry paths resolved against the file's folder) in
// list type order. Nothing (no error) when the file names no lists: nothing is imported and no
// completion is reported.
Result<std::optional<Codeplug>> ImportListOfLists(const Codeplug& codeplug,
                                                  const std::filesystem::path& listFile,
                                                  const ListContext& context);

} // namespace r605
