#pragma once
// The columns of a family with its record type known: besides the type-erased interface of the
// grids, a record's cells can be shown and read on a record of its own, outside the codeplug (the
// list import reads a file's lines into a work set of records before anything in the codeplug
// changes).

#include "model/codeplug.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"

#include <cassert>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace r605 {

template <class R> struct TypedColumn {
    ColumnInfo info;
    std::string (*format)(const ColumnInfo& info, const R& record, std::size_t entry,
                          const Codeplug& codeplug, const ColumnContext& context);
    // Changes `record` only when it succeeds.
    Status (*parse)(const ColumnInfo& info, R& record, std::string_view text,
                    const Codeplug& codeplug, const ColumnContext& context);
};

// The columns of one family, behind the interface that knows no record types.
template <Family F> class TypedFamilyColumns final : public FamilyColumns {
public:
    using R = RecordOf<F>;

    explicit TypedFamilyColumns(std::vector<TypedColumn<R>> columns)
        : m_columns(std::move(columns)) {
        for (const TypedColumn<R>& column : m_columns)
            m_infos.push_back(column.info);
    }

    Family family() const override { return F; }
    std::span<const ColumnInfo> columns() const override { return m_infos; }
    std::size_t size() const override { return familyInfo(F).count; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return entry < size() && recordInUse(record(codeplug, entry));
    }

    std::string format(const Codeplug& codeplug, std::size_t entry, std::size_t column,
                       const ColumnContext& context) const override {
        if (entry >= size())
            return {};
        return formatRecord(record(codeplug, entry), entry, column, codeplug, context);
    }

    Status parse(Codeplug& codeplug, std::size_t entry, std::size_t column, std::string_view text,
                 const ColumnContext& context) const override {
        if (entry >= size() || column >= m_columns.size())
            return Error::literal("no such cell");
        R changed = record(codeplug, entry);
        if (Status status = parseRecord(changed, column, text, codeplug, context); !status.ok())
            return placeError(CellPlace{F, entry, m_columns[column].info.name}, status.error());
        record(codeplug, entry) = std::move(changed);
        return Status::success();
    }

    // The cell of `record`, which stands at `entry` of its table; references show the names of
    // the records of `codeplug`.
    std::string formatRecord(const R& record, std::size_t entry, std::size_t column,
                             const Codeplug& codeplug, const ColumnContext& context) const {
        if (column >= m_columns.size())
            return {};
        const TypedColumn<R>& c = m_columns[column];
        return c.format(c.info, record, entry, codeplug, context);
    }

    // Reads a cell's text into `record`, which changes only when the text is accepted; a
    // reference is looked up by name among the records of `codeplug`. The refusal carries no
    // place: the caller knows it.
    Status parseRecord(R& record, std::size_t column, std::string_view text,
                       const Codeplug& codeplug, const ColumnContext& context) const {
        if (column >= m_columns.size())
            return Error::literal("no such cell");
        const TypedColumn<R>& c = m_columns[column];
        return c.parse(c.info, record, text, codeplug, context);
    }

private:
    template <class CP> static auto& record(CP& codeplug, std::size_t entry) {
        auto& m = member<F>(codeplug);
        if constexpr (kIsTable<decltype(m)>)
            return m[entry];
        else
            return m;
    }

    std::vector<TypedColumn<R>> m_columns;
    std::vector<ColumnInfo> m_infos;
};

// The columns of a family with storage of its own, typed.
template <Family F> const TypedFamilyColumns<F>& typedColumnsOf() {
    const FamilyColumns* columns = columnsOf(F);
    assert(columns != nullptr && columns->family() == F);
    return static_cast<const TypedFamilyColumns<F>&>(*columns);
}

} // namespace r605
