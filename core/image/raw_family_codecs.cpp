// The families whose layouts we do not know are carried as raw bytes: each decoder takes exactly
// the areas its encoder writes back. Per-code marks follow the families' own used-code bitmaps,
// so only the codes a read fetched are written back.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"

#include <array>
#include <string>

namespace r605 {

namespace {

template <class Areas> void writeAreas(const Areas& areas, MemoryImage& image) {
    Areas::areas(areas, [&image](std::uint32_t address, std::span<const std::uint8_t> bytes) {
        image.write(address, bytes);
    });
}

template <class Areas> void readAreas(const MemoryImage& image, Areas& areas) {
    Areas::areas(areas, [&image](std::uint32_t address, std::span<std::uint8_t> bytes) {
        image.read(address, bytes);
    });
}

// Marks the slots whose bit is set in a used-slot bitmap held in the family's own bytes.
void markUsedSlots(CommImage& image, std::span<const std::uint8_t> bitmap, std::size_t count,
                   std::uint32_t base, std::uint32_t slotSize) {
    for (std::size_t n = 0; n < count && n / 8 < bitmap.size(); ++n) {
        if ((bitmap[n / 8] >> (n % 8)) & 1)
            image.MarkBlocksToWrite(slotSize, base + static_cast<std::uint32_t>(n) * slotSize);
    }
}

constexpr std::size_t kPasswordByte = 8;
constexpr std::size_t kPasswordLength = 4;

} // namespace

void SetCommDataByOption(const Codeplug& codeplug, CommImage& image) {
    writeAreas(codeplug.Option, image.CommData);
    // The information block was read from the radio at the start of the write; it goes back with
    // the codeplug's programming password in bytes 8 to 11.
    std::array<std::uint8_t, 16> info{};
    image.CommData.read(address::kRadioInfoBlock, info);
    PutText(std::span(info).subspan(kPasswordByte, kPasswordLength),
            codeplug.Settings.ProgramPassword);
    image.CommData.write(address::kRadioInfoBlock, info);
    if (!image.NeedMark(image.Changed.Option))
        return;
    const OptionAreas& option = codeplug.Option;
    image.MarkBlocksToWrite(option.Area2500000.size(), OptionAreas::kAddress2500000);
    image.MarkBlocksToWrite(option.Area2501000.size(), OptionAreas::kAddress2501000);
    image.MarkBlocksToWrite(option.Area2501080.size(), OptionAreas::kAddress2501080);
    image.MarkBlocksToWrite(16, address::kRadioInfoBlock);
}

void GetOptionFromCommData(CommImage& image, Codeplug& codeplug) {
    readAreas(image.CommData, codeplug.Option);
    std::array<std::uint8_t, kPasswordLength> password{};
    image.CommData.read(address::kRadioInfoBlock + kPasswordByte, password);
    codeplug.Settings.ProgramPassword = GetText(password, kPasswordLength);
}

void SetCommDataBy5Tone(const Codeplug& codeplug, CommImage& image) {
    const FiveToneAreas& tone = codeplug.FiveTone;
    writeAreas(tone, image.CommData);
    if (!image.NeedMark(image.Changed.FiveTone))
        return;
    markUsedSlots(image, tone.Bitmap, FiveToneAreas::kCodeCount, FiveToneAreas::kCodesAddress,
                  FiveToneAreas::kCodeSize);
    image.MarkBlocksToWrite(tone.Bitmap.size(), FiveToneAreas::kBitmapAddress);
    image.MarkBlocksToWrite(tone.Area24C0D00.size(), FiveToneAreas::kAddress24C0D00);
    image.MarkBlocksToWrite(tone.Area24C1000.size(), FiveToneAreas::kAddress24C1000);
}

void Get5ToneFromCommData(CommImage& image, Codeplug& codeplug) {
    readAreas(image.CommData, codeplug.FiveTone);
}

void SetCommDataBy2Tone(const Codeplug& codeplug, CommImage& image) {
    const TwoToneAreas& tone = codeplug.TwoTone;
    writeAreas(tone, image.CommData);
    if (!image.NeedMark(image.Changed.TwoTone))
        return;
    // The code bitmap is the first bytes of the area at 0x24C1280 (through 0x24C1297).
    markUsedSlots(image, tone.Area24C1280, TwoToneAreas::kCodeCount, TwoToneAreas::kCodesAddress,
                  TwoToneAreas::kCodeSize);
    image.MarkBlocksToWrite(0x18, TwoToneAreas::kAddress24C1280);
    markUsedSlots(image, tone.DecodeBitmap, TwoToneAreas::kDecodeCount,
                  TwoToneAreas::kDecodeTableAddress, TwoToneAreas::kDecodeSize);
    image.MarkBlocksToWrite(tone.DecodeBitmap.size(), TwoToneAreas::kDecodeBitmapAddress);
}

void Get2ToneFromCommData(CommImage& image, Codeplug& codeplug) {
    readAreas(image.CommData, codeplug.TwoTone);
}

void SetCommDataByAlarm(const Codeplug& codeplug, CommImage& image) {
    const AlarmAreas& alarm = codeplug.Alarm;
    writeAreas(alarm, image.CommData);
    if (!image.NeedMark(image.Changed.Alarm))
        return;
    image.MarkBlocksToWrite(alarm.Area24C1400.size(), AlarmAreas::kAddress24C1400);
    image.MarkBlocksToWrite(alarm.Area24C1440.size(), AlarmAreas::kAddress24C1440);
    image.MarkBlocksToWrite(alarm.Area24C1D00.size(), AlarmAreas::kAddress24C1D00);
}

void GetAlarmFromCommData(CommImage& image, Codeplug& codeplug) {
    readAreas(image.CommData, codeplug.Alarm);
}

void SetCommDataByOneKey(const Codeplug& codeplug, CommImage& image) {
    const OneKeyAreas& oneKey = codeplug.OneKey;
    writeAreas(oneKey, image.CommData);
    if (!image.NeedMark(image.Changed.OneKey))
        return;
    image.MarkBlocksToWrite(oneKey.Area25C0000.size(), OneKeyAreas::kAddress25C0000);
    image.MarkBlocksToWrite(4, OneKeyAreas::kAddress25C0B00);
}

void GetOneKeyFromCommData(CommImage& image, Codeplug& codeplug) {
    readAreas(image.CommData, codeplug.OneKey);
}

} // namespace r605
