// The zone list (list type 2): each zone's name, its channels by name in one cell joined with
// "|", and its two selected channels by name.
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

#include <algorithm>

namespace r605 {

namespace {

using F = ListField;

class ZoneRows final : public ListFamily {
public:
    std::size_t size() const override { return kZoneCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.Zone[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const ZoneRec& zone = codeplug.Zone[entry];
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::Name:
            return NameKey(zone.Name);
        case F::Members: {
            std::vector<std::string> names;
            const auto count = static_cast<std::size_t>(
                std::clamp<int>(zone.Count, 0, static_cast<int>(kZoneMembers)));
            for (std::size_t k = 0; k < count; ++k) {
                if (std::string name = ReferencedName(codeplug.Channel, zone.Members[k]);
                    !name.empty())
                    names.push_back(std::move(name));
            }
            return JoinMembers(names);
        }
        case F::ChannelA:
            return ReferencedName(codeplug.Channel, zone.Selected1);
        case F::ChannelB:
            return ReferencedName(codeplug.Channel, zone.Selected2);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.Zone.make();
        for (std::size_t n = 0; n < kZoneCount; ++n) {
            ZoneRec& zone = work.tables.Zone[n];
            zone = ZoneRec{};
            zone.Number = static_cast<std::int16_t>(n + 1);
        }
        work.zoneRefs.assign(kZoneCount, ZoneRefs{});
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const ZoneRec* kept = work.keptRecord(ListTable::Zones, work.base->Zone, slot);
        ZoneRec zone = kept ? *kept : ZoneRec{};
        zone.Number = static_cast<std::int16_t>(slot + 1);
        zone.Used = 1;
        if (const std::string* name = row.cell(F::Name))
            zone.Name = TextFieldCell(*name, 16);
        ZoneRefs refs;
        for (const std::string_view members : row.cells(F::Members))
            refs.members.push_back(
                PendingRef{std::string(members), std::nullopt, row.origin(F::Members)});
        if (const std::string* a = row.cell(F::ChannelA))
            refs.channelA = PendingRef{*a, std::nullopt, row.origin(F::ChannelA)};
        if (const std::string* b = row.cell(F::ChannelB))
            refs.channelB = PendingRef{*b, std::nullopt, row.origin(F::ChannelB)};
        work.tables.Zone[slot] = std::move(zone);
        work.zoneRefs[slot] = std::move(refs);
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeZoneRows(const ListContext&) {
    return std::make_unique<ZoneRows>();
}

} // namespace r605
