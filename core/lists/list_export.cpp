#include "lists/list_export.h"

#include "base/file_io.h"
#include "lists/column_codes.h"
#include "lists/csv_writer.h"
#include "lists/list_columns.h"
#include "lists/list_family.h"
#include "lists/list_of_lists.h"

#include <algorithm>

namespace r605 {

namespace {

std::string exportError(ListType type, const std::filesystem::path& path, std::string_view why) {
    return "ExportToFileError---" + std::to_string(static_cast<int>(type)) + "--" + pathText(path) +
           ": " + std::string(why);
}

} // namespace

Result<std::string> ExportListText(const Codeplug& codeplug, ListType type,
                                   const ListContext& context) {
    const std::unique_ptr<ListFamily> family = MakeListFamily(type, context);
    if (!family)
        return Error::literal("this list is not held by this program");
    const std::vector<ListColumn> columns = ExportColumns(type, context);
    // The downloaded-contact form ends every cell with a comma.
    const bool commaAfterLast = type == ListType::DownloadedContacts;

    std::vector<std::string> cells;
    for (const ListColumn& column : columns)
        cells.push_back(HeadingText(column, context.language));
    CsvWriter writer;
    writer.writeRow(DistinctHeadings(cells), commaAfterLast);

    std::vector<std::size_t> used;
    for (std::size_t entry = 0; entry < family->size(); ++entry) {
        if (family->inUse(codeplug, entry))
            used.push_back(entry);
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        cells.clear();
        for (const ListColumn& column : columns)
            cells.push_back(family->cell(codeplug, used[i], column.field));
        writer.writeRow(cells, commaAfterLast);
        if (context.progress)
            context.progress(i + 1, used.size());
    }
    return writer.text();
}

Status ExportList(const Codeplug& codeplug, ListType type, const std::filesystem::path& path,
                  const ListContext& context) {
    auto text = ExportListText(codeplug, type, context);
    if (!text)
        return Error::literal(exportError(type, path, text.error().text));
    if (Status saved = writeFileAtomically(path, *text); !saved)
        return Error::literal(exportError(type, path, saved.error().text));
    return Status::success();
}

std::string ListFileName(ListType type, const Language& language) {
    std::string caption = language.GetLangText(29110 + static_cast<int>(type));
    std::erase(caption, '&');
    // A caption never names a folder; characters that file systems refuse become "_".
    std::replace_if(
        caption.begin(), caption.end(),
        [](char c) {
            return c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
                   c == '<' || c == '>' || c == '|';
        },
        '_');
    if (caption.empty())
        caption = "List" + std::to_string(static_cast<int>(type));
    return caption + ".CSV";
}

Status ExportListOfLists(const Codeplug& codeplug, std::span<const ListType> types,
                         const std::filesystem::path& listFile, const ListContext& context) {
    std::vector<ListFileEntry> entries;
    for (const ListType type : types) {
        const std::filesystem::path path =
            listFile.parent_path() / pathFromText(ListFileName(type, context.language));
        if (Status status = ExportList(codeplug, type, path, context); !status)
            return status;
        entries.push_back(ListFileEntry{static_cast<int>(type), pathText(path)});
    }
    if (Status saved = writeFileAtomically(listFile, WriteListOfLists(entries)); !saved)
        return Error::literal("ExportToFileError---" + pathText(listFile) + ": " +
                              saved.error().text);
    return Status::success();
}

} // namespace r605
