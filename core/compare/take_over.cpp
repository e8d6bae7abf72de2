#include "compare/take_over.h"

#include "document/list_edits.h"
#include "schema/family_columns.h"
#include "schema/family_tables.h"

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

namespace r605 {

namespace {

// Copies the named top-level fields of `from` into `to`. Both records describe their fields in
// the same order, so the k-th member of one has the type of the k-th member of the other.
template <class R>
void copyFields(R& to, const R& from, const std::unordered_set<std::string>& names) {
    if constexpr (DescribedRecord<R>) {
        std::vector<const void*> members;
        forEachField(from, [&](const Field&, const auto& member) { members.push_back(&member); });
        std::size_t k = 0;
        forEachField(to, [&](const Field& field, auto& member) {
            const void* source = members[k++];
            if (names.count(std::string(field.name)))
                member = *static_cast<const std::remove_reference_t<decltype(member)>*>(source);
        });
    } else if (!names.empty()) {
        to = from; // a value without a field description is one field
    }
}

std::unordered_set<std::string> storedFields(const RecordDifference& record) {
    std::unordered_set<std::string> names;
    for (const FieldDifference& field : record.fields) {
        if (!field.columnIndex)
            names.insert(field.field);
    }
    return names;
}

// Cells that are worked out of the record or of others are shown, never typed.
bool canBeRead(const ColumnInfo& column) {
    if (column.kind == ColumnKind::Number)
        return false;
    return column.kind != ColumnKind::Text || column.length > 0;
}

// Calls work(mine, others) with the family's member of both codeplugs.
template <class Work>
void withMembers(Codeplug& mine, const Codeplug& other, Family family, Work&& work) {
    forEachFamilyPair(mine, other, [&](const FamilyInfo& info, auto& m, const auto& o) {
        if (info.family == family)
            work(m, o);
    });
}

template <class M> constexpr bool isTable() {
    return kIsTable<M>;
}

template <class R> void takeOutOfUse(R& record) {
    if constexpr (requires { record.Used; })
        record.Used = 0;
    else if constexpr (requires { record.KeyId; })
        record.KeyId = 0;
}

class TakeOver {
public:
    TakeOver(Document& document, const Codeplug& other, const RecordDifference& record,
             const ColumnContext& context)
        : m_document(document), m_other(other), m_record(record), m_context(context),
          m_columns(columnsOf(record.family)) {}

    Result<ChangeSet> run() {
        if (m_record.single)
            return changeStoredFields(0, 0);
        const bool edited = m_columns != nullptr && familyInfo(m_record.family).grid >= 0;
        switch (m_record.change) {
        case RecordChange::Changed:
            if (m_record.fields.empty())
                return ChangeSet(EditKind::EditRecord);
            return edited ? changeCells() : changeStoredFields(*m_record.entryA, *m_record.entryB);
        case RecordChange::Added:
            return edited ? addWithCells() : addByNumber();
        case RecordChange::Removed:
            return remove(edited);
        }
        return ChangeSet(EditKind::EditRecord);
    }

private:
    Result<ChangeSet> changeCells() {
        const std::size_t entry = *m_record.entryA;
        return editRecord(
            m_document, EditKind::EditRecord, m_record.family, entry,
            [&](Codeplug& codeplug) -> Status {
                for (const FieldDifference& field : m_record.fields) {
                    if (!field.columnIndex || !canBeRead(m_columns->columns()[*field.columnIndex]))
                        continue;
                    Status read = m_columns->parse(codeplug, entry, *field.columnIndex, field.after,
                                                   m_context);
                    if (!read.ok())
                        return read;
                }
                copyStored(codeplug, entry, *m_record.entryB);
                return Status::success();
            });
    }

    void copyStored(Codeplug& codeplug, std::size_t entry, std::size_t otherEntry) const {
        const auto names = storedFields(m_record);
        if (names.empty())
            return;
        withMembers(codeplug, m_other, m_record.family, [&](auto& mine, const auto& others) {
            if constexpr (isTable<std::remove_cvref_t<decltype(mine)>>())
                copyFields(mine[entry], others[otherEntry], names);
            else
                copyFields(mine, others, names);
        });
    }

    Result<ChangeSet> changeStoredFields(std::size_t entry, std::size_t otherEntry) {
        return m_document.apply(EditKind::EditRecord, [&](Codeplug& codeplug) {
            copyStored(codeplug, entry, otherEntry);
            return Status::success();
        });
    }

    // The slot an added record goes to: its own number when that is free, else the first free.
    std::optional<std::size_t> freeSlot() const {
        const Codeplug& codeplug = m_document.codeplug();
        const std::size_t wanted = *m_record.entryB;
        if (!m_columns->inUse(codeplug, wanted))
            return wanted;
        for (std::size_t entry = 0; entry < m_columns->size(); ++entry) {
            if (!m_columns->inUse(codeplug, entry))
                return entry;
        }
        return std::nullopt;
    }

    Result<ChangeSet> addWithCells() {
        const auto slot = freeSlot();
        if (!slot)
            return Error::literal("no free record left for it");
        const std::size_t entry = *slot;
        const std::size_t otherEntry = *m_record.entryB;
        return editRecord(
            m_document, EditKind::EditRecord, m_record.family, entry,
            [&](Codeplug& codeplug) -> Status {
                withMembers(codeplug, m_other, m_record.family,
                            [&](auto& mine, const auto& others) {
                                if constexpr (isTable<std::remove_cvref_t<decltype(mine)>>())
                                    overwriteRecord(mine[entry], others[otherEntry]);
                            });
                // Its references as the open codeplug numbers the records they name.
                const auto columns = m_columns->columns();
                for (std::size_t c = 0; c < columns.size(); ++c) {
                    if (!columns[c].reference)
                        continue;
                    const std::string text = m_columns->format(m_other, otherEntry, c, m_context);
                    if (Status read = m_columns->parse(codeplug, entry, c, text, m_context);
                        !read.ok())
                        return read;
                }
                return Status::success();
            });
    }

    Result<ChangeSet> addByNumber() {
        const std::size_t entry = *m_record.entryB;
        return m_document.apply(EditKind::EditRecord, [&](Codeplug& codeplug) {
            withMembers(codeplug, m_other, m_record.family, [&](auto& mine, const auto& others) {
                if constexpr (isTable<std::remove_cvref_t<decltype(mine)>>()) {
                    if (entry < mine.size())
                        overwriteRecord(mine[entry], others[entry]);
                }
            });
            return Status::success();
        });
    }

    Result<ChangeSet> remove(bool edited) {
        const std::size_t entry = *m_record.entryA;
        if (edited) {
            if (!canDelete(m_record.family))
                return Error::literal("the grid does not delete these records");
            const std::array entries{entry};
            return deleteRecords(m_document, m_record.family, entries);
        }
        return m_document.apply(EditKind::EditRecord, [&](Codeplug& codeplug) {
            withMembers(codeplug, m_other, m_record.family, [&](auto& mine, const auto&) {
                if constexpr (isTable<std::remove_cvref_t<decltype(mine)>>()) {
                    if (entry < mine.size())
                        takeOutOfUse(mine[entry]);
                }
            });
            return Status::success();
        });
    }

    Document& m_document;
    const Codeplug& m_other;
    const RecordDifference& m_record;
    const ColumnContext& m_context;
    const FamilyColumns* m_columns;
};

} // namespace

Result<ChangeSet> takeOver(Document& document, const Codeplug& other,
                           const RecordDifference& record, const ColumnContext& context) {
    return TakeOver(document, other, record, context).run();
}

} // namespace r605
