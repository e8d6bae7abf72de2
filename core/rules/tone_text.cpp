#include "rules/tone_text.h"

#include "base/numbers.h"
#include "rules/ctcss.h"
#include "rules/dcs.h"
#include "text/language.h"

namespace r605 {

std::string ToneText(const ToneChoice& tone, int customCtcss, std::string_view noToneText) {
    switch (tone.toneType) {
    case kToneTypeNone:
        return std::string(noToneText);
    case kToneTypeCtcss:
        if (tone.ctcss == kCtcssDefinePosition)
            return formatFixed(customCtcss / 10.0, 1);
        return std::string(CtcssText(tone.ctcss));
    case kToneTypeDcs: {
        // The grid shows any stored value this way, also one outside 0..1023 from a damaged
        // record: the low 9 bits, and the polarity from the value's size.
        const auto code = static_cast<std::uint32_t>(tone.dcs) & 511u;
        return 'D' + OctalDigits(code, 3) + (tone.dcs >= kDcsInvertedOffset ? 'I' : 'N');
    }
    default:
        return {};
    }
}

std::string ToneText(const ToneChoice& tone, int customCtcss, const Language& language) {
    return ToneText(tone, customCtcss, language.GetLangText(10050));
}

Result<ParsedTone> ParseToneText(std::string_view text, std::string_view noToneText) {
    const std::string_view trimmed = trimBlanks(text);
    ParsedTone parsed;
    if (trimmed.empty() || trimmed == trimBlanks(noToneText))
        return parsed;
    if (const auto dcs = DcsPosition(trimmed)) {
        parsed.tone = {kToneTypeDcs, 0, *dcs};
        return parsed;
    }
    if (trimmed == CtcssText(kCtcssDefinePosition)) {
        parsed.tone = {kToneTypeCtcss, kCtcssDefinePosition, 0};
        return parsed;
    }
    // Frequencies are compared in tenths of a hertz, the resolution a channel stores.
    const auto hertz = parseNumber(trimmed);
    const auto low = roundHalfEvenToInt(kUserCtcssLow * 10.0);
    const auto high = roundHalfEvenToInt(kUserCtcssHigh * 10.0);
    const auto tenths =
        (hertz && *hertz > 0 && *hertz < 1e6) ? roundHalfEvenToInt(*hertz * 10.0) : 0;
    if (tenths < low || tenths > high)
        return Error::literal("Invalid tone \"" + std::string(trimmed) + "\"");
    for (int position = 0; position < kCtcssDefinePosition; ++position) {
        const auto entry = parseNumber(CtcssText(position));
        if (entry && roundHalfEvenToInt(*entry * 10.0) == tenths) {
            parsed.tone = {kToneTypeCtcss, position, 0};
            return parsed;
        }
    }
    parsed.tone = {kToneTypeCtcss, kCtcssDefinePosition, 0};
    parsed.customCtcss = static_cast<std::uint16_t>(tenths);
    return parsed;
}

Result<ParsedTone> ParseToneText(std::string_view text, const Language& language) {
    return ParseToneText(text, language.GetLangText(10050));
}

} // namespace r605
