// The 2-tone codes (list type 12): the tone pairs that channels select for 2-tone signalling,
// the frequencies in hertz with one decimal.
#include "lists/record_rows.h"

namespace r605 {

namespace {

class TwoToneCodeRows final : public RecordRows<Family::TwoToneEntry> {
public:
    explicit TwoToneCodeRows(const ListContext& context)
        : RecordRows(ListType::TwoToneCodes, context) {}

private:
    // The names are not in the list: a pair takes the name its entry has in the codeplug.
    TwoToneEntryRec fresh(std::size_t slot, const ImportWorkSet& work) const override {
        TwoToneEntryRec entry;
        entry.Number = static_cast<std::int16_t>(slot + 1);
        entry.Name = work.base->TwoToneEntry[slot].Name;
        return entry;
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeTwoToneCodeRows(const ListContext& context) {
    return std::make_unique<TwoToneCodeRows>(context);
}

} // namespace r605
