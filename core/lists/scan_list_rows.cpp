// The scan list list (list type 3): each list's name, its channels by name in one cell joined
// with "|", its options as texts or numbers and its two priority channels by name.
#include "lists/record_rows.h"

namespace r605 {

namespace {

using F = ListField;

class ScanListRows final : public RecordRows<Family::ScanList> {
public:
    explicit ScanListRows(const ListContext& context) : RecordRows(ListType::ScanLists, context) {}

private:
    void resetReferences(ImportWorkSet& work) const override {
        work.scanListRefs.assign(kScanListCount, ScanListRefs{});
    }

    Status readRecord(const ListRow& row, std::size_t slot, ScanListRec& list,
                      ImportWorkSet& work) const override {
        if (Status status = readCells(row, list, work); !status)
            return status;
        work.scanListRefs[slot] =
            ScanListRefs{pendingMembers(row, F::Members), pending(row, F::Priority1),
                         pending(row, F::Priority2)};
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeScanListRows(const ListContext& context) {
    return std::make_unique<ScanListRows>(context);
}

} // namespace r605
