#include "rules/band.h"

#include "base/numbers.h"
#include "text/trim.h"

#include <cmath>
#include <cstdio>

namespace r605 {

namespace {

struct BandEntry {
    int code;
    std::string_view text;
};

constexpr BandEntry kBands[] = {
    {0, "UHF{400 - 480 MHz}"},
    {1, "UHF{430 - 440 MHz}"},
    {2, "UHF{440 - 480 MHz}"},
    {3, "UHF{446 - 447 MHz}"},
    {4, "UHF{400 - 520 MHz}"},
    {5, "UHF{450 - 520 MHz}"},
    {6, "UHF{400 - 470 MHz}"},
    {7, "UHF{420 - 450 MHz}"},
    {8, "UHF{403 - 470 MHz}"},
    {9, "UHF{466 - 467 MHz}"},
    {10, "UHF{400 - 440 MHz}"},
    {11, "UHF{450 - 470 MHz}"},
    {32, "VHF{136 - 174 MHz}"},
    {33, "VHF{144 - 146 MHz}"},
    {34, "VHF{Rx(136 - 174 MHz) Tx(144 - 148 MHz)}"},
    {35, "VHF{Rx(136 - 174 MHz) Tx(144 - 146 MHz)}"},
    {36, "VHF{144 - 148 MHz}"},
    {64, "LHF{66 - 88 MHz}"},
    {96, "MHF{220 - 280 MHz}"},
    {97, "MHF{220 - 260 MHz}"},
    {98, "MHF{Rx(220 - 260 MHz) Tx(222 - 225 MHz)}"},
    {99, "MHF{245 - 246.9875 MHz}"},
    {100, "MHF{244 - 247 MHz}"},
};

constexpr int kBandCodes[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                              32, 33, 34, 35, 36, 64, 96, 97, 98, 99, 100};

constexpr std::string_view kFamilyNames[] = {"UHF", "VHF", "LHF", "MHF"};

// The text between `open` (which must be found) and the next `close`.
std::optional<std::string_view> between(std::string_view text, std::string_view open,
                                        char close) {
    const auto start = text.find(open);
    if (start == std::string_view::npos)
        return std::nullopt;
    const auto begin = start + open.size();
    const auto end = text.find(close, begin);
    return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

// "400 - 480 MHz": the low limit before the first "-", the high limit between it and "MHz".
Result<std::pair<double, double>> parseLimits(std::string_view text) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos)
        return Error::literal("Band Error!");
    auto highText = text.substr(dash + 1);
    if (const auto mhz = highText.find("MHz"); mhz != std::string_view::npos)
        highText = highText.substr(0, mhz);
    const auto low = parseNumber(text.substr(0, dash));
    const auto high = parseNumber(highText);
    if (!low || !high)
        return Error::literal("Band Error!");
    return std::pair{*low, *high};
}

} // namespace

std::string_view BandTextForCode(int bandCode) {
    for (const BandEntry& entry : kBands) {
        if (entry.code == bandCode)
            return entry.text;
    }
    return {};
}

std::string BandDisplayText(int bandCode) {
    if (bandCode == 34)
        return "VHF Rx(136 - 174 MHz)\nVHF Tx(144 - 148 MHz)";
    if (bandCode == 35)
        return "VHF Rx(136 - 174 MHz)\nVHF Tx(144 - 146 MHz)";
    if (bandCode < 0 || bandCode > 100)
        return {};
    return std::string(BandTextForCode(bandCode));
}

bool isKnownBandCode(int bandCode) { return !BandTextForCode(bandCode).empty(); }

std::span<const int> knownBandCodes() { return kBandCodes; }

std::string ModelNameFor(std::string_view modelFamily, int bandCode) {
    const std::string family = TrimAtNull(modelFamily);
    if (family != "R600MK")
        return family;
    if (bandCode < 0)
        return {};
    const int index = bandCode / 32;
    if (index > 3)
        return {};
    return "R605" + std::string(kFamilyNames[index]);
}

std::vector<std::string> bandVariantNames(int family) {
    std::vector<std::string> names;
    for (int code : kBandCodes) {
        if (code / 32 == family)
            names.push_back("Band " + std::to_string(names.size() + 1));
    }
    return names;
}

std::optional<int> bandCodeFor(int family, int variantIndex) {
    if (family < 0 || family > 3 || variantIndex < 0)
        return std::nullopt;
    const int code = family * 32 + variantIndex;
    if (!isKnownBandCode(code))
        return std::nullopt;
    return code;
}

Result<BandRange> ParseBandRange(std::string_view rangeText) {
    BandRange range;
    if (rangeText.find("Rx(") != std::string_view::npos) {
        range.rxText = std::string(between(rangeText, "Rx(", ')').value_or(""));
        range.txText = std::string(between(rangeText, "Tx(", ')').value_or(""));
    } else {
        range.rxText = std::string(rangeText);
        range.txText = std::string(rangeText);
    }
    const auto rx = parseLimits(range.rxText);
    const auto tx = parseLimits(range.txText);
    if (!rx || !tx)
        return Error::literal("Band Error!");
    range.rxLow = rx->first;
    range.rxHigh = rx->second;
    range.txLow = tx->first;
    range.txHigh = tx->second;
    return range;
}

Result<BandRanges> ParseBandText(std::string_view bandText) {
    BandRanges ranges;
    bool haveUhf = false;
    bool haveOther = false;
    if (const auto uhf = between(bandText, "UHF{", '}')) {
        auto range = ParseBandRange(*uhf);
        if (!range)
            return range.error();
        ranges.range[0] = *range;
        haveUhf = true;
    }
    for (std::string_view marker : {"VHF{", "LHF{", "MHF{"}) {
        const auto other = between(bandText, marker, '}');
        if (!other)
            continue;
        auto range = ParseBandRange(*other);
        if (!range)
            return range.error();
        ranges.range[1] = *range; // a later family overwrites an earlier one
        haveOther = true;
    }
    if (!haveUhf && !haveOther)
        return Error::literal("Band Error!");
    if (!haveUhf)
        ranges.range[0] = ranges.range[1];
    if (!haveOther)
        ranges.range[1] = ranges.range[0];
    return ranges;
}

Result<BandRanges> bandRangesForCode(int bandCode) {
    const std::string_view text = BandTextForCode(bandCode);
    if (text.empty())
        return Error::literal("Band Error! (band code " + std::to_string(bandCode) + ")");
    return ParseBandText(text);
}

bool InRange(double low, double high, double value) { return low <= value && value <= high; }

double SnapFrequency(double frequency) {
    const std::int64_t n = roundHalfEvenToInt(frequency * 100000.0);
    const std::int64_t r = ((n % 5) + 5) % 5;
    if (r == 0)
        return frequency;
    if (r > 5 - r)
        return frequency + static_cast<double>(5 - r) / 100000.0;
    return frequency - static_cast<double>(r) / 100000.0;
}

double NearestBandLimit(std::span<const double> limits, double frequency) {
    double bestDistance = 999.0;
    double best = limits.empty() ? 0.0 : limits.front();
    for (double limit : limits) {
        const double distance = std::fabs(limit - frequency);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = limit;
        }
    }
    return best;
}

FrequencyCheck CheckFrequency(const BandRanges& ranges, double frequency, double fallback) {
    for (const BandRange& range : ranges.range) {
        if (InRange(range.rxLow, range.rxHigh, frequency))
            return {SnapFrequency(frequency), false};
    }
    if (fallback != 0)
        return {fallback, true};
    const double limits[] = {ranges.range[0].rxLow, ranges.range[0].rxHigh, ranges.range[1].rxLow,
                             ranges.range[1].rxHigh};
    return {NearestBandLimit(limits, frequency), true};
}

FrequencyText NormaliseFrequencyText(const BandRanges& ranges, std::string_view text,
                                     double fallback) {
    const auto value = parseNumber(text);
    if (!value)
        return {formatFixed(fallback, 5), false};
    const FrequencyCheck checked = CheckFrequency(ranges, *value, fallback);
    return {formatFixed(checked.value, 5), checked.outOfBand};
}

std::string FrequencyDigits(double frequency) {
    const std::int64_t n = roundHalfEvenToInt(frequency * 100000.0);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%08lld", static_cast<long long>(n));
    return buffer;
}

double bandCentre(const BandRanges& ranges, int index) {
    const BandRange& range = ranges.range[index == 0 ? 0 : 1];
    return (range.rxLow + range.rxHigh) / 2.0;
}

Result<CurrentBand> CurrentBand::forCode(int bandCode) {
    auto ranges = bandRangesForCode(bandCode);
    if (!ranges)
        return ranges.error();
    CurrentBand band;
    band.BandCode = bandCode;
    band.BandText = std::string(BandTextForCode(bandCode));
    band.BandRanges = *ranges;
    band.ModelName = ModelNameFor(kModelFamily, bandCode);
    return band;
}

} // namespace r605
