// The receive group list list (list type 8): each list's name and its contacts by name, joined
// with "|" in one cell or one or more per repeated member column.
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

#include <algorithm>

namespace r605 {

namespace {

using F = ListField;

class RxGroupRows final : public ListFamily {
public:
    std::size_t size() const override { return kRxGroupCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.RxGroup[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const RxGroupRec& group = codeplug.RxGroup[entry];
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::Name:
            return NameKey(group.Name);
        case F::Members: {
            std::vector<std::string> names;
            const auto count = static_cast<std::size_t>(
                std::clamp<int>(group.Count, 0, static_cast<int>(kRxGroupMembers)));
            for (std::size_t k = 0; k < count; ++k) {
                if (std::string name = ReferencedName(codeplug.Contact, group.Members[k]);
                    !name.empty())
                    names.push_back(std::move(name));
            }
            return JoinMembers(names);
        }
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.RxGroup.make();
        for (std::size_t n = 0; n < kRxGroupCount; ++n) {
            RxGroupRec& group = work.tables.RxGroup[n];
            group = RxGroupRec{};
            group.Number = static_cast<std::int16_t>(n + 1);
        }
        work.rxGroupRefs.assign(kRxGroupCount, RxGroupRefs{});
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const RxGroupRec* kept = work.keptRecord(ListTable::RxGroups, work.base->RxGroup, slot);
        RxGroupRec group = kept ? *kept : RxGroupRec{};
        group.Number = static_cast<std::int16_t>(slot + 1);
        group.Used = 1;
        if (const std::string* name = row.cell(F::Name))
            group.Name = TextFieldCell(*name, 35);
        RxGroupRefs refs;
        for (const std::string_view members : row.cells(F::Members))
            refs.members.push_back(
                PendingRef{std::string(members), std::nullopt, row.origin(F::Members)});
        work.tables.RxGroup[slot] = std::move(group);
        work.rxGroupRefs[slot] = std::move(refs);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeRxGroupRows(const ListContext&) {
    return std::make_unique<RxGroupRows>();
}

} // namespace r605
