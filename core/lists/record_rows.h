#pragma once
// The rows of a list whose records are those of one family's table: each cell shown through the
// family's column that the list column names, and read back through it into the work set's
// record. What the columns cannot know stays with each list: the record a new line starts from,
// the references kept as names until every file is read, and the columns only files carry.

#include "lists/list_family.h"
#include "schema/typed_columns.h"

#include <array>
#include <cassert>
#include <optional>
#include <utility>
#include <vector>

namespace r605 {

template <Family F> class RecordRows : public ListFamily {
public:
    using R = RecordOf<F>;

    RecordRows(ListType type, const ListContext& context)
        : m_columns(typedColumnsOf<F>()),
          m_context(context), m_cells{context.language, context.bands} {
        for (const ListColumn& column : ImportColumns(type, context.toolMode)) {
            if (column.column.empty())
                continue;
            const std::optional<std::size_t> index = m_columns.columnNamed(column.column);
            assert(index && "a list column names a column of its family");
            if (!index)
                continue;
            m_columnOf[static_cast<std::size_t>(column.field)] = index;
            const ColumnKind kind = m_columns.columns()[*index].kind;
            // The record number places the line; references wait for every file to be read.
            if (kind != ColumnKind::Number && kind != ColumnKind::Reference &&
                kind != ColumnKind::Members)
                m_read.emplace_back(column.field, *index);
        }
    }

    std::size_t size() const override { return m_columns.size(); }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return m_columns.inUse(codeplug, entry);
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        if (const auto column = m_columnOf[static_cast<std::size_t>(field)])
            return m_columns.format(codeplug, entry, *column, m_cells);
        return fileCell(codeplug, entry, field);
    }

    void reset(ImportWorkSet& work) const override {
        auto& table = work.tables.of<F>().make();
        for (std::size_t n = 0; n < table.size(); ++n) {
            table[n] = fresh(n, work);
            table[n].Used = 0;
        }
        resetReferences(work);
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const R* kept = work.keptRecord<F>(slot);
        R record = kept ? *kept : fresh(slot, work);
        record.Number = static_cast<decltype(record.Number)>(slot + 1);
        record.Used = 1;
        if (Status status = readRecord(row, slot, record, work); !status)
            return status;
        work.tables.of<F>().table()[slot] = std::move(record);
        return Status::success();
    }

protected:
    // The record of entry `slot` before a line gives it values: a new record of its number.
    virtual R fresh(std::size_t slot, const ImportWorkSet&) const {
        R record{};
        record.Number = static_cast<decltype(record.Number)>(slot + 1);
        return record;
    }

    // Reads a line's cells into `record`, the record of entry `slot`; lists with references or
    // cells of their own add theirs.
    virtual Status readRecord(const ListRow& row, std::size_t /*slot*/, R& record,
                              ImportWorkSet& work) const {
        return readCells(row, record, work);
    }

    // Empties the references of the records read, for the lists that have them.
    virtual void resetReferences(ImportWorkSet&) const {}

    // The cells of the columns that only files carry.
    virtual std::string fileCell(const Codeplug&, std::size_t, ListField) const { return {}; }

    // The line's cells of the family's columns but `except`, references left out, in the list's
    // column order. Absent cells leave the record's value.
    Status readCells(const ListRow& row, R& record, const ImportWorkSet& work,
                     std::optional<ListField> except = std::nullopt) const {
        for (const auto& [field, column] : m_read) {
            if (field == except)
                continue;
            if (Status status = readCell(row, field, record, work); !status)
                return status;
        }
        return Status::success();
    }

    Status readCell(const ListRow& row, ListField field, R& record,
                    const ImportWorkSet& work) const {
        const auto column = m_columnOf[static_cast<std::size_t>(field)];
        const std::string* cell = row.cell(field);
        if (!column || !cell)
            return Status::success();
        if (Status status = m_columns.parseRecord(record, *column, *cell, *work.base, m_cells);
            !status)
            return row.fail(field, status.error());
        return Status::success();
    }

    // A reference cell kept as its text until every file is read.
    static std::optional<PendingRef> pending(const ListRow& row, ListField field) {
        const std::string* cell = row.cell(field);
        if (!cell)
            return std::nullopt;
        return PendingRef{*cell, std::nullopt, row.origin(field)};
    }
    static std::vector<PendingRef> pendingMembers(const ListRow& row, ListField field) {
        std::vector<PendingRef> refs;
        for (const std::string_view cell : row.cells(field))
            refs.push_back(PendingRef{std::string(cell), std::nullopt, row.origin(field)});
        return refs;
    }

    const TypedFamilyColumns<F>& m_columns;
    const ListContext& m_context;
    ColumnContext m_cells;

private:
    std::array<std::optional<std::size_t>, kListFieldCount> m_columnOf{};
    std::vector<std::pair<ListField, std::size_t>> m_read; // the cells read, in list order
};

} // namespace r605
