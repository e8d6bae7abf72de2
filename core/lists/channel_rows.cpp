// The channel list (list type 0): one row per channel in use, with its frequencies, options as
// their interface texts, tones as the channel grid shows them and its references (transmit
// contact, radio ID, scan lists, receive group list) as the names of the records.
#include "lists/list_family.h"

#include "base/numbers.h"
#include "schema/cell_text.h"
#include "schema/record_names.h"
#include "rules/tone_text.h"

#include <array>

namespace r605 {

namespace {

using F = ListField;

constexpr std::array kChTypeTexts{TextKey{10053}, TextKey{10054}, TextKey{10055}, TextKey{10056}};
constexpr std::array kPowerTexts{TextKey{10057}, TextKey{10058}, TextKey{10059}, TextKey{10060}};
constexpr std::array kBandwidthTexts{TextKey{10061}, TextKey{10062}, TextKey{10063},
                                     TextKey{10064}};
// Busy channel lock-out: off, on carrier, on a foreign CTCSS/DCS, until the channel is free, on a
// foreign colour code.
constexpr std::array kBusyLockTexts{TextKey{20050}, TextKey{20076}, TextKey{20077}, TextKey{20078},
                                    TextKey{20079}};
constexpr std::array kScramblerTexts{TextKey{20050}}; // then the scrambler's levels by number
constexpr std::array kOptSignalTexts{TextKey{20050}, TextKey{20055}, TextKey{20056},
                                     TextKey{20057}};
constexpr std::array kPttIdTexts{TextKey{20050}, TextKey{20073}, TextKey{20074}, TextKey{20075}};
constexpr std::array kTimeSlotTexts{TextKey{20058}, TextKey{20059}};
constexpr std::array kOffOnTexts{TextKey{20050}, TextKey{20085}};

double transmitFrequency(const ChannelRec& channel) {
    double tx = channel.RxFreq;
    if (channel.OffsetDir == 1)
        tx += channel.Offset;
    else if (channel.OffsetDir == 2)
        tx -= channel.Offset;
    return roundHalfEven(tx * 100000.0) / 100000.0;
}

// The channel's on/off options (the editor's check boxes) and the fields that hold them. The
// 16-bit and the 8-bit flags of the record are read and written through a common int.
struct FlagAccess {
    ListField field;
    std::int16_t ChannelRec::*wide = nullptr;
    std::uint8_t ChannelRec::*narrow = nullptr;

    int get(const ChannelRec& c) const { return wide ? c.*wide : c.*narrow; }
    void set(ChannelRec& c, int value) const {
        if (wide)
            c.*wide = static_cast<std::int16_t>(value);
        else
            c.*narrow = static_cast<std::uint8_t>(value);
    }
};

constexpr std::array<FlagAccess, 10> kFlags{{
    {F::RxOnly, &ChannelRec::Flag9_4},
    {F::Compander, &ChannelRec::Flag9_5},
    {F::Vox, &ChannelRec::Flag9_6},
    {F::Reverse, &ChannelRec::Flag9_7},
    {F::PrivateCallConfirm, &ChannelRec::Flag33_4},
    {F::DualCapacity, &ChannelRec::Flag33_6},
    {F::EmergencyAlarmAck, nullptr, &ChannelRec::Flag33_5},
    {F::TalkerAlias, nullptr, &ChannelRec::Flag56_0},
    {F::AutoScan, nullptr, &ChannelRec::Flag56_1},
    {F::AutoRoaming, nullptr, &ChannelRec::Flag56_2},
}};

const FlagAccess* flagFor(ListField field) {
    for (const FlagAccess& flag : kFlags) {
        if (flag.field == field)
            return &flag;
    }
    return nullptr;
}

// The enumerated options: field, value texts, the record member and its range.
struct OptionAccess {
    ListField field;
    std::int16_t ChannelRec::*member;
    int max;
};

constexpr std::array<OptionAccess, 8> kOptions{{
    {F::ChType, &ChannelRec::ChType, 3},
    {F::Power, &ChannelRec::Power, 3},
    {F::Bandwidth, &ChannelRec::Bandwidth, 3},
    {F::BusyLock, &ChannelRec::Nibble26Lo, 15},
    {F::Scrambler, &ChannelRec::Nibble25Hi, 15},
    {F::OptSignal, &ChannelRec::OptSignal, 15},
    {F::PttId, &ChannelRec::Nibble25Lo, 15},
    {F::TimeSlot, &ChannelRec::Flag33_0, 1},
}};

// Plain numbers: the signalling code selections and the colour code.
struct NumberAccess {
    ListField field;
    std::int16_t ChannelRec::*member;
};

constexpr std::array<NumberAccess, 4> kNumbers{{
    {F::DtmfId, &ChannelRec::DtmfId},
    {F::TwoToneId, &ChannelRec::TwoToneId},
    {F::FiveToneId, &ChannelRec::FiveToneId},
    {F::ColorCode, &ChannelRec::Byte32},
}};

class ChannelRows final : public ListFamily {
public:
    explicit ChannelRows(const ListContext& context)
        : m_context(context), m_noTone(context.language.GetLangText(10050)),
          m_offOn(kOffOnTexts, context.language) {
        const Language& language = context.language;
        m_optionTexts = {
            ValueTexts(kChTypeTexts, language),    ValueTexts(kPowerTexts, language),
            ValueTexts(kBandwidthTexts, language), ValueTexts(kBusyLockTexts, language),
            ValueTexts(kScramblerTexts, language), ValueTexts(kOptSignalTexts, language),
            ValueTexts(kPttIdTexts, language),     ValueTexts(kTimeSlotTexts, language)};
    }

    std::size_t size() const override { return kChannelCount; }

    bool inUse(const Codeplug& codeplug, std::size_t entry) const override {
        return codeplug.Channel[entry].Used != 0;
    }

    std::string cell(const Codeplug& codeplug, std::size_t entry, ListField field) const override;
    void reset(ImportWorkSet& work) const override;
    Status read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const override;

private:
    Status readFrequencies(const ListRow& row, ChannelRec& channel) const;
    Status readTones(const ListRow& row, ChannelRec& channel) const;
    Status readOptions(const ListRow& row, ChannelRec& channel) const;
    Status readReferences(const ListRow& row, ChannelRefs& refs) const;

    const ListContext& m_context;
    std::string m_noTone;
    ValueTexts m_offOn;
    std::vector<ValueTexts> m_optionTexts; // in the order of kOptions
};

std::string ChannelRows::cell(const Codeplug& codeplug, std::size_t entry, ListField field) const {
    const ChannelRec& c = codeplug.Channel[entry];
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        if (kOptions[i].field == field)
            return m_optionTexts[i].text(c.*kOptions[i].member);
    }
    for (const NumberAccess& number : kNumbers) {
        if (number.field == field)
            return std::to_string(c.*number.member);
    }
    if (const FlagAccess* flag = flagFor(field))
        return m_offOn.text(flag->get(c));
    switch (field) {
    case F::Number:
        return std::to_string(entry + 1);
    case F::Name:
        return NameKey(c.Name);
    case F::RxFreq:
        return FrequencyCell(c.RxFreq);
    case F::TxFreq:
        return FrequencyCell(transmitFrequency(c));
    case F::RxTone:
        return ToneText({c.RxToneType, c.RxCtcss, c.RxDcs}, c.CustomCtcss, m_noTone);
    case F::TxTone:
        return ToneText({c.TxToneType, c.TxCtcss, c.TxDcs}, c.CustomCtcss, m_noTone);
    case F::TxContact:
        return ReferencedName(codeplug.Contact, c.Contact);
    case F::TxContactId: {
        const ContactRec* contact = UsedRecord(codeplug.Contact, c.Contact);
        return contact ? std::to_string(contact->Id) : std::string();
    }
    case F::RadioId:
        return ReferencedName(codeplug.Person, c.RadioId);
    case F::RadioIdNumber: {
        const PersonRec* person = UsedRecord(codeplug.Person, c.RadioId);
        return person ? std::to_string(person->Id) : std::string();
    }
    case F::ChannelScanLists: {
        std::vector<std::string> names;
        for (const std::uint8_t list : c.ScanLists) {
            if (std::string name = ReferencedName(codeplug.ScanList, list); !name.empty())
                names.push_back(std::move(name));
        }
        return JoinMembers(names);
    }
    case F::ChannelRxGroup:
        return ReferencedName(codeplug.RxGroup, c.RxGroup - 1);
    case F::UserCtcss:
        return formatFixed(c.CustomCtcss / 10.0, 1);
    default:
        return {};
    }
}

void ChannelRows::reset(ImportWorkSet& work) const {
    work.tables.Channel.make();
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        ChannelRec& channel = work.tables.Channel[n];
        channel = m_context.defaultChannel;
        channel.Number = static_cast<std::int16_t>(n + 1);
        channel.Used = 0;
    }
    work.channelRefs.assign(kChannelCount, ChannelRefs{});
}

Status ChannelRows::readFrequencies(const ListRow& row, ChannelRec& channel) const {
    const Language& language = m_context.language;
    if (const std::string* rx = row.cell(F::RxFreq)) {
        auto value = ParseFrequencyCell(*rx, m_context.bands, language);
        if (!value)
            return row.fail(F::RxFreq, value.error());
        channel.RxFreq = *value;
    }
    const std::string* txCell = row.cell(F::TxFreq);
    if (!txCell)
        return Status::success();
    // The transmit frequency is held as a direction and an offset from the receive frequency,
    // as the channel editor derives them.
    double tx = channel.RxFreq;
    if (!trimBlanks(*txCell).empty()) {
        auto value = ParseFrequencyCell(*txCell, m_context.bands, language);
        if (!value)
            return row.fail(F::TxFreq, value.error());
        tx = *value;
    }
    const double offset = roundHalfEven((tx - channel.RxFreq) * 100000.0) / 100000.0;
    channel.OffsetDir = offset > 0 ? 1 : offset < 0 ? 2 : 0;
    channel.Offset = offset < 0 ? -offset : offset;
    return Status::success();
}

Status ChannelRows::readTones(const ListRow& row, ChannelRec& channel) const {
    if (const std::string* cell = row.cell(F::UserCtcss); cell && !trimBlanks(*cell).empty()) {
        const auto hertz = parseNumber(*cell);
        const auto tenths = hertz ? roundHalfEvenToInt(*hertz * 10.0) : -1;
        if (tenths < 0 || tenths > 2600)
            return row.fail(F::UserCtcss, "not a tone from 0.0 to 260.0 Hz: \"" + *cell + "\"");
        channel.CustomCtcss = static_cast<std::int16_t>(tenths);
    }
    // Both directions share the one user-defined tone; a tone cell that names one (a
    // frequency that is no standard tone) sets it.
    std::optional<std::uint16_t> custom;
    for (const ListField field : {F::RxTone, F::TxTone}) {
        const std::string* cell = row.cell(field);
        if (!cell)
            continue;
        auto parsed = ParseToneText(*cell, m_noTone);
        if (!parsed)
            return row.fail(field, parsed.error());
        if (parsed->customCtcss) {
            if (custom && *custom != *parsed->customCtcss)
                return row.fail(field, "the receive and transmit tones ask for two different "
                                       "user-defined tones; a channel holds one");
            custom = parsed->customCtcss;
            channel.CustomCtcss = static_cast<std::int16_t>(*custom);
        }
        // Only the value the tone type uses is taken; the other keeps the template's.
        const ToneChoice& tone = parsed->tone;
        auto& type = field == F::RxTone ? channel.RxToneType : channel.TxToneType;
        auto& ctcss = field == F::RxTone ? channel.RxCtcss : channel.TxCtcss;
        auto& dcs = field == F::RxTone ? channel.RxDcs : channel.TxDcs;
        type = static_cast<std::int16_t>(tone.toneType);
        if (tone.toneType == kToneTypeCtcss)
            ctcss = static_cast<std::int16_t>(tone.ctcss);
        else if (tone.toneType == kToneTypeDcs)
            dcs = static_cast<std::int16_t>(tone.dcs);
    }
    return Status::success();
}

Status ChannelRows::readOptions(const ListRow& row, ChannelRec& channel) const {
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const std::string* cell = row.cell(kOptions[i].field);
        if (!cell)
            continue;
        auto value = m_optionTexts[i].parse(*cell, 0, kOptions[i].max);
        if (!value)
            return row.fail(kOptions[i].field, value.error());
        channel.*kOptions[i].member = static_cast<std::int16_t>(*value);
    }
    for (const NumberAccess& number : kNumbers) {
        const std::string* cell = row.cell(number.field);
        if (!cell)
            continue;
        auto value = ParseIntegerCell(*cell, 0, 255);
        if (!value)
            return row.fail(number.field, value.error());
        channel.*number.member = static_cast<std::int16_t>(*value);
    }
    for (const FlagAccess& flag : kFlags) {
        const std::string* cell = row.cell(flag.field);
        if (!cell)
            continue;
        auto value = m_offOn.parse(*cell, 0, 1);
        if (!value)
            return row.fail(flag.field, value.error());
        flag.set(channel, *value);
    }
    return Status::success();
}

Status ChannelRows::readReferences(const ListRow& row, ChannelRefs& refs) const {
    // A name, with the record's radio ID beside it in tool mode to tell apart records that
    // share a name.
    const auto named = [&](ListField nameField,
                           ListField idField) -> Result<std::optional<PendingRef>> {
        const std::string* name = row.cell(nameField);
        const std::string* id = row.cell(idField);
        if (!name && !id)
            return std::optional<PendingRef>();
        PendingRef ref;
        ref.text = name ? std::string(trimBlanks(*name)) : std::string();
        ref.origin = row.origin(name ? nameField : idField);
        if (id && !trimBlanks(*id).empty()) {
            auto number = ParseIntegerCell(*id, 0, 99999999);
            if (!number)
                return row.fail(idField, number.error());
            ref.id = *number;
        }
        return std::optional<PendingRef>(std::move(ref));
    };
    auto contact = named(F::TxContact, F::TxContactId);
    if (!contact)
        return contact.error();
    refs.contact = std::move(*contact);
    auto radioId = named(F::RadioId, F::RadioIdNumber);
    if (!radioId)
        return radioId.error();
    refs.radioId = std::move(*radioId);
    if (const std::string* group = row.cell(F::ChannelRxGroup))
        refs.rxGroup = PendingRef{*group, std::nullopt, row.origin(F::ChannelRxGroup)};
    for (const std::string_view lists : row.cells(F::ChannelScanLists))
        refs.scanLists.push_back(
            PendingRef{std::string(lists), std::nullopt, row.origin(F::ChannelScanLists)});
    return Status::success();
}

Status ChannelRows::read(const ListRow& row, std::size_t slot, ImportWorkSet& work) const {
    const ChannelRec* kept = work.keptRecord(ListTable::Channels, work.base->Channel, slot);
    ChannelRec channel = kept ? *kept : m_context.defaultChannel;
    channel.Number = static_cast<std::int16_t>(slot + 1);
    channel.Used = 1;
    if (const std::string* name = row.cell(F::Name))
        channel.Name = TextFieldCell(*name, 16);
    ChannelRefs refs;
    if (Status status = readFrequencies(row, channel); !status)
        return status;
    if (Status status = readTones(row, channel); !status)
        return status;
    if (Status status = readOptions(row, channel); !status)
        return status;
    if (Status status = readReferences(row, refs); !status)
        return status;
    work.tables.Channel[slot] = std::move(channel);
    work.channelRefs[slot] = std::move(refs);
    return Status::success();
}

} // namespace

std::unique_ptr<ListFamily> MakeChannelRows(const ListContext& context) {
    return std::make_unique<ChannelRows>(context);
}

} // namespace r605
