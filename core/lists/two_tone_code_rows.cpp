// The 2-tone codes (list type 12): the tone pairs that channels select for 2-tone signalling,
// the frequencies in hertz with one decimal.
#include "base/numbers.h"
#include "schema/cell_text.h"
#include "lists/list_family.h"

#include <array>

namespace r605 {

namespace {

using F = ListField;

// The entry holds tenths of a hertz in a signed 16-bit field.
constexpr std::int64_t kMaxToneTenths = 32767;

class TwoToneCodeRows final : public ListFamily {
public:
    std::size_t size() const override { return kTwoToneEntryCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.TwoToneEntry[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const TwoToneEntryRec& record = codeplug.TwoToneEntry[entry];
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::FirstTone:
            return formatFixed(record.FirstTone / 10.0, 1);
        case F::SecondTone:
            return formatFixed(record.SecondTone / 10.0, 1);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.TwoToneEntry.make();
        for (std::size_t n = 0; n < kTwoToneEntryCount; ++n) {
            // The names are not in the list: they stay as the codeplug has them.
            work.tables.TwoToneEntry[n] = TwoToneEntryRec{};
            work.tables.TwoToneEntry[n].Number = static_cast<std::int16_t>(n + 1);
            work.tables.TwoToneEntry[n].Name = work.base->TwoToneEntry[n].Name;
        }
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        TwoToneEntryRec& record = work.tables.TwoToneEntry[slot];
        record.Used = 1;
        for (const auto& [field, member] :
             {std::pair{F::FirstTone, &TwoToneEntryRec::FirstTone},
              std::pair{F::SecondTone, &TwoToneEntryRec::SecondTone}}) {
            const std::string* cell = row.cell(field);
            if (!cell)
                continue;
            const auto hertz = parseNumber(*cell);
            const auto tenths =
                hertz && *hertz >= 0 && *hertz < 1e5 ? roundHalfEvenToInt(*hertz * 10.0) : -1;
            if (tenths < 0 || tenths > kMaxToneTenths)
                return row.fail(field, "not a tone from 0.0 to 3276.7 Hz: \"" + *cell + "\"");
            record.*member = static_cast<std::int16_t>(tenths);
        }
        return Status::success();
    }
};

} // namespace

std::unique_ptr<ListFamily> MakeTwoToneCodeRows(const ListContext&) {
    return std::make_unique<TwoToneCodeRows>();
}

} // namespace r605
