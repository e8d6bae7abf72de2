#include "link/radio_ident.h"

#include "rules/band.h"

#include <cstdio>

namespace r605 {

std::string RadioText(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (byte == 0x00 || byte == 0xFF)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

void ParseIdentificationReply(std::span<const std::uint8_t> reply, RadioIdent& ident) {
    if (reply.size() < 16)
        return;
    ident.modelText = RadioText(reply.subspan(1, 7));
    ident.bandCode = reply[8];
    ident.bandName = std::string(BandTextForCode(ident.bandCode));

    // Version characters: 0x00 and 0xFF are gaps; "1", "0", "0" read as "1.00".
    std::string characters;
    for (std::uint8_t byte : reply.subspan(9, 4)) {
        if (byte != 0x00 && byte != 0xFF)
            characters.push_back(static_cast<char>(byte));
    }
    ident.versionText.clear();
    if (!characters.empty()) {
        ident.versionText.push_back(characters[0]);
        ident.versionText.push_back('.');
        ident.versionText.append(characters.substr(1, 2));
    }

    // The second version: "V", the byte in hexadecimal without a leading zero, and "0".
    const std::uint8_t second = reply[14];
    char text[5] = {'V', 0, 0, 0, 0};
    if (second != 0x00 && second != 0xFF)
        std::snprintf(text + 1, sizeof text - 1, "%X0", second);
    ident.secondVersion = text;
}

std::string QueryReplyText(std::span<const std::uint8_t> reply) {
    if (reply.size() < 17)
        return {};
    return RadioText(reply.subspan(1, 16));
}

std::optional<Error> CheckIdentification(const RadioIdent& ident, OperationKind kind,
                                         int codeplugBandCode) {
    if (ident.modelText != kRadioModelFamily)
        return Error::keyed(99107);
    if (kind == OperationKind::WriteCodeplug) {
        const std::string_view codeplugBand = BandTextForCode(codeplugBandCode);
        if (ident.bandName.empty() || ident.bandName != codeplugBand)
            return Error::keyed(99111);
    }
    if (kind == OperationKind::ReadCodeplug && ident.bandName.empty()) {
        // A read adopts the radio's band; a code outside the band table has no limits to adopt.
        return Error::literal("Band Error!");
    }
    return std::nullopt;
}

} // namespace r605
