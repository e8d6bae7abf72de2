// Decode-all keeps what the radio holds: a read and a write give the radio back its own bytes,
// and what a read cannot take into the tables is named, never dropped in silence.
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"
#include "transfer/codeplug_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace r605 {
namespace {

using test::uhfRanges;

// A radio image with random values in every field the layouts describe. What it keeps to are
// the format's own rules, the exceptions to "read then write gives the same bytes":
// - a record not in use has no bytes (a write sends only records in use; its cleared bitmap bit
//   is what deletes the rest), nor have the bitmap bits beyond a table or the bytes no layout
//   describes (a write starts from a cleared image);
// - texts are printable ASCII without trailing blanks, 0x00 after them (the text rule), and the
//   names that take a default name when empty (channels, zones, scan lists) are not empty;
// - the bits the format always writes 0 are 0 (channel byte 33 bit 1, byte 56 bits 6 and 7,
//   bytes 51, 17, 18, 21, ...);
// - a channel's contact lies below 0x7F000000: a larger one means none, which the record holds
//   as contact 0;
// - member lists end with their "none" filler, and a list ends at its first value out of range:
//   zone and scan-list members are channels in use (the membership check drops the others), at
//   least one (a zone or scan list without members is not in use); receive group members lie
//   below 10000, roaming zone members below 250;
// - receive group list names take at most 20 bytes (the radio gives back no more);
// - the contacts are packed at the front, entry i in slot i (the compaction before every write);
// - the DTMF settings lie in the ranges the decoder keeps (it corrects the rest as the encoder
//   would), digits are packed at the front of their fields;
// - AES key bytes are 0 (the radio never gives keys back) and the key bitmaps follow the KeyIds;
// - the radio information block holds only the password (the rest comes from the radio at each
//   write).
class RadioImageMaker {
public:
    explicit RadioImageMaker(std::uint32_t seed) : m_random(seed) {}

    MemoryImage make() {
        channels();
        persons();
        zonesAndScanLists();
        rxGroups();
        contacts();
        roaming();
        dtmf();
        keys();
        rawAreas();
        text(address::kRadioInfoBlock + 8, 4, 0); // the password
        return std::move(m_image);
    }

private:
    int in(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(in(0, 255)); }
    bool coin() { return in(0, 1) == 1; }
    void put(std::uint32_t address, int value) {
        m_image.write(address, static_cast<std::uint8_t>(value));
    }
    void bcd(std::uint32_t address, int bytes) {
        for (int i = 0; i < bytes; ++i)
            put(address + static_cast<std::uint32_t>(i), in(0, 9) << 4 | in(0, 9));
    }
    void text(std::uint32_t address, int length, int minimum) {
        static constexpr char kChars[] = "ABCXYZabcxyz0189-_#";
        const int count = in(minimum, length);
        for (int i = 0; i < count; ++i)
            put(address + static_cast<std::uint32_t>(i), kChars[in(0, sizeof kChars - 2)]);
    }
    void le(std::uint32_t address, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            put(address + static_cast<std::uint32_t>(i), static_cast<int>(value >> (8 * i)) & 0xFF);
    }
    bool used(std::uint32_t bitmap, std::size_t n) {
        const bool inUse = coin();
        OrBitmapBit(m_image, bitmap, n, inUse);
        return inUse;
    }
    int usedChannel() {
        return m_usedChannels[static_cast<std::size_t>(
            in(0, static_cast<int>(m_usedChannels.size()) - 1))];
    }

    void channels() {
        for (std::size_t n = 0; n < kChannelCount; ++n) {
            if (!used(address::kChannelBitmap, n))
                continue;
            m_usedChannels.push_back(static_cast<int>(n));
            const std::uint32_t slot = address::ChannelSlot(n);
            bcd(slot, 8);
            for (std::uint32_t b = 8; b < 60; ++b)
                put(slot + b, byte());
            for (const std::uint32_t b : {19u, 27u, 51u})
                put(slot + b, 0);
            put(slot + 33, m_image.read(slot + 33) & ~0x02);
            put(slot + 56, m_image.read(slot + 56) & 0x3F);
            put(slot + 23, in(0, 0x7E));
            m_image.fill(slot + 43, 8, 0);
            text(slot + 43, 8, 1);
        }
    }
    void persons() {
        for (std::size_t n = 0; n < kPersonCount; ++n) {
            if (!used(address::kPersonBitmap, n))
                continue;
            bcd(address::PersonSlot(n), 4);
            put(address::PersonSlot(n) + 4, byte());
            text(address::PersonSlot(n) + 5, 16, 0);
        }
    }
    void zonesAndScanLists() {
        for (std::size_t z = 0; z < kZoneCount; ++z) {
            if (!used(address::kZoneBitmap, z))
                continue;
            text(address::ZoneName(z), 16, 1);
            const int count = in(1, static_cast<int>(kZoneMembers));
            for (int k = 0; k < static_cast<int>(kZoneMembers); ++k)
                le(address::ZoneMembers(z) + 2 * k, k < count ? usedChannel() : 0xFFFF, 2);
        }
        for (std::size_t s = 0; s < kScanListCount; ++s) {
            if (!used(address::kScanListBitmap, s))
                continue;
            const std::uint32_t slot = address::ScanListSlot(s);
            for (const std::uint32_t b : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 8u, 10u, 12u, 14u})
                put(slot + b, byte());
            text(slot + 15, 16, 1);
            const int count = in(1, static_cast<int>(kScanListMembers));
            for (int k = 0; k < static_cast<int>(kScanListMembers); ++k) {
                le(slot + 32 + 2 * k, k < count ? usedChannel() : 0xFFFF, 2);
                put(slot + 132 + k, k < count ? byte() : 0xFF);
            }
        }
    }
    void rxGroups() {
        for (std::size_t g = 0; g < kRxGroupCount; ++g) {
            if (!used(address::kRxGroupBitmap, g))
                continue;
            const int count = in(0, static_cast<int>(kRxGroupMembers));
            for (int j = 0; j < static_cast<int>(kRxGroupMembers); ++j)
                le(address::RxGroupSlot(g) + 4 * j,
                   j < count ? static_cast<std::uint32_t>(in(0, 9999)) : 0xFFFFFFFF, 4);
            text(address::RxGroupSlot(g) + 256, 20, 0);
        }
    }
    void contacts() {
        const auto count = static_cast<std::size_t>(in(1, 300));
        m_image.fill(address::kContactBitmap, address::kContactBitmapLength, 0xFF);
        for (std::size_t i = 0; i < kContactCount; ++i) {
            le(address::ContactIndexEntry(i), i < count ? static_cast<std::uint32_t>(i) : ~0u, 4);
            if (i >= count)
                continue;
            ClearBitmapBit(m_image, address::kContactBitmap, i);
            const std::uint32_t slot = address::ContactSlot(i);
            put(slot, byte());
            text(slot + 1, 16, 0);
            text(slot + 19, 15, 0);
            bcd(slot + 35, 4);
            put(slot + 39, byte());
            text(slot + 40, 8, 0);
            text(slot + 49, 16, 0);
            text(slot + 66, 16, 0);
            text(slot + 83, 16, 0);
        }
    }
    void roaming() {
        for (std::size_t n = 0; n < kRoamChannelCount; ++n) {
            if (!used(address::kRoamChannelBitmap, n))
                continue;
            const std::uint32_t slot = address::RoamChannelSlot(n);
            bcd(slot, 8);
            put(slot + 8, byte());
            put(slot + 9, byte());
            text(slot + 10, 16, 0);
        }
        for (std::size_t z = 0; z < kRoamZoneCount; ++z) {
            if (!used(address::kRoamZoneBitmap, z))
                continue;
            const std::uint32_t slot = address::RoamZoneSlot(z);
            const int count = in(0, static_cast<int>(kRoamZoneMembers));
            for (int k = 0; k < static_cast<int>(kRoamZoneMembers); ++k)
                put(slot + k, k < count ? in(0, 249) : 0xFF);
            text(slot + 64, 16, 0);
        }
    }
    void digits(std::uint32_t address, int length, int maxDigit) {
        const int count = in(0, length);
        for (int k = 0; k < length; ++k)
            put(address + k, k < count ? in(0, maxDigit) : 0xFF);
    }
    void dtmf() {
        const std::uint32_t base = address::kDtmfSettings;
        put(base, in(10, 15));
        const int set1 = in(10, 16);
        put(base + 1, set1 == 16 ? 0xFF : set1); // 0xFF: what the encoder writes for none
        put(base + 2, in(0, 2));
        put(base + 3, byte());
        put(base + 4, in(0, 250));
        put(base + 5, byte());
        digits(base + 6, 3, 9);
        for (std::uint32_t b = 9; b <= 13; ++b)
            put(base + b, byte());
        for (std::uint32_t code = 0; code < 4; ++code)
            digits(base + 0x10 + 16 * code, 16, 15);
        for (std::size_t n = 0; n < kDtmfCodes; ++n)
            digits(address::DtmfCode(n), 16, 15);
    }
    void keys() {
        for (std::uint32_t n = 0; n < kEmgCodeCount; ++n) {
            le(address::kEmgCodes + 2 * n, static_cast<std::uint32_t>(in(0, 0xFFFF)), 2);
            le(address::kEmgValues + 40 * n + 16, static_cast<std::uint32_t>(in(0, 0xFFFF)), 2);
        }
        for (std::uint32_t n = 0; n < kAesKeyCount; ++n) {
            const std::uint8_t keyId = byte();
            put(address::kAesKeys + 64 * n, keyId);
            put(address::kAesKeys + 64 * n + 34, byte());
            OrBitmapBit(m_image, address::kAesBitmap, n, keyId != 0);
        }
        for (std::uint32_t n = 0; n < kArc4KeyCount; ++n) {
            const std::uint8_t keyId = byte();
            for (std::uint32_t b = 0; b < 6; ++b)
                put(address::kArc4Keys + 16 * n + b, b == 0 ? keyId : byte());
            OrBitmapBit(m_image, address::kArc4Bitmap, n, keyId != 0);
        }
    }
    void rawAreas() {
        const auto fill = [this](std::uint32_t address, std::span<std::uint8_t> bytes) {
            std::generate(bytes.begin(), bytes.end(), [this] { return byte(); });
            m_image.write(address, bytes);
        };
        OptionAreas option;
        FiveToneAreas fiveTone;
        TwoToneAreas twoTone;
        AlarmAreas alarm;
        OneKeyAreas oneKey;
        OptionAreas::areas(option, fill);
        FiveToneAreas::areas(fiveTone, fill);
        TwoToneAreas::areas(twoTone, fill);
        AlarmAreas::areas(alarm, fill);
        OneKeyAreas::areas(oneKey, fill);
    }

    std::mt19937 m_random;
    MemoryImage m_image;
    std::vector<int> m_usedChannels;
};

// The first address at which the two images differ, with both bytes; empty when equal.
std::string firstDifference(const MemoryImage& read, const MemoryImage& written) {
    std::set<std::uint32_t> pages;
    for (const MemoryImage* image : {&read, &written}) {
        const auto allocated = image->allocatedPages();
        pages.insert(allocated.begin(), allocated.end());
    }
    std::array<std::uint8_t, MemoryImage::kPageSize> a{};
    std::array<std::uint8_t, MemoryImage::kPageSize> b{};
    for (const std::uint32_t page : pages) {
        read.read(page, a);
        written.read(page, b);
        const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin());
        if (at == a.end())
            continue;
        const auto offset = static_cast<std::size_t>(at - a.begin());
        char text[64];
        std::snprintf(text, sizeof text, "at %08zX the radio held %02X, the write sends %02X",
                      page + offset, a[offset], b[offset]);
        return text;
    }
    return {};
}

TEST(DecodeAll, ARandomRadioImageIsWrittenBackByteForByte) {
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        CommImage read;
        read.CommData = RadioImageMaker(seed).make();
        Codeplug codeplug = NewCodeplug(0, uhfRanges());
        EXPECT_TRUE(GetAllFromCommData(read, codeplug).empty()) << seed;

        CommImage written;
        SetCommDataAll(codeplug, written);
        ASSERT_TRUE(written.EncodeOK) << seed;
        EXPECT_EQ(firstDifference(read.CommData, written.CommData), "") << "seed " << seed;
    }
}

TEST(DecodeAll, NamesEachRecordItLeavesOutInAWarning) {
    Codeplug sent = test::emptyCodeplug();
    sent.Channel[0] = BuiltInDefaultChannel(uhfRanges());
    sent.Channel[17] = sent.Channel[0];
    sent.Person[4] = PersonRec{5, 1, 1234567, 0, "Base"};
    for (std::size_t i = 0; i < 12; ++i) {
        sent.Contact[i].Used = 1;
        sent.Contact[i].Id = 100;
    }
    sent.RoamChannel[2] = RoamChannelRec{1, 438.5, 430.5, 0, 0, "Roam"};
    // Zone and scan list members on channel 18, which does not come back: they leave.
    sent.Zone[0] = ZoneRec{1, 1, 2, {0, 17}, 0, 0, "Zone"};
    sent.ScanList[0].Used = 1;
    sent.ScanList[0].Count = 2;
    test::setFront(sent.ScanList[0].Members, {17, 0});
    test::setFront(sent.ScanList[0].MemberZones, {0, 0});
    CommImage image;
    SetCommDataAll(sent, image);
    // Digits that are not decimal, and a contact index entry beyond the contact records.
    image.CommData.fill(address::ChannelSlot(17), 8, 0xFF);
    image.CommData.write(address::PersonSlot(4), 0x1A);
    image.CommData.write(address::ContactSlot(11) + 36, 0xC5);
    image.CommData.write(address::ContactIndexEntry(3) + 2, 0x01);
    image.CommData.write(address::RoamChannelSlot(2) + 6, 0x0F);

    auto read = DecodeReadCodeplug(image, 0, NewCodeplug(0, uhfRanges()));
    ASSERT_TRUE(read.ok());
    const std::vector<std::string> expected{
        "Channel 18 left out: its frequencies are not decimal digits "
        "(FF FF FF FF FF FF FF FF)",
        "Radio ID 5 left out: its ID is not decimal digits (1A 23 45 67)",
        "Contact 4 left out: its index entry names no contact record (03 00 01 00)",
        "Contact 12 left out: its ID is not decimal digits (00 C5 01 00)",
        "Roaming channel 3 left out: its frequencies are not decimal digits "
        "(43 85 00 00 43 05 0F 00)",
    };
    std::vector<std::string> warnings;
    for (const Error& warning : image.Warnings)
        warnings.push_back(warning.text);
    EXPECT_EQ(warnings, expected);
    const Codeplug& received = *read;
    EXPECT_EQ((std::vector<int>{received.Channel[17].Used, received.Person[4].Used,
                                received.Contact[3].Used, received.Contact[11].Used,
                                received.Contact[10].Used, received.RoamChannel[2].Used}),
              (std::vector<int>{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(test::first(received.Zone[0].Members, 2), (std::vector<int>{0, -1}));
    EXPECT_EQ(test::first(received.ScanList[0].Members, 2), (std::vector<int>{0, -1}));
    // A band the band table does not know is no codeplug to adopt.
    EXPECT_EQ(DecodeReadCodeplug(image, 77, received).error().text, "Band Error!");
}

} // namespace
} // namespace r605
