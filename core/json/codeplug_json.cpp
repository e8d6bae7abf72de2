#include "json/codeplug_json.h"

#include "base/numbers.h"
#include "rules/band.h"
#include "schema/family_tables.h"
#include "schema/new_codeplug.h"
#include "text/codepage.h"
#include "text/trim.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <type_traits>

namespace r605 {

namespace {

using OrderedJson = nlohmann::ordered_json;
using Json = nlohmann::json;

constexpr std::string_view kFormat = "r605-codeplug";
constexpr int kVersion = 1;

// Every part of the codeplug the JSON lists beside its header, named and ordered as the family
// registry names and orders them.
template <class CodeplugT, class Visit> void forEachPart(CodeplugT& cp, Visit&& visit) {
    forEachFamily(cp, [&visit](const FamilyInfo& info, auto& part) {
        if (info.family != Family::Header)
            visit(info.jsonName, part);
    });
}

template <class T> struct IsStdArray : std::false_type {};
template <class T, std::size_t N> struct IsStdArray<std::array<T, N>> : std::true_type {};

// Byte arrays of a block or more are raw memory areas, written as hexadecimal text.
template <class T> constexpr bool isRawBytes() {
    if constexpr (IsStdArray<T>::value)
        return std::is_same_v<typename T::value_type, std::uint8_t> && std::tuple_size_v<T> >= 16;
    else
        return false;
}

template <class R> bool isListed(const R& record) {
    if constexpr (requires { record.Used; })
        return record.Used >= 1;
    else if constexpr (requires { record.KeyId; })
        return record.KeyId != 0;
    else
        return true;
}

// Tables whose records not in use still reach the codeplug file (see the header).
bool listsHeldRecords(std::string_view table) {
    static constexpr std::array<std::string_view, 6> kTables{
        "AesKey", "Arc4Key", "RoamChannel", "RoamZone", "TwoToneEntry", "RecordingIndex"};
    return std::find(kTables.begin(), kTables.end(), table) != kTables.end();
}

template <class R> void clearInUse(R& record);

// A record not in use that differs from the one reading would put in its place.
template <class R> bool holdsMoreThan(const R& record, R base) {
    clearInUse(base);
    return !(record == base);
}

template <class T> const T* partNamed(const Codeplug& codeplug, std::string_view name) {
    const T* found = nullptr;
    forEachPart(codeplug, [&](std::string_view partName, const auto& part) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(part)>, T>) {
            if (partName == name)
                found = &part;
        }
    });
    return found;
}

template <class R> bool hasNumberField() {
    static const bool found = [] {
        bool any = false;
        R record{};
        forEachField(record, [&any](const Field& field, auto&) {
            any = any || field.use == FieldUse::Number;
        });
        return any;
    }();
    return found;
}

// ---------------------------------------------------------------- writing

std::string hexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

template <class T> OrderedJson memberToJson(const T& member);

template <DescribedRecord R>
OrderedJson recordToJson(const R& record, std::optional<std::size_t> number) {
    OrderedJson object = OrderedJson::object();
    if (number && !hasNumberField<R>())
        object["Number"] = *number;
    forEachField(record, [&](const Field& field, const auto& member) {
        if (field.use == FieldUse::Number && number)
            object[std::string(field.name)] = *number;
        else
            object[std::string(field.name)] = memberToJson(member);
    });
    return object;
}

template <class T> OrderedJson memberToJson(const T& member) {
    if constexpr (std::is_same_v<T, std::string>) {
        return member;
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
        return static_cast<int>(member);
    } else if constexpr (std::is_arithmetic_v<T>) {
        return member;
    } else if constexpr (DescribedRecord<T>) {
        return recordToJson(member, std::nullopt);
    } else if constexpr (isRawBytes<T>()) {
        return hexText(member);
    } else {
        OrderedJson array = OrderedJson::array();
        for (const auto& element : member)
            array.push_back(memberToJson(element));
        return array;
    }
}

// ---------------------------------------------------------------- reading

// The place being read, for error messages: "Channel 5, RxFreq".
struct Place {
    std::string record; // "Channel 5", "Dtmf", "header"
    std::string field;  // "RxFreq", "Codes[3].Digits"

    std::string text() const { return field.empty() ? record : record + ", " + field; }
    Place sub(std::string_view name) const {
        return Place{record, field.empty() ? std::string(name) : field + "." + std::string(name)};
    }
    Place element(std::size_t index) const {
        return Place{record, field + "[" + std::to_string(index) + "]"};
    }
};

Error placeError(const Place& place, std::string_view reason) {
    return Error::literal(place.text() + ": " + std::string(reason));
}

std::string numberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    if (std::fabs(value) >= 1e15) {
        char buffer[32]; // the shortest form that reads back: "1e+92"
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        return std::string(buffer, end);
    }
    std::string text = formatFixed(value, 5);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

bool isHexDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

class Reader {
public:
    explicit Reader(const BandRanges& ranges) : m_ranges(ranges) {}

    const std::optional<Error>& error() const { return m_error; }
    // Frequencies of records not in use are kept as they are: no editor checks them.
    void checkBand(bool check) { m_checkBand = check; }

    template <DescribedRecord R>
    bool readRecord(const Json& value, R& record, const Place& place,
                    std::string_view extraKey = {}) {
        if (!value.is_object())
            return fail(place, "expected an object");
        bool ok = true;
        forEachField(record, [&](const Field& field, auto& member) {
            if (!ok)
                return;
            const auto found = value.find(field.name);
            if (found == value.end())
                return;
            if (field.use == FieldUse::Number)
                return; // the record's place in its table decides its number
            ok = readMember(field, *found, member, place.sub(field.name));
        });
        if (!ok)
            return false;
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (it.key() != extraKey && !hasField(record, it.key()))
                return fail(place, "unknown field \"" + it.key() + "\"");
        }
        return true;
    }

    template <class T>
    bool readMember(const Field& field, const Json& value, T& member, const Place& place) {
        if constexpr (std::is_same_v<T, std::string>) {
            return readText(field, value, member, place);
        } else if constexpr (std::is_floating_point_v<T>) {
            return readDouble(field, value, member, place);
        } else if constexpr (std::is_integral_v<T>) {
            return readInteger(field, value, member, place);
        } else if constexpr (DescribedRecord<T>) {
            return readRecord(value, member, place);
        } else if constexpr (isRawBytes<T>()) {
            return readRawBytes(value, member, place);
        } else {
            if (!value.is_array())
                return fail(place, "expected an array");
            if (value.size() > member.size())
                return fail(place, "more than " + std::to_string(member.size()) + " elements");
            for (std::size_t i = 0; i < value.size(); ++i) {
                if (!readMember(field, value[i], member[i], place.element(i)))
                    return false;
            }
            return true;
        }
    }

    bool fail(const Place& place, std::string_view reason) {
        if (!m_error)
            m_error = placeError(place, reason);
        return false;
    }

    // A value the field stores but the editors would not enter: a radio or a file may hold it,
    // so it is kept, with a word.
    void warn(const Place& place, std::string_view reason) {
        m_warnings.push_back(placeError(place, std::string(reason) + "; kept as it is"));
    }
    std::vector<Error>& warnings() { return m_warnings; }

private:
    template <class R> static bool hasField(R& record, std::string_view name) {
        bool found = false;
        forEachField(record, [&](const Field& field, auto&) { found |= field.name == name; });
        return found;
    }

    template <class T>
    bool readInteger(const Field& field, const Json& value, T& member, const Place& place) {
        if (!value.is_number())
            return fail(place, "expected a whole number");
        const double number = value.get<double>();
        if (number != std::floor(number))
            return fail(place, "expected a whole number");
        if (!checkRanges<T>(field, number, place))
            return false;
        member = static_cast<T>(number);
        return true;
    }

    // Refuses a number the field cannot store; warns of one outside the editors' range.
    template <class T> bool checkRanges(const Field& field, double number, const Place& place) {
        const ValueRange stored = storedRange<T>(field);
        if (!stored.contains(number))
            return fail(place, numberText(number) + " is outside " + numberText(stored.min) +
                                   " .. " + numberText(stored.max));
        const ValueRange editor = editorRange<T>(field);
        if (!editor.contains(number))
            warn(place, numberText(number) + " is outside the editors' range " +
                            numberText(editor.min) + " .. " + numberText(editor.max));
        return true;
    }

    template <class T>
    bool readDouble(const Field& field, const Json& value, T& member, const Place& place) {
        if (!value.is_number())
            return fail(place, "expected a number");
        const double number = value.get<double>();
        if (!checkRanges<T>(field, number, place))
            return false;
        if (field.use == FieldUse::Frequency && m_checkBand) {
            const FrequencyCheck checked = CheckFrequency(m_ranges, number, 0);
            if (checked.outOfBand)
                warn(place, numberText(number) + " MHz is outside the band");
            else if (checked.value != number)
                warn(place, numberText(number) + " MHz is off the 50 Hz raster");
        }
        member = number;
        return true;
    }

    bool readText(const Field& field, const Json& value, std::string& member, const Place& place) {
        if (!value.is_string())
            return fail(place, "expected a text");
        const std::string& text = value.get_ref<const std::string&>();
        switch (field.use) {
        // The image holds these texts as digit values: other characters cannot be stored.
        case FieldUse::HexText:
            if (!isHexDigits(text))
                return fail(place, "only hexadecimal digits are allowed");
            break;
        case FieldUse::DigitText:
            if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return fail(place, "only the digits 0 to 9 are allowed");
            break;
        default:
            if (fromCp936(toCp936(text)) != text)
                return fail(place, "the text holds characters the radio cannot show");
            break;
        }
        const std::size_t length = cp936Length(text);
        if (length > field.length)
            return fail(place, "the text takes " + std::to_string(length) + " bytes, at most " +
                                   std::to_string(field.length) + " fit");
        member = text;
        return true;
    }

    template <std::size_t N>
    bool readRawBytes(const Json& value, std::array<std::uint8_t, N>& bytes, const Place& place) {
        if (!value.is_string())
            return fail(place, "expected hexadecimal text");
        const std::string& text = value.get_ref<const std::string&>();
        if (text.size() != 2 * N || !isHexDigits(text))
            return fail(place, "expected " + std::to_string(2 * N) + " hexadecimal digits");
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = static_cast<std::uint8_t>(std::stoul(text.substr(2 * i, 2), nullptr, 16));
        return true;
    }

    const BandRanges& m_ranges;
    std::optional<Error> m_error;
    std::vector<Error> m_warnings;
    bool m_checkBand = true;
};

template <class R> void clearInUse(R& record) {
    if constexpr (requires { record.Used; })
        record.Used = 0;
    else if constexpr (requires { record.KeyId; })
        record.KeyId = 0;
}

template <class R> void setNumber(R& record, std::size_t number) {
    forEachField(record, [number](const Field& field, auto& member) {
        using T = std::remove_cvref_t<decltype(member)>;
        if constexpr (std::is_integral_v<T>) {
            if (field.use == FieldUse::Number)
                member = static_cast<T>(number);
        }
    });
}

// A listed record that says it is not in use ("Used": 0, or a key's "KeyId": 0).
bool listedAsUnused(const Json& element) {
    for (const char* flag : {"Used", "KeyId"}) {
        const auto found = element.find(flag);
        if (found != element.end() && found->is_number() && found->get<double>() == 0)
            return true;
    }
    return false;
}

// Reads the records of one table as the parser meets them, one at a time, so that the records
// of a large codeplug never stand in memory as JSON all at once.
template <class R, std::size_t N> class TableReader {
public:
    TableReader(std::string_view name, Table<R, N>& table) : m_name(name), m_table(table) {}

    bool read(Reader& reader, const Json& element) {
        const Place tablePlace{m_name, {}};
        if (!element.is_object() || !element.contains("Number"))
            return reader.fail(tablePlace, "every record needs its \"Number\"");
        const Json& numberValue = element["Number"];
        if (!numberValue.is_number_integer() || numberValue.get<std::int64_t>() < 1 ||
            numberValue.get<std::int64_t>() > static_cast<std::int64_t>(N))
            return reader.fail(tablePlace, "\"Number\" must be 1 to " + std::to_string(N));
        const auto number = numberValue.get<std::size_t>();
        const Place place{m_name + " " + std::to_string(number), {}};
        if (m_listed[number - 1])
            return reader.fail(place, "the record is listed twice");
        m_listed[number - 1] = true;
        R record = m_table[number - 1];
        if constexpr (requires { record.Used; })
            record.Used = 1;
        const bool held = listsHeldRecords(m_name);
        reader.checkBand(!held || !listedAsUnused(element));
        const bool read = reader.readRecord(element, record, place, "Number");
        reader.checkBand(true);
        if (!read)
            return false;
        if constexpr (requires { record.Used; }) {
            if (record.Used != 1 && !(held && record.Used == 0))
                return reader.fail(place.sub("Used"), "a listed record is in use (1)");
        } else if constexpr (requires { record.KeyId; }) {
            if (record.KeyId == 0 && !held)
                return reader.fail(place.sub("KeyId"), "a listed key needs a KeyId other than 0");
        }
        setNumber(record, number);
        m_table[number - 1] = std::move(record);
        return true;
    }

    // The records the table does not list are not in use (tables without an in-use flag keep
    // them as they are).
    void finish() {
        constexpr bool listsAll = !requires(R r) {
            r.Used;
        }
        &&!requires(R r) {
            r.KeyId;
        };
        if constexpr (!listsAll) {
            for (std::size_t n = 0; n < N; ++n) {
                if (!m_listed[n])
                    clearInUse(m_table[n]);
            }
        }
    }

private:
    std::string m_name;
    Table<R, N>& m_table;
    std::vector<bool> m_listed = std::vector<bool>(N, false);
};

// Parses the text, giving the records of the top-level arrays (the tables) to `record` as each
// one ends instead of keeping them: the result holds the arrays empty. `record` returns false
// to stop taking records (after an error).
template <class OnRecord> Json parseWithoutRecords(std::string_view text, OnRecord&& record) {
    std::string member;
    bool inTable = false;
    return Json::parse(text, [&](int depth, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        if (depth == 1 && event == Event::key)
            member = parsed.get<std::string>();
        if (depth == 1 && (event == Event::array_start || event == Event::array_end))
            inTable = event == Event::array_start;
        if (depth == 2 && inTable && event == Event::object_end) {
            record(member, parsed);
            return false;
        }
        return true;
    });
}

// ---------------------------------------------------------------- checks across records

// What the editors keep between records (references that name records in use, transmit
// frequencies in the band, codes and their digit counts). A radio or a file may hold anything
// else its fields store, so these are warnings: the codeplug is kept as it is.
std::vector<Error> checkReferences(const Codeplug& cp, const BandRanges& ranges) {
    std::vector<Error> warnings;
    const auto warn = [&warnings](std::string_view record, std::optional<std::size_t> number,
                                  std::string_view field, const std::string& reason) {
        std::string name(record);
        if (number)
            name += " " + std::to_string(*number);
        warnings.push_back(placeError(Place{name, std::string(field)}, reason + "; kept as it is"));
    };
    const auto memberText = [](int k, std::int64_t member) {
        return "member " + std::to_string(k + 1) + " (" + std::to_string(member) + ")";
    };
    const auto usedChannel = [&cp](int entry) {
        return entry >= 0 && entry < static_cast<int>(kChannelCount) &&
               cp.Channel[static_cast<std::size_t>(entry)].Used >= 1;
    };
    for (std::size_t n = 0; n < kChannelCount; ++n) {
        const ChannelRec& c = cp.Channel[n];
        if (c.Used < 1)
            continue;
        if (c.OffsetDir != 0) {
            const double tx = c.OffsetDir == 1 ? c.RxFreq + c.Offset : c.RxFreq - c.Offset;
            if (CheckFrequency(ranges, tx, 0).outOfBand)
                warn("Channel", n + 1, "Offset",
                     "the transmit frequency " + numberText(tx) + " MHz is outside the band");
        }
        for (const std::uint8_t list : c.ScanLists) {
            if (list >= kScanListCount && list != 0xFF)
                warn("Channel", n + 1, "ScanLists",
                     std::to_string(list) + " is no scan list (0 to 15, 255 none)");
        }
    }
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        const ZoneRec& zone = cp.Zone[z];
        for (int k = 0; zone.Used >= 1 && k < zone.Count; ++k) {
            const int member = zone.Members[static_cast<std::size_t>(k)];
            if (!usedChannel(member))
                warn("Zone", z + 1, "Members", memberText(k, member) + " is no channel in use");
        }
    }
    for (std::size_t s = 0; s < kScanListCount; ++s) {
        const ScanListRec& list = cp.ScanList[s];
        for (int k = 0; list.Used >= 1 && k < list.Count; ++k) {
            const int member = list.Members[static_cast<std::size_t>(k)];
            if (!usedChannel(member))
                warn("ScanList", s + 1, "Members", memberText(k, member) + " is no channel in use");
            const int zone = list.MemberZones[static_cast<std::size_t>(k)];
            if (zone < -1 || zone >= static_cast<int>(kZoneCount))
                warn("ScanList", s + 1, "MemberZones",
                     "member " + std::to_string(k + 1) + ": " + std::to_string(zone) +
                         " is no zone (0 to 15, -1 none)");
        }
    }
    for (std::size_t g = 0; g < kRxGroupCount; ++g) {
        const RxGroupRec& group = cp.RxGroup[g];
        for (int k = 0; group.Used >= 1 && k < group.Count; ++k) {
            const std::int32_t member = group.Members[static_cast<std::size_t>(k)];
            if (member < 0 || member >= static_cast<std::int32_t>(kContactCount))
                warn("RxGroup", g + 1, "Members",
                     memberText(k, member) + " is no contact entry (0 to 9999)");
        }
    }
    for (std::size_t z = 0; z < kRoamZoneCount; ++z) {
        const RoamZoneRec& zone = cp.RoamZone[z];
        for (int k = 0; zone.Used >= 1 && k < zone.Count; ++k) {
            const int member = zone.Members[static_cast<std::size_t>(k)];
            if (member < 0 || member >= static_cast<int>(kRoamChannelCount))
                warn("RoamZone", z + 1, "Members",
                     memberText(k, member) + " is no roaming channel entry (0 to 249)");
        }
    }
    const auto checkCode = [&warn](const DigitCode& code, const std::string& field) {
        const std::size_t digits = TrimAtNull(code.Digits).size();
        if (static_cast<std::size_t>(code.Count) != digits)
            warn("Dtmf", std::nullopt, field,
                 "Count " + std::to_string(code.Count) + " differs from the " +
                     std::to_string(digits) + " digits");
    };
    for (std::size_t n = 0; n < kDtmfCodes; ++n)
        checkCode(cp.Dtmf.Codes[n], "Codes[" + std::to_string(n) + "].Count");
    checkCode(cp.Dtmf.Code16, "Code16.Count");
    checkCode(cp.Dtmf.Code17, "Code17.Count");
    checkCode(cp.Dtmf.Code18, "Code18.Count");
    checkCode(cp.Dtmf.Code19, "Code19.Count");
    const std::string& password = cp.Settings.ProgramPassword;
    if (!std::all_of(password.begin(), password.end(), [](char c) { return c > 0x20 && c < 0x7F; }))
        warn("Settings", std::nullopt, "ProgramPassword",
             "the editors allow letters, digits and signs only");
    return warnings;
}

} // namespace

std::string CodeplugToJson(const Codeplug& codeplug, std::string_view languageTag) {
    std::string text = "{\n";
    text += "\"format\": \"" + std::string(kFormat) + "\",\n";
    text += "\"version\": " + std::to_string(kVersion) + ",\n";
    if (!languageTag.empty())
        text += "\"languageTag\": " + Json(std::string(languageTag)).dump() + ",\n";
    text += "\"header\": " + recordToJson(codeplug.Header, std::nullopt).dump();
    // What reading puts in the place of a record the JSON leaves out.
    const int bandCode = isKnownBandCode(codeplug.Header.BandCode) ? codeplug.Header.BandCode : 0;
    const Codeplug base = NewCodeplug(bandCode, bandRangesForCode(bandCode).value());
    forEachPart(codeplug, [&text, &base](std::string_view name, const auto& part) {
        using T = std::remove_cvref_t<decltype(part)>;
        text += ",\n\"" + std::string(name) + "\": ";
        if constexpr (kIsTable<T>) {
            const T* held = listsHeldRecords(name) ? partNamed<T>(base, name) : nullptr;
            text += "[";
            bool first = true;
            for (std::size_t n = 0; n < part.size(); ++n) {
                if (!isListed(part[n]) && !(held && holdsMoreThan(part[n], (*held)[n])))
                    continue;
                text += first ? "\n" : ",\n";
                text += recordToJson(part[n], n + 1).dump();
                first = false;
            }
            text += first ? "]" : "\n]";
        } else {
            text += memberToJson(part).dump();
        }
    });
    text += "\n}\n";
    return text;
}

Result<Codeplug> CodeplugFromJson(std::string_view text, std::string* languageTag,
                                  std::vector<Error>* warnings) {
    // First the top level without the tables' records: format, header, single records.
    std::set<std::string, std::less<>> withRecords;
    Json root;
    try {
        root = parseWithoutRecords(text, [&withRecords](const std::string& member, const Json&) {
            withRecords.insert(member);
        });
    } catch (const Json::exception& error) { // a syntax error or a number out of range
        return Error::literal(std::string("not JSON: ") + error.what());
    }
    if (!root.is_object())
        return Error::literal("not a codeplug: expected a JSON object");
    const auto format = root.find("format");
    if (format == root.end() || *format != kFormat)
        return Error::literal("not a codeplug: \"format\" must be \"r605-codeplug\"");
    const auto version = root.find("version");
    if (version == root.end() || *version != kVersion)
        return Error::literal("unsupported codeplug JSON version (1 is known)");

    // The header first: its band decides the new codeplug and the frequency checks.
    int bandCode = 0;
    const auto header = root.find("header");
    if (header != root.end() && header->is_object() && header->contains("BandCode")) {
        const Json& band = (*header)["BandCode"];
        if (!band.is_number_integer() || !isKnownBandCode(band.get<int>()))
            return Error::literal("header, BandCode: no band has the code " + band.dump());
        bandCode = band.get<int>();
    }
    const BandRanges ranges = bandRangesForCode(bandCode).value();
    Codeplug codeplug = NewCodeplug(bandCode, ranges);
    Reader reader(ranges);
    if (header != root.end() && !reader.readRecord(*header, codeplug.Header, Place{"header", {}}))
        return *reader.error();

    std::string tag;
    if (const auto found = root.find("languageTag"); found != root.end()) {
        if (!found->is_string() || (*found != "English" && *found != "GBK"))
            return Error::literal("languageTag: must be \"English\" or \"GBK\"");
        tag = found->get<std::string>();
    }
    if (languageTag != nullptr)
        *languageTag = tag;

    std::set<std::string, std::less<>> known{"format", "version", "languageTag", "header"};
    std::map<std::string, std::function<bool(const Json&)>, std::less<>> tables;
    std::vector<std::function<void()>> finishTables;
    bool ok = true;
    forEachPart(codeplug, [&](std::string_view name, auto& part) {
        using T = std::remove_cvref_t<decltype(part)>;
        known.emplace(name);
        const auto found = root.find(name);
        if (!ok || found == root.end())
            return;
        if constexpr (kIsTable<T>) {
            if (!found->is_array()) {
                ok = reader.fail(Place{std::string(name), {}}, "expected an array of records");
                return;
            }
            auto table =
                std::make_shared<TableReader<typename T::value_type, T::kSize>>(name, part);
            for (const Json& element : *found) // what the first pass kept is no record
                ok = ok && table->read(reader, element);
            tables.emplace(
                name, [table, &reader](const Json& record) { return table->read(reader, record); });
            finishTables.emplace_back([table] { table->finish(); });
        } else {
            ok = reader.readMember(Field::any(name), *found, part, Place{std::string(name), {}});
        }
    });
    if (!ok)
        return *reader.error();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!known.contains(it.key()))
            return Error::literal("unknown member \"" + it.key() + "\"");
    }
    for (const std::string& member : withRecords) {
        if (!tables.contains(member)) // an array of objects where numbers belong
            return Error::literal(member + ": expected a whole number");
    }
    // Then the tables' records, each read into the codeplug as the parser ends it.
    root = Json();
    try {
        parseWithoutRecords(text, [&](const std::string& member, const Json& record) {
            const auto table = tables.find(member);
            if (ok && table != tables.end())
                ok = table->second(record);
        });
    } catch (const Json::exception& error) { // a syntax error or a number out of range
        return Error::literal(std::string("not JSON: ") + error.what());
    }
    if (!ok)
        return *reader.error();
    for (const auto& finish : finishTables)
        finish();
    if (warnings != nullptr) {
        *warnings = std::move(reader.warnings());
        for (Error& warning : checkReferences(codeplug, ranges))
            warnings->push_back(std::move(warning));
    }
    return codeplug;
}

} // namespace r605
