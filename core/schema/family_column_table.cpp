// The columns of every family with records the user edits, each field's meaning given once: the
// value texts of its options, the family a reference points into and how it counts.
#include "schema/column_builders.h"

#include "base/numbers.h"
#include "rules/tone_text.h"
#include "text/language.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace r605 {

namespace {

using K = ColumnKind;

constexpr std::array kChTypeTexts{TextKey{10053}, TextKey{10054}, TextKey{10055}, TextKey{10056}};
constexpr std::array kPowerTexts{TextKey{10057}, TextKey{10058}, TextKey{10059}, TextKey{10060}};
constexpr std::array kBandwidthTexts{TextKey{10061}, TextKey{10062}, TextKey{10063},
                                     TextKey{10064}};
// Busy channel lock-out: off, on carrier, on a foreign CTCSS/DCS, until the channel is free, on a
// foreign colour code.
constexpr std::array kBusyLockTexts{TextKey{20050}, TextKey{20076}, TextKey{20077}, TextKey{20078},
                                    TextKey{20079}};
// The scrambler: off, then its levels by number.
constexpr std::array kScramblerTexts{TextKey{20050}};
constexpr std::array kOptSignalTexts{TextKey{20050}, TextKey{20055}, TextKey{20056},
                                     TextKey{20057}};
constexpr std::array kPttIdTexts{TextKey{20050}, TextKey{20073}, TextKey{20074}, TextKey{20075}};
constexpr std::array kTimeSlotTexts{TextKey{20058}, TextKey{20059}};
constexpr std::array kCallTypeTexts{TextKey{10550}, TextKey{10551}, TextKey{10552}};
// Where the radio goes when a call is answered during a scan.
constexpr std::array kRevertTexts{TextKey{1144}, TextKey{1145}};

// References: a channel's transmit contact and radio ID count from 0; its receive group list
// from 1 with 0 for none; its scan lists are bytes from 0 with 0xFF for none.
constexpr ReferenceRule kToContact{Family::Contact, 0, -1};
constexpr ReferenceRule kToRadioId{Family::Person, 0, -1};
constexpr ReferenceRule kToRxGroup{Family::RxGroup, 1, 0};
constexpr ReferenceRule kToScanList{Family::ScanList, 0, 0xFF};
constexpr ReferenceRule kToChannel{Family::Channel, 0, -1};
constexpr ReferenceRule kToChannelFromOne{Family::Channel, 1, 0};
constexpr ReferenceRule kToRoamChannel{Family::RoamChannel, 0, -1};

double transmitFrequency(const ChannelRec& channel) {
    double tx = channel.RxFreq;
    if (channel.OffsetDir == 1)
        tx += channel.Offset;
    else if (channel.OffsetDir == 2)
        tx -= channel.Offset;
    return roundHalfEven(tx * 100000.0) / 100000.0;
}

// The transmit frequency, held as a direction and an offset from the receive frequency, as the
// channel editor derives them.
TypedColumn<ChannelRec> txFrequencyColumn() {
    return {ColumnInfo{"TxFreq", K::Frequency},
            [](const ColumnInfo&, const ChannelRec& c, std::size_t, const Codeplug&,
               const ColumnContext&) { return cells::frequency(transmitFrequency(c)); },
            [](const ColumnInfo&, ChannelRec& c, std::string_view text, const Codeplug&,
               const ColumnContext& context) -> Status {
                double tx = c.RxFreq;
                if (!trimBlanks(text).empty()) {
                    auto value = cells::frequency(text, context);
                    if (!value)
                        return value.error();
                    tx = *value;
                }
                const double offset = roundHalfEven((tx - c.RxFreq) * 100000.0) / 100000.0;
                c.OffsetDir = static_cast<std::int16_t>(offset > 0 ? 1 : offset < 0 ? 2 : 0);
                c.Offset = offset < 0 ? -offset : offset;
                return Status::success();
            }};
}

// One direction's signalling: the tone type with its CTCSS position or DCS number. Both
// directions share the channel's one user-defined CTCSS tone.
template <bool Receive> TypedColumn<ChannelRec> toneColumn() {
    struct Access {
        static std::int16_t& type(ChannelRec& c) { return Receive ? c.RxToneType : c.TxToneType; }
        static std::int16_t& ctcss(ChannelRec& c) { return Receive ? c.RxCtcss : c.TxCtcss; }
        static std::int16_t& dcs(ChannelRec& c) { return Receive ? c.RxDcs : c.TxDcs; }
    };
    return {ColumnInfo{Receive ? "RxTone" : "TxTone", K::Tone},
            [](const ColumnInfo&, const ChannelRec& c, std::size_t, const Codeplug&,
               const ColumnContext& context) {
                const ToneChoice tone = Receive ? ToneChoice{c.RxToneType, c.RxCtcss, c.RxDcs}
                                                : ToneChoice{c.TxToneType, c.TxCtcss, c.TxDcs};
                return ToneText(tone, c.CustomCtcss, context.language);
            },
            [](const ColumnInfo&, ChannelRec& c, std::string_view text, const Codeplug&,
               const ColumnContext& context) -> Status {
                auto parsed = ParseToneText(text, context.language);
                if (!parsed)
                    return parsed.error();
                if (parsed->customCtcss)
                    c.CustomCtcss = static_cast<std::int16_t>(*parsed->customCtcss);
                // Only the value the tone type uses is taken; the other keeps what it held.
                const ToneChoice& tone = parsed->tone;
                Access::type(c) = static_cast<std::int16_t>(tone.toneType);
                if (tone.toneType == kToneTypeCtcss)
                    Access::ctcss(c) = static_cast<std::int16_t>(tone.ctcss);
                else if (tone.toneType == kToneTypeDcs)
                    Access::dcs(c) = static_cast<std::int16_t>(tone.dcs);
                return Status::success();
            }};
}

// The channel's eight scan lists: bytes packed to the front, 0xFF for none.
TypedColumn<ChannelRec> channelScanListsColumn() {
    ColumnInfo info{"ScanLists", K::Members};
    info.reference = kToScanList;
    return {info,
            [](const ColumnInfo& i, const ChannelRec& c, std::size_t, const Codeplug& codeplug,
               const ColumnContext&) {
                std::vector<std::int64_t> values(c.ScanLists.begin(), c.ScanLists.end());
                return cells::memberNames(codeplug, *i.reference, values);
            },
            [](const ColumnInfo& i, ChannelRec& c, std::string_view text, const Codeplug& codeplug,
               const ColumnContext&) -> Status {
                auto values = cells::memberValues(codeplug, *i.reference, text, c.ScanLists.size());
                if (!values)
                    return values.error();
                c.ScanLists.fill(0xFF);
                for (std::size_t k = 0; k < values->size(); ++k)
                    c.ScanLists[k] = static_cast<std::uint8_t>((*values)[k]);
                return Status::success();
            }};
}

std::unique_ptr<FamilyColumns> channelColumns() {
    using C = ChannelRec;
    return std::make_unique<TypedFamilyColumns<Family::Channel>>(std::vector<TypedColumn<C>>{
        numberColumn<C>(),
        textColumn<&C::Name>("Name"),
        frequencyColumn<&C::RxFreq>("RxFreq"),
        txFrequencyColumn(),
        enumColumn<&C::ChType>("ChType", kChTypeTexts),
        enumColumn<&C::Power>("Power", kPowerTexts),
        enumColumn<&C::Bandwidth>("Bandwidth", kBandwidthTexts),
        toneColumn<true>(),
        toneColumn<false>(),
        referenceColumn<&C::Contact>("Contact", kToContact),
        referenceColumn<&C::RadioId>("RadioId", kToRadioId),
        enumColumn<&C::Nibble26Lo>("BusyLock", kBusyLockTexts, "Nibble26Lo"),
        enumColumn<&C::Nibble25Hi>("Scrambler", kScramblerTexts, "Nibble25Hi"),
        enumColumn<&C::OptSignal>("OptSignal", kOptSignalTexts),
        integerColumn<&C::DtmfId>("DtmfId"),
        integerColumn<&C::TwoToneId>("TwoToneId"),
        integerColumn<&C::FiveToneId>("FiveToneId"),
        enumColumn<&C::Nibble25Lo>("PttId", kPttIdTexts, "Nibble25Lo"),
        integerColumn<&C::Byte32>("ColorCode", "Byte32"),
        enumColumn<&C::Flag33_0>("TimeSlot", kTimeSlotTexts, "Flag33_0"),
        channelScanListsColumn(),
        referenceColumn<&C::RxGroup>("RxGroup", kToRxGroup),
        onOffColumn<&C::Flag9_4>("RxOnly", "Flag9_4"),
        onOffColumn<&C::Flag9_5>("Compander", "Flag9_5"),
        onOffColumn<&C::Flag33_4>("PrivateCallConfirm", "Flag33_4"),
        onOffColumn<&C::Flag33_5>("EmergencyAlarmAck", "Flag33_5"),
        onOffColumn<&C::Flag33_6>("DualCapacity", "Flag33_6"),
        onOffColumn<&C::Flag9_6>("Vox", "Flag9_6"),
        onOffColumn<&C::Flag56_0>("TalkerAlias", "Flag56_0"),
        onOffColumn<&C::Flag56_1>("AutoScan", "Flag56_1"),
        onOffColumn<&C::Flag9_7>("Reverse", "Flag9_7"),
        hertzColumn<&C::CustomCtcss>("UserCtcss", "CustomCtcss"),
        onOffColumn<&C::Flag56_2>("AutoRoaming", "Flag56_2"),
    });
}

std::unique_ptr<FamilyColumns> personColumns() {
    using R = PersonRec;
    return std::make_unique<TypedFamilyColumns<Family::Person>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::Id>("Id"),
        integerColumn<&R::Byte4>("Option", "Byte4"),
        textColumn<&R::Name>("Name"),
    });
}

std::unique_ptr<FamilyColumns> zoneColumns() {
    using R = ZoneRec;
    return std::make_unique<TypedFamilyColumns<Family::Zone>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        onOffColumn<&R::Used>("Used"),
        membersColumn<&R::Members, &R::Count>("Members", kToChannel),
        textColumn<&R::Name>("Name"),
        integerColumn<&R::Count>("Count"),
        referenceColumn<&R::Selected1>("Selected1", kToChannel),
        referenceColumn<&R::Selected2>("Selected2", kToChannel),
    });
}

std::unique_ptr<FamilyColumns> scanListColumns() {
    using R = ScanListRec;
    return std::make_unique<TypedFamilyColumns<Family::ScanList>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        textColumn<&R::Name>("Name"),
        onOffColumn<&R::Byte38>("Talkback", "Byte38"),
        enumColumn<&R::Byte39>("RevertChannel", kRevertTexts, "Byte39"),
        referenceColumn<&R::Priority1>("Priority1", kToChannelFromOne),
        referenceColumn<&R::Priority2>("Priority2", kToChannelFromOne),
        integerColumn<&R::Byte44>("HoldTime", "Byte44"),
        integerColumn<&R::Byte45>("SampleTime", "Byte45"),
        integerColumn<&R::Byte46>("DwellTime", "Byte46"),
        integerColumn<&R::Byte47>("LookBackTime", "Byte47"),
        integerColumn<&R::Byte48>("DropoutDelay", "Byte48"),
        membersColumn<&R::Members, &R::Count>("Members", kToChannel),
    });
}

// A telephone number dialled through a DTMF interconnect: what a DTMF keypad can dial.
TypedColumn<PhoneBookRec> phoneNumberColumn() {
    ColumnInfo info{"PhoneNumber", K::DigitText};
    info.length = fieldOf<PhoneBookRec>(info.field).length;
    return {info,
            [](const ColumnInfo&, const PhoneBookRec& r, std::size_t, const Codeplug&,
               const ColumnContext&) { return cells::text(r.PhoneNumber); },
            [](const ColumnInfo& i, PhoneBookRec& r, std::string_view text, const Codeplug&,
               const ColumnContext&) -> Status {
                const std::string_view number = trimBlanks(text);
                if (number.size() > static_cast<std::size_t>(i.length) ||
                    number.find_first_not_of("0123456789*#") != std::string_view::npos)
                    return Error::literal("not a telephone number of up to " +
                                          std::to_string(i.length) + " digits, * and #: \"" +
                                          std::string(number) + "\"");
                r.PhoneNumber = std::string(number);
                return Status::success();
            }};
}

std::unique_ptr<FamilyColumns> phoneBookColumns() {
    using R = PhoneBookRec;
    return std::make_unique<TypedFamilyColumns<Family::PhoneBook>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        phoneNumberColumn(),
        textColumn<&R::Name>("Name"),
    });
}

std::unique_ptr<FamilyColumns> contactColumns() {
    using R = ContactRec;
    return std::make_unique<TypedFamilyColumns<Family::Contact>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::Id>("Id"),
        enumColumn<&R::CallType>("CallType", kCallTypeTexts),
        textColumn<&R::Name>("Name"),
        textColumn<&R::City>("City"),
        onOffColumn<&R::Byte80>("CallReceiveTone", "Byte80"),
        textColumn<&R::Callsign>("Callsign"),
        textColumn<&R::State>("State"),
        textColumn<&R::Country>("Country"),
        textColumn<&R::Remarks>("Remarks"),
    });
}

std::unique_ptr<FamilyColumns> roamZoneColumns() {
    using R = RoamZoneRec;
    return std::make_unique<TypedFamilyColumns<Family::RoamZone>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        textColumn<&R::Name>("Name"),
        membersColumn<&R::Members, &R::Count>("Members", kToRoamChannel),
    });
}

std::unique_ptr<FamilyColumns> roamChannelColumns() {
    using R = RoamChannelRec;
    return std::make_unique<TypedFamilyColumns<Family::RoamChannel>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        frequencyColumn<&R::RxFreq>("RxFreq"),
        frequencyColumn<&R::TxFreq>("TxFreq"),
        integerColumn<&R::Byte20>("ColorCode", "Byte20"),
        enumColumn<&R::Byte21>("TimeSlot", kTimeSlotTexts, "Byte21"),
        textColumn<&R::Name>("Name"),
    });
}

std::unique_ptr<FamilyColumns> rxGroupColumns() {
    using R = RxGroupRec;
    return std::make_unique<TypedFamilyColumns<Family::RxGroup>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        textColumn<&R::Name>("Name"),
        integerColumn<&R::Count>("Count"),
        membersColumn<&R::Members, &R::Count>("Members", kToContact),
    });
}

std::unique_ptr<FamilyColumns> emgCodeColumns() {
    using R = EmgCodeRec;
    return std::make_unique<TypedFamilyColumns<Family::EmgCode>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::Code>("Code"),
        integerColumn<&R::Value2>("Value2"),
    });
}

// The date and the time of a logged record, and both together.
template <class R> std::string loggedDate(const ColumnInfo&, const R& r, std::size_t,
                                          const Codeplug&, const ColumnContext&) {
    return cells::date(r.Year, r.Month, r.Day);
}
template <class R> std::string loggedTime(const ColumnInfo&, const R& r, std::size_t,
                                          const Codeplug&, const ColumnContext&) {
    return cells::time(r.Hour, r.Minute, r.Second);
}
template <class R> std::string loggedMoment(const ColumnInfo& i, const R& r, std::size_t entry,
                                            const Codeplug& codeplug, const ColumnContext& c) {
    return loggedDate(i, r, entry, codeplug, c) + " " + loggedTime(i, r, entry, codeplug, c);
}

template <Family F> std::unique_ptr<FamilyColumns> textMessageColumns() {
    using R = TextMessageRec;
    return std::make_unique<TypedFamilyColumns<F>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::CallId>("CallId"),
        shownColumn<R>("Date", K::Text, loggedDate<R>),
        shownColumn<R>("Time", K::Text, loggedTime<R>),
        textColumn<&R::Text>("Text"),
    });
}

std::unique_ptr<FamilyColumns> callLogColumns() {
    using R = CallLogRec;
    return std::make_unique<TypedFamilyColumns<Family::CallLog1>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::CallId>("CallId"),
        shownColumn<R>("ContactName", K::Text,
                       [](const ColumnInfo&, const R& r, std::size_t, const Codeplug& codeplug,
                          const ColumnContext&) { return cells::contactNameOfId(codeplug, r.CallId); }),
        shownColumn<R>("CallTime", K::Text, loggedMoment<R>),
    });
}

std::unique_ptr<FamilyColumns> recordingColumns() {
    using R = RecordingRec;
    return std::make_unique<TypedFamilyColumns<Family::Recording>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::Channel>("Channel"),
        enumColumn<&R::CallType>("CallType", kCallTypeTexts),
        shownColumn<R>("StartTime", K::Text, loggedMoment<R>),
        integerColumn<&R::CallerId>("CallerId"),
        integerColumn<&R::CalledId>("CalledId"),
        integerColumn<&R::Duration>("Duration"),
        shownColumn<R>("CallerName", K::Text,
                       [](const ColumnInfo&, const R& r, std::size_t, const Codeplug& codeplug,
                          const ColumnContext&) { return cells::contactNameOfId(codeplug, r.CallerId); }),
        shownColumn<R>("CalledName", K::Text,
                       [](const ColumnInfo&, const R& r, std::size_t, const Codeplug& codeplug,
                          const ColumnContext&) { return cells::contactNameOfId(codeplug, r.CalledId); }),
    });
}

std::unique_ptr<FamilyColumns> repeaterOffsetColumns() {
    using R = RepeaterOffsetRec;
    return std::make_unique<TypedFamilyColumns<Family::RepeaterOffset>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::Offset>("Offset"),
        integerColumn<&R::Direction>("Direction"),
    });
}

// The tone pairs that channels select for 2-tone signalling.
std::unique_ptr<FamilyColumns> twoToneEntryColumns() {
    using R = TwoToneEntryRec;
    return std::make_unique<TypedFamilyColumns<Family::TwoToneEntry>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        textColumn<&R::Name>("Name"),
        hertzColumn<&R::FirstTone>("FirstTone"),
        hertzColumn<&R::SecondTone>("SecondTone"),
    });
}

// The sixteen DTMF codes that channels select through DtmfId: "Code0" to "Code15" (the record's
// further codes Code16 to Code19 carry those names already). A code holds up to 16 hexadecimal
// digits, one per byte, and their count; a code without digits is not in use.
constexpr std::array<std::string_view, kDtmfCodes> kDtmfCodeNames{
    "Code0", "Code1", "Code2",  "Code3",  "Code4",  "Code5",  "Code6",  "Code7",
    "Code8", "Code9", "Code10", "Code11", "Code12", "Code13", "Code14", "Code15"};

template <std::size_t I> TypedColumn<DtmfRec> dtmfCodeColumn() {
    ColumnInfo info{kDtmfCodeNames[I], K::HexText, "Codes"};
    info.length = fieldOf<DigitCode>("Digits").length;
    return {info,
            [](const ColumnInfo& i, const DtmfRec& r, std::size_t, const Codeplug&,
               const ColumnContext&) {
                const DigitCode& code = r.Codes[I];
                const auto count = static_cast<std::size_t>(std::clamp<int>(code.Count, 0, i.length));
                return code.Digits.substr(0, std::min(count, code.Digits.size()));
            },
            [](const ColumnInfo& i, DtmfRec& r, std::string_view text, const Codeplug&,
               const ColumnContext&) -> Status {
                auto digits = cells::hexDigits(text, i.length);
                if (!digits)
                    return digits.error();
                r.Codes[I].Count = static_cast<std::int16_t>(digits->size());
                r.Codes[I].Digits = std::move(*digits);
                return Status::success();
            }};
}

std::unique_ptr<FamilyColumns> dtmfColumns() {
    return []<std::size_t... I>(std::index_sequence<I...>) {
        return std::make_unique<TypedFamilyColumns<Family::Dtmf>>(
            std::vector<TypedColumn<DtmfRec>>{dtmfCodeColumn<I>()...});
    }(std::make_index_sequence<kDtmfCodes>());
}

template <Family F> std::unique_ptr<FamilyColumns> keyColumns() {
    using R = RecordOf<F>;
    return std::make_unique<TypedFamilyColumns<F>>(std::vector<TypedColumn<R>>{
        numberColumn<R>(),
        integerColumn<&R::KeyId>("KeyId"),
        digitsColumn<&R::Key>("Key", K::HexText),
    });
}

std::unique_ptr<FamilyColumns> makeColumns(Family family) {
    switch (family) {
    case Family::Channel:
        return channelColumns();
    case Family::Person:
        return personColumns();
    case Family::Zone:
        return zoneColumns();
    case Family::ScanList:
        return scanListColumns();
    case Family::PhoneBook:
        return phoneBookColumns();
    case Family::Contact:
    case Family::ContactPage:
        return contactColumns();
    case Family::RoamZone:
        return roamZoneColumns();
    case Family::RoamChannel:
        return roamChannelColumns();
    case Family::RxGroup:
        return rxGroupColumns();
    case Family::EmgCode:
        return emgCodeColumns();
    case Family::Arc4Key:
        return keyColumns<Family::Arc4Key>();
    case Family::CallLog1:
        return callLogColumns();
    case Family::TextMessage1:
        return textMessageColumns<Family::TextMessage1>();
    case Family::TextMessage2:
        return textMessageColumns<Family::TextMessage2>();
    case Family::TextMessage3:
        return textMessageColumns<Family::TextMessage3>();
    case Family::Recording:
        return recordingColumns();
    case Family::RepeaterOffset:
        return repeaterOffsetColumns();
    case Family::AesKey:
        return keyColumns<Family::AesKey>();
    case Family::Dtmf:
        return dtmfColumns();
    case Family::TwoToneEntry:
        return twoToneEntryColumns();
    default:
        return nullptr;
    }
}

} // namespace

const FamilyColumns* columnsOf(Family family) {
    static const auto all = [] {
        std::array<std::unique_ptr<FamilyColumns>, kFamilyCount> tables;
        for (std::size_t i = 0; i < kFamilyCount; ++i)
            tables[i] = makeColumns(static_cast<Family>(i));
        return tables;
    }();
    return all[static_cast<std::size_t>(family)].get();
}

} // namespace r605
