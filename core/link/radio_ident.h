#pragma once
// What the radio says about itself: the identification reply (model, band, versions) and the two
// query replies (RadioIdent).

#include "base/result.h"
#include "link/operation_kind.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace r605 {

inline constexpr std::string_view kRadioModelFamily = "R600MK";

struct RadioIdent {
    std::string modelText;     // "R600MK"
    int bandCode = 0;          // band code of the radio
    std::string bandName;      // band text of that code, "" when the code is unknown
    std::string versionText;   // "1.00"
    std::string secondVersion; // "V" or "V" + hex byte + "0"
    std::string query3Text;    // reply to query 3
    std::string query4Text;    // reply to query 4
    bool operator==(const RadioIdent&) const = default;
};

// Fills the identification fields from a 16-byte reply ("I" ... 0x06). The caller has checked the
// length and the fixed bytes.
void ParseIdentificationReply(std::span<const std::uint8_t> reply, RadioIdent& ident);

// The text of a query reply: offsets 1..16, up to the first 0x00 or 0xFF.
std::string QueryReplyText(std::span<const std::uint8_t> reply);

// Text bytes up to the first 0x00 or 0xFF (how the radio ends its short texts).
std::string RadioText(std::span<const std::uint8_t> bytes);

// The identification check: the model must be "R600MK" (message 99107); a write must go to a
// radio of the codeplug's band (message 99111). A band code the band table does not know cannot be
// adopted by a read nor matched by a write: it is refused too ("Band Error!" for a read).
std::optional<Error> CheckIdentification(const RadioIdent& ident, OperationKind kind,
                                         int codeplugBandCode);

} // namespace r605
