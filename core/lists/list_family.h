#pragma once
// One list type's records as rows of a list file: which records a file lists, the text of each
// cell, and the way back from a line of cells into a record of the import work set.

#include "base/result.h"
#include "lists/column_map.h"
#include "lists/import_work_set.h"
#include "lists/list_columns.h"
#include "lists/list_context.h"
#include "model/codeplug.h"

#include <cstddef>
#include <memory>
#include <string>

namespace r605 {

class ListFamily {
public:
    virtual ~ListFamily() = default;

    // Records of the table.
    virtual std::size_t size() const = 0;
    // Records not in use are not written.
    virtual bool inUse(const Codeplug& codeplug, std::size_t entry) const = 0;
    // The text of one cell of a record's row.
    virtual std::string cell(const Codeplug& codeplug, std::size_t entry,
                             ListField field) const = 0;

    // Empties the work set's table as a list file's records are read into it: every record
    // out of use with the values of a new record, member lists empty.
    virtual void reset(ImportWorkSet& work) const = 0;
    // Reads one line into entry `slot` of the work set's table and puts it in use; references
    // are kept as names until every file is read.
    virtual Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const = 0;
};

// The family of a list type; nothing for the list types without records here.
std::unique_ptr<ListFamily> MakeListFamily(ListType type, const ListContext& context);

// The families, one file each.
std::unique_ptr<ListFamily> MakeChannelRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeRadioIdRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeZoneRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeScanListRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeContactRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeRxGroupRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeDtmfCodeRows(const ListContext& context);
std::unique_ptr<ListFamily> MakePhoneBookRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeQuickTextRows(const ListContext& context);
std::unique_ptr<ListFamily> MakeTwoToneCodeRows(const ListContext& context);

} // namespace r605
