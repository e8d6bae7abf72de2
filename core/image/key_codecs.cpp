// Encryption codes (16-bit big-endian pairs), AES keys (write-only: the decoder never reads a
// key back) and ARC4 keys.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"

#include <array>

namespace r605 {

namespace {

constexpr std::uint32_t kEmgValueOffset = 16;
constexpr std::uint32_t kEmgValueStride = 40;
constexpr std::size_t kAesSlotSize = 64;
constexpr std::size_t kAesKeyBytes = 32;
constexpr std::size_t kAesByte130 = 34;
constexpr std::size_t kArc4SlotSize = 16;
constexpr std::size_t kArc4KeyBytes = 5;
constexpr std::size_t kArc4KeyDigits = 10;

std::uint32_t emgValueAddress(std::size_t n) {
    return address::kEmgValues + static_cast<std::uint32_t>(kEmgValueStride * n) + kEmgValueOffset;
}

} // namespace

void SetCommDataByEMG_Code(const Codeplug& codeplug, CommImage& image) {
    for (std::size_t n = 0; n < kEmgCodeCount; ++n) {
        const EmgCodeRec& code = codeplug.EMG_Code[n];
        std::array<std::uint8_t, 2> bytes{};
        PutBe16(bytes, code.Code);
        image.CommData.write(address::kEmgCodes + static_cast<std::uint32_t>(2 * n), bytes);
        PutBe16(bytes, code.Value2);
        image.CommData.write(emgValueAddress(n), bytes);
    }
    if (image.NeedMark(image.Changed.EmgCode)) {
        image.MarkBlocksToWrite(0x40, address::kEmgCodes);
        image.MarkBlocksToWrite(0x500, address::kEmgValues);
    }
}

void GetEmgCodeFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kEmgCodeCount; ++n) {
        std::array<std::uint8_t, 2> bytes{};
        image.CommData.read(address::kEmgCodes + static_cast<std::uint32_t>(2 * n), bytes);
        codeplug.EMG_Code[n].Code = GetBe16(bytes);
        image.CommData.read(emgValueAddress(n), bytes);
        codeplug.EMG_Code[n].Value2 = GetBe16(bytes);
    }
}

void SetAesKeyToCommData(const Codeplug& codeplug, CommImage& image) {
    for (std::size_t n = 0; n < kAesKeyCount; ++n) {
        const AesKeyRec& key = codeplug.AesKey[n];
        const std::uint32_t address =
            address::kAesKeys + static_cast<std::uint32_t>(kAesSlotSize * n);
        OrBitmapBit(image.CommData, address::kAesBitmap, n, key.KeyId != 0);
        std::array<std::uint8_t, kAesSlotSize> slot{};
        image.CommData.read(address, slot);
        slot[0] = key.KeyId;
        if (!PutHexCode(std::span(slot).subspan(1, kAesKeyBytes), key.Key)) {
            image.EncodeFailed("SetCommDataByEMG_CodeError");
            return;
        }
        slot[kAesByte130] = key.Byte130;
        image.CommData.write(address, slot);
    }
    // Every slot is written, so the whole area is always marked.
    image.MarkBlocksToWrite(0x4000, address::kAesKeys);
    image.MarkBlocksToWrite(32, address::kAesBitmap);
}

void GetEMG_CodeFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kAesKeyCount; ++n) {
        const std::uint32_t address =
            address::kAesKeys + static_cast<std::uint32_t>(kAesSlotSize * n);
        AesKeyRec& key = codeplug.AesKey[n];
        key.Flag0 = 0;
        key.KeyId = image.CommData.read(address);
        key.Byte130 = image.CommData.read(address + kAesByte130);
        key.Key.clear(); // the radio never gives a key back
    }
}

void SetArc4KeyToCommData(const Codeplug& codeplug, CommImage& image) {
    for (std::size_t n = 0; n < kArc4KeyCount; ++n) {
        const Arc4KeyRec& key = codeplug.Arc4Key[n];
        const std::uint32_t address =
            address::kArc4Keys + static_cast<std::uint32_t>(kArc4SlotSize * n);
        OrBitmapBit(image.CommData, address::kArc4Bitmap, n, key.KeyId != 0);
        std::array<std::uint8_t, kArc4SlotSize> slot{};
        image.CommData.read(address, slot);
        slot[0] = key.KeyId;
        if (!PutHexCode(std::span(slot).subspan(1, kArc4KeyBytes), key.Key)) {
            image.EncodeFailed("SetArc4KeyToCommDataError");
            return;
        }
        image.CommData.write(address, slot);
    }
    image.MarkBlocksToWrite(32, address::kArc4Bitmap);
    image.MarkBlocksToWrite(0xFF0, address::kArc4Keys);
}

void GetArc4KeyFromCommData(CommImage& image, Codeplug& codeplug) {
    for (std::size_t n = 0; n < kArc4KeyCount; ++n) {
        const std::uint32_t address =
            address::kArc4Keys + static_cast<std::uint32_t>(kArc4SlotSize * n);
        std::array<std::uint8_t, kArc4SlotSize> slot{};
        image.CommData.read(address, slot);
        Arc4KeyRec& key = codeplug.Arc4Key[n];
        key.KeyId = slot[0];
        key.Flag0 = 0;
        key.Key = GetHexCode(std::span<const std::uint8_t>(slot).subspan(1, kArc4KeyBytes),
                             kArc4KeyDigits);
    }
}

} // namespace r605
