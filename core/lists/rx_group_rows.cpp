// The receive group list list (list type 8): each list's name and its contacts by name, joined
// with "|" in one cell or one or more per repeated member column.
#include "lists/record_rows.h"

namespace r605 {

namespace {

class RxGroupRows final : public RecordRows<Family::RxGroup> {
public:
    explicit RxGroupRows(const ListContext& context) : RecordRows(ListType::RxGroups, context) {}

private:
    void resetReferences(ImportWorkSet& work) const override {
        work.rxGroupRefs.assign(kRxGroupCount, RxGroupRefs{});
    }

    Status readRecord(const ListRow& row, std::size_t slot, RxGroupRec& group,
                      ImportWorkSet& work) const override {
        if (Status status = readCells(row, group, work); !status)
            return status;
        work.rxGroupRefs[slot] = RxGroupRefs{pendingMembers(row, ListField::Members)};
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeRxGroupRows(const ListContext& context) {
    return std::make_unique<RxGroupRows>(context);
}

} // namespace r605
