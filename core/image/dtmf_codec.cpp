// DTMF: the settings block at 0x24C1080 with four codes, and the 16 code entries at 0x2500500.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "text/trim.h"

#include <array>

namespace r605 {

namespace {

constexpr std::uint32_t kSettingsMarked = 0x50;
constexpr std::uint32_t kCodesMarked = 0x100;
constexpr std::uint32_t kIdDigits = address::kDtmfSettings + 6;
constexpr std::uint32_t kExtraCodes = address::kDtmfSettings + 0x10; // Code16 .. Code19

bool isDtmfSetting(int value) {
    return value >= 10 && value <= 15;
}

bool putCode(MemoryImage& image, std::uint32_t address, const DigitCode& code) {
    std::array<std::uint8_t, 16> field{};
    if (!PutDigits(field, code.Digits, code.Count))
        return false;
    image.write(address, field);
    return true;
}

DigitCode getCode(const MemoryImage& image, std::uint32_t address) {
    std::array<std::uint8_t, 16> field{};
    image.read(address, field);
    DigitString digits = GetDigits(field);
    return DigitCode{std::move(digits.digits), static_cast<std::int16_t>(digits.count)};
}

// Set0 to Set5 as the radio takes them.
std::array<std::int16_t, 6> radioSettings(const DtmfRec& dtmf) {
    return {isDtmfSetting(dtmf.Set0) ? dtmf.Set0 : std::int16_t{14},
            isDtmfSetting(dtmf.Set1) ? dtmf.Set1 : std::int16_t{0xFF},
            dtmf.Set2 >= 0 && dtmf.Set2 <= 2 ? dtmf.Set2 : std::int16_t{0},
            dtmf.Set3,
            dtmf.Set4 >= 0 && dtmf.Set4 <= 250 ? dtmf.Set4 : std::int16_t{0},
            dtmf.Set5};
}

} // namespace

void ClampDtmfSettings(DtmfRec& dtmf) {
    const std::array<std::int16_t, 6> settings = radioSettings(dtmf);
    dtmf.Set0 = settings[0];
    dtmf.Set1 = settings[1];
    dtmf.Set2 = settings[2];
    dtmf.Set4 = settings[4];
}

void SetCommDataByDTMF(const Codeplug& codeplug, CommImage& image) {
    const DtmfRec& dtmf = codeplug.Dtmf;
    MemoryImage& data = image.CommData;
    const std::uint32_t base = address::kDtmfSettings;
    const std::array<std::int16_t, 6> settings = radioSettings(dtmf);
    for (std::size_t i = 0; i < settings.size(); ++i)
        data.write(base + static_cast<std::uint32_t>(i), static_cast<std::uint8_t>(settings[i]));

    const std::string id = TrimAtNull(dtmf.IdDigits);
    for (std::size_t k = 0; k < 3; ++k) {
        std::uint8_t value = 0xFF;
        if (k < id.size()) {
            if (id[k] < '0' || id[k] > '9') {
                image.EncodeFailed("SetCommDataByDTMFError");
                return;
            }
            value = static_cast<std::uint8_t>(id[k] - '0');
        }
        data.write(kIdDigits + static_cast<std::uint32_t>(k), value);
    }
    data.write(base + 0x9, static_cast<std::uint8_t>(dtmf.Set9));
    data.write(base + 0xA, static_cast<std::uint8_t>(dtmf.Set10));
    data.write(base + 0xB, static_cast<std::uint8_t>(dtmf.Set11));
    data.write(base + 0xC, static_cast<std::uint8_t>(dtmf.Set12));
    data.write(base + 0xD, static_cast<std::uint8_t>(dtmf.Set13));

    const std::array<const DigitCode*, 4> extra{&dtmf.Code16, &dtmf.Code17, &dtmf.Code18,
                                                &dtmf.Code19};
    for (std::size_t i = 0; i < extra.size(); ++i) {
        if (!putCode(data, kExtraCodes + static_cast<std::uint32_t>(16 * i), *extra[i])) {
            image.EncodeFailed("SetCommDataByDTMFError");
            return;
        }
    }
    for (std::size_t n = 0; n < kDtmfCodes; ++n) {
        if (!putCode(data, address::DtmfCode(n), dtmf.Codes[n])) {
            image.EncodeFailed("SetCommDataByDTMFError");
            return;
        }
    }
    if (image.NeedMark(image.Changed.Dtmf)) {
        image.MarkBlocksToWrite(kSettingsMarked, base);
        image.MarkBlocksToWrite(kCodesMarked, address::DtmfCode(0));
    }
}

void GetDtmfFromCommData(CommImage& image, Codeplug& codeplug) {
    DtmfRec& dtmf = codeplug.Dtmf;
    MemoryImage& data = image.CommData;
    const std::uint32_t base = address::kDtmfSettings;
    const std::uint8_t set0 = data.read(base);
    dtmf.Set0 = isDtmfSetting(set0) ? set0 : 14;
    // 0xFF is what the encoder writes for a Set1 out of range: it is kept, so that a read and a
    // write leave the radio's byte as it was. Any other value out of range reads as 10.
    const std::uint8_t set1 = data.read(base + 1);
    dtmf.Set1 = isDtmfSetting(set1) || set1 == 0xFF ? set1 : 10;
    // Out-of-range values are corrected in the image too, so that a write sends valid bytes.
    if (data.read(base + 2) > 2)
        data.write(base + 2, 0);
    dtmf.Set2 = data.read(base + 2);
    dtmf.Set3 = data.read(base + 3);
    if (data.read(base + 4) > 250)
        data.write(base + 4, 0);
    dtmf.Set4 = data.read(base + 4);
    dtmf.Set5 = data.read(base + 5);
    dtmf.IdDigits.clear();
    for (std::uint32_t k = 0; k < 3; ++k) {
        const std::uint8_t digit = data.read(kIdDigits + k);
        if (digit <= 9)
            dtmf.IdDigits += static_cast<char>('0' + digit);
    }
    dtmf.Set9 = data.read(base + 0x9);
    dtmf.Set10 = data.read(base + 0xA);
    dtmf.Set11 = data.read(base + 0xB);
    dtmf.Set12 = data.read(base + 0xC);
    dtmf.Set13 = data.read(base + 0xD);
    dtmf.Code16 = getCode(data, kExtraCodes);
    dtmf.Code17 = getCode(data, kExtraCodes + 16);
    dtmf.Code18 = getCode(data, kExtraCodes + 32);
    dtmf.Code19 = getCode(data, kExtraCodes + 48);
    for (std::size_t n = 0; n < kDtmfCodes; ++n)
        dtmf.Codes[n] = getCode(data, address::DtmfCode(n));
}

} // namespace r605
