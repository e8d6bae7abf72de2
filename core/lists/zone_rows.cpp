// The zone list (list type 2): each zone's name, its channels by name in one cell joined with
// "|", and its two selected channels by name.
#include "lists/record_rows.h"

namespace r605 {

namespace {

using F = ListField;

class ZoneRows final : public RecordRows<Family::Zone> {
public:
    explicit ZoneRows(const ListContext& context) : RecordRows(ListType::Zones, context) {}

private:
    void resetReferences(ImportWorkSet& work) const override {
        work.zoneRefs.assign(kZoneCount, ZoneRefs{});
    }

    Status readRecord(const ListRow& row, std::size_t slot, ZoneRec& zone,
                      ImportWorkSet& work) const override {
        if (Status status = readCells(row, zone, work); !status)
            return status;
        work.zoneRefs[slot] = ZoneRefs{pendingMembers(row, F::Members), pending(row, F::ChannelA),
                                       pending(row, F::ChannelB)};
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeZoneRows(const ListContext& context) {
    return std::make_unique<ZoneRows>(context);
}

} // namespace r605
