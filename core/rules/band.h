#pragma once
// Bands and frequencies. Every codeplug belongs to one band variant, a 16-bit band code
// (family x 32 + variant; families 0 UHF, 1 VHF, 2 LHF, 3 MHF). The band code gives the band
// text, the receive and transmit limits the editors accept, and the model name.

#include "base/result.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

struct BandRange {
    double rxLow = 0, rxHigh = 0, txLow = 0, txHigh = 0;
    std::string rxText, txText; // the texts the limits were parsed from, e.g. "136 - 174 MHz"
    bool operator==(const BandRange&) const = default;
};

// Range 0 is the UHF part, range 1 the other part; a single-band text fills both with the same.
struct BandRanges {
    std::array<BandRange, 2> range;
    bool operator==(const BandRanges&) const = default;
};

// The band text stored with a codeplug ("UHF{400 - 480 MHz}"); "" for a code outside the table.
std::string_view BandTextForCode(int bandCode);
// The text shown to the user; differs from the band text only for codes 34 and 35 (two lines).
std::string BandDisplayText(int bandCode);
bool isKnownBandCode(int bandCode);
// Every band code of the table, ascending.
std::span<const int> knownBandCodes();

// The model family of every radio this program knows.
inline constexpr std::string_view kModelFamily = "R600MK";

// "R605UHF", "R605VHF", "R605LHF", "R605MHF" for the family "R600MK" (by band code / 32); the
// family text itself (cut by TrimAtNull) for any other family; "" for a family outside 0..3.
std::string ModelNameFor(std::string_view modelFamily, int bandCode);

// The model dialog's lists: the four family names and, per family, its variants "Band 1" ...
std::vector<std::string> bandVariantNames(int family);
std::optional<int> bandCodeFor(int family, int variantIndex);

// Parses a band text into its two ranges. A text without any of the four family markers is an
// error ("Band Error!"): callers refuse the file or radio that carries it.
Result<BandRanges> ParseBandText(std::string_view bandText);
// Parses one range text ("400 - 480 MHz" or "Rx(136 - 174 MHz) Tx(144 - 148 MHz)").
Result<BandRange> ParseBandRange(std::string_view rangeText);
Result<BandRanges> bandRangesForCode(int bandCode);

// The band a codeplug belongs to, with everything derived from its code.
struct CurrentBand {
    int BandCode = 0;
    std::string BandText;
    r605::BandRanges BandRanges;
    std::string ModelName;

    // An error for a code outside the band table.
    static Result<CurrentBand> forCode(int bandCode);
    bool operator==(const CurrentBand&) const = default;
};

bool InRange(double low, double high, double value);

struct FrequencyCheck {
    double value = 0;
    bool outOfBand = false; // the caller shows message 2001 when it asked for a warning
};

// Accepts a frequency inside either receive range, snapped to the 50 Hz raster; otherwise gives
// the fallback (when not 0) or the nearest band limit, unchanged.
FrequencyCheck CheckFrequency(const BandRanges& ranges, double frequency, double fallback);
double SnapFrequency(double frequency);
double NearestBandLimit(std::span<const double> limits, double frequency);

struct FrequencyText {
    std::string text; // "#0.00000"
    bool outOfBand = false;
};
// What an editor writes back into a frequency field: a numeric text checked by CheckFrequency,
// anything else the fallback; always with five decimals and a point.
FrequencyText NormaliseFrequencyText(const BandRanges& ranges, std::string_view text,
                                     double fallback);

// The eight-digit form of the memory image: MHz x 100000, rounded half to even, zero-filled.
std::string FrequencyDigits(double frequency);

// The centre of range 0 or 1's receive limits (new channels start there).
double bandCentre(const BandRanges& ranges, int index);

} // namespace r605
