#include "random_codeplug.h"

#include "file/rdt_format.h"
#include "text/codepage.h"

#include <array>
#include <random>
#include <string>
#include <type_traits>

namespace r605::test {

namespace {

class Filler {
public:
    Filler(std::uint32_t seed, bool asciiOnly) : m_random(seed), m_asciiOnly(asciiOnly) {}

    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool chance(int percent) { return between(0, 99) < percent; }

    std::string text(std::size_t length) {
        static const std::array<std::string_view, 6> kChinese{"中", "文", "频", "道", "区", "联"};
        std::string result;
        const std::size_t target = static_cast<std::size_t>(between(0, static_cast<int>(length)));
        std::size_t bytes = 0;
        while (bytes < target) {
            if (!m_asciiOnly && bytes + 2 <= target && chance(20)) {
                result += kChinese[static_cast<std::size_t>(between(0, 5))];
                bytes += 2;
                continue;
            }
            result.push_back(static_cast<char>(between(32, 126)));
            ++bytes;
        }
        while (!result.empty() && result.back() == ' ')
            result.back() = 'x';
        return result;
    }

    template <class T> void member(const Field& field, T& value) {
        if constexpr (std::is_same_v<T, std::string>) {
            value = text(field.length);
        } else if constexpr (std::is_same_v<T, double>) {
            value = std::uniform_real_distribution<double>(0, 999)(m_random);
        } else if constexpr (std::is_arithmetic_v<T>) {
            if (field.use == FieldUse::Number)
                return; // the record's place
            double low = typeMin<T>();
            double high = typeMax<T>();
            if (field.hasRange()) {
                low = field.min;
                high = field.max;
            }
            value = static_cast<T>(std::uniform_int_distribution<long long>(
                static_cast<long long>(low), static_cast<long long>(high))(m_random));
            if (field.name == "Used")
                value = 1;
        } else if constexpr (DescribedRecord<T>) {
            record(value);
        } else {
            for (auto& element : value)
                member(field, element);
        }
    }

    template <class Record> void record(Record& r) {
        forEachField(r, [this](const Field& field, auto& value) { this->member(field, value); });
    }

    template <class TableT> void counted(TableT& table, int percent) {
        for (auto& r : table) {
            if (chance(percent))
                record(r);
        }
    }
    template <class TableT> void whole(TableT& table) {
        for (auto& r : table)
            record(r);
    }

private:
    std::mt19937 m_random;
    bool m_asciiOnly;
};

} // namespace

Codeplug RandomCodeplug(std::uint32_t seed, const RandomCodeplugOptions& options) {
    Codeplug codeplug = NumberedEmptyCodeplug();
    Filler fill(seed, false);
    const int percent = options.usedPercent;

    fill.record(codeplug.FiveTone);
    fill.record(codeplug.Dtmf);
    fill.record(codeplug.TwoTone);
    fill.record(codeplug.Option);
    fill.record(codeplug.Alarm);
    fill.record(codeplug.OneKey);
    fill.record(codeplug.Settings);
    fill.whole(codeplug.QuickCall);
    fill.record(codeplug.EmbeddedInfo);
    fill.whole(codeplug.AlertTonePatterns);
    for (auto& tone : codeplug.UserToneSet)
        tone = static_cast<std::int16_t>(fill.between(-32768, 32767));
    codeplug.Header = CodeplugHeader{"R600MK", static_cast<std::int16_t>(options.bandCode), "V110"};

    fill.counted(codeplug.Channel, percent);
    fill.counted(codeplug.Person, percent);
    fill.counted(codeplug.Zone, percent);
    fill.counted(codeplug.ScanList, percent);
    fill.counted(codeplug.PhoneBook, percent);
    Filler contactFill(seed ^ 0x5A5A5A5Au, options.asciiContactTexts);
    contactFill.counted(codeplug.Contact, percent);
    fill.counted(codeplug.CallLog1, percent);
    fill.counted(codeplug.CallLog2, percent);
    fill.counted(codeplug.CallLog3, percent);
    fill.counted(codeplug.TextMessage1, percent);
    fill.counted(codeplug.TextMessage2, percent);
    fill.counted(codeplug.TextMessage3, percent);
    fill.counted(codeplug.TextMessage4, percent);
    // A recording's companion travels with the recording.
    for (std::size_t i = 0; i < codeplug.Recording.size(); ++i) {
        if (!fill.chance(percent / 4))
            continue;
        fill.record(codeplug.Recording[i]);
        fill.record(codeplug.RecordingIndex[i]);
    }
    fill.counted(codeplug.RxGroup, percent);
    fill.whole(codeplug.EMG_Code);
    fill.whole(codeplug.RepeaterOffset);
    fill.whole(codeplug.TwoToneEntry);
    fill.record(codeplug.AprsCompanion);
    fill.record(codeplug.Aprs);
    fill.whole(codeplug.AesKey);
    fill.whole(codeplug.RoamChannel);
    fill.whole(codeplug.RoamZone);
    fill.whole(codeplug.Arc4Key);
    return codeplug;
}

void FillWithChineseContacts(Table<ContactRec, kContactCount>& contacts, std::int32_t firstId) {
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        ContactRec& contact = contacts[i];
        contact.Number = static_cast<std::int32_t>(i + 1);
        contact.Used = 1;
        contact.Id = firstId + static_cast<std::int32_t>(i);
        contact.Name = contact.State = contact.Country = contact.Remarks = "中文中文中文中文";
        contact.City = "中文中文中文中";
        contact.Callsign = "中文中文";
    }
}

} // namespace r605::test
