// The scan list list (list type 3): each list's name, its channels by name in one cell joined
// with "|", its options as texts or numbers and its two priority channels by name.
#include "schema/cell_text.h"
#include "lists/list_family.h"
#include "schema/record_names.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace r605 {

namespace {

using F = ListField;

constexpr std::array kOffOnTexts{TextKey{20050}, TextKey{20085}};
// Where the radio goes when a call is answered during a scan (the grid's in-place list).
constexpr std::array kRevertTexts{TextKey{1144}, TextKey{1145}};

// The one-byte times of the list, written as the numbers the radio holds.
struct TimeAccess {
    ListField field;
    std::uint8_t ScanListRec::*member;
};

constexpr std::array<TimeAccess, 5> kTimes{{
    {F::HoldTime, &ScanListRec::Byte44},
    {F::SampleTime, &ScanListRec::Byte45},
    {F::DwellTime, &ScanListRec::Byte46},
    {F::LookBackTime, &ScanListRec::Byte47},
    {F::DropoutDelay, &ScanListRec::Byte48},
}};

class ScanListRows final : public ListFamily {
public:
    explicit ScanListRows(const ListContext& context)
        : m_offOn(kOffOnTexts, context.language), m_revert(kRevertTexts, context.language) {}

    std::size_t size() const override { return kScanListCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.ScanList[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override {
        const ScanListRec& list = codeplug.ScanList[entry];
        for (const TimeAccess& time : kTimes) {
            if (time.field == field)
                return std::to_string(list.*time.member);
        }
        switch (field) {
        case F::Number:
            return std::to_string(entry + 1);
        case F::Name:
            return NameKey(list.Name);
        case F::Members: {
            std::vector<std::string> names;
            const auto count = static_cast<std::size_t>(
                std::clamp<int>(list.Count, 0, static_cast<int>(kScanListMembers)));
            for (std::size_t k = 0; k < count; ++k) {
                if (std::string name = ReferencedName(codeplug.Channel, list.Members[k]);
                    !name.empty())
                    names.push_back(std::move(name));
            }
            return JoinMembers(names);
        }
        case F::Talkback:
            return m_offOn.text(list.Byte38);
        case F::RevertChannel:
            return m_revert.text(list.Byte39);
        case F::Priority1:
            return ReferencedName(codeplug.Channel, list.Priority1 - 1);
        case F::Priority2:
            return ReferencedName(codeplug.Channel, list.Priority2 - 1);
        default:
            return {};
        }
    }

    void reset(ImportWorkSet& work) const override {
        work.tables.ScanList.make();
        for (std::size_t n = 0; n < kScanListCount; ++n) {
            ScanListRec& list = work.tables.ScanList[n];
            list = ScanListRec{};
            list.Number = static_cast<std::int16_t>(n + 1);
        }
        work.scanListRefs.assign(kScanListCount, ScanListRefs{});
    }

    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override {
        const ScanListRec* kept = work.keptRecord(ListTable::ScanLists, work.base->ScanList, slot);
        ScanListRec list = kept ? *kept : ScanListRec{};
        list.Number = static_cast<std::int16_t>(slot + 1);
        list.Used = 1;
        if (const std::string* name = row.cell(F::Name))
            list.Name = TextFieldCell(*name, 16);
        for (const auto& [field, texts, member] :
             {std::tuple{F::Talkback, &m_offOn, &ScanListRec::Byte38},
              std::tuple{F::RevertChannel, &m_revert, &ScanListRec::Byte39}}) {
            const std::string* cell = row.cell(field);
            if (!cell)
                continue;
            auto value = texts->parse(*cell, 0, 255);
            if (!value)
                return row.fail(field, value.error());
            list.*member = static_cast<std::uint8_t>(*value);
        }
        for (const TimeAccess& time : kTimes) {
            const std::string* cell = row.cell(time.field);
            if (!cell)
                continue;
            auto value = ParseIntegerCell(*cell, 0, 255);
            if (!value)
                return row.fail(time.field, value.error());
            list.*time.member = static_cast<std::uint8_t>(*value);
        }
        ScanListRefs refs;
        for (const std::string_view members : row.cells(F::Members))
            refs.members.push_back(
                PendingRef{std::string(members), std::nullopt, row.origin(F::Members)});
        if (const std::string* p1 = row.cell(F::Priority1))
            refs.priority1 = PendingRef{*p1, std::nullopt, row.origin(F::Priority1)};
        if (const std::string* p2 = row.cell(F::Priority2))
            refs.priority2 = PendingRef{*p2, std::nullopt, row.origin(F::Priority2)};
        work.tables.ScanList[slot] = std::move(list);
        work.scanListRefs[slot] = std::move(refs);
        return Status::success();
    }

private:
    ValueTexts m_offOn;
    ValueTexts m_revert;
};

} // namespace

std::unique_ptr<ListFamily> MakeScanListRows(const ListContext& context) {
    return std::make_unique<ScanListRows>(context);
}

} // namespace r605
