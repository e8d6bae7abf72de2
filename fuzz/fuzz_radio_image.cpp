// Fuzz target for what a radio sends: blocks of any content at any place of the areas the
// decoders read, then decode-all (every index, member and reference from the radio is
// untrusted) and encode-all of what came out. Also the hex line reader of `r605 decode`.
// Besides not crashing: a decoded codeplug encodes without failure, and decoding that image
// again gives the same records in use.
#include "image/family_codecs.h"
#include "image/hex_lines.h"
#include "schema/new_codeplug.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace r605;

void check(bool condition) {
    if (!condition)
        std::abort();
}

struct Area {
    std::uint32_t base;
    std::uint32_t size;
};

// Every area a decoder reads.
constexpr std::array<Area, 14> kAreas{{
    {0x800000, 0x80000},   // channels, both banks
    {0x1000000, 0x2000},   // zone members
    {0x1040000, 0x4000},   // roaming channels, bitmaps, zones
    {0x1080000, 0x42000},  // scan lists
    {0x24C0000, 0x3000},   // bitmaps, 5-tone, DTMF, 2-tone, alarm, encryption codes
    {0x24C4000, 0x5040},   // AES and ARC4 keys with their bitmaps
    {0x2500000, 0x1100},   // options, DTMF codes
    {0x2540000, 0x200},    // zone names
    {0x2580000, 0x2000},   // radio IDs
    {0x25C0000, 0x1000},   // one-key calls, receive-group bitmap
    {0x2600000, 0x40000},  // contact index
    {0x2640000, 0x500},    // contact bitmap
    {0x2680000, 0x280000}, // contact records
    {0x2980000, 0x20000},  // receive group lists
}};

// The records in use are the same (a record out of use may keep a name the decoder gave it).
template <class TableT> bool sameInUse(const TableT& a, const TableT& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i].Used >= 1) != (b[i].Used >= 1))
            return false;
        if (a[i].Used >= 1 && !(a[i] == b[i]))
            return false;
    }
    return true;
}

bool sameImageContent(const Codeplug& a, const Codeplug& b) {
    return sameInUse(a.Channel, b.Channel) && sameInUse(a.Person, b.Person) &&
           sameInUse(a.Zone, b.Zone) && sameInUse(a.ScanList, b.ScanList) &&
           sameInUse(a.Contact, b.Contact) && sameInUse(a.RxGroup, b.RxGroup) &&
           sameInUse(a.RoamChannel, b.RoamChannel) && sameInUse(a.RoamZone, b.RoamZone) &&
           a.Dtmf == b.Dtmf && a.EMG_Code == b.EMG_Code && a.AesKey == b.AesKey &&
           a.Arc4Key == b.Arc4Key && a.Option == b.Option && a.FiveTone == b.FiveTone &&
           a.TwoTone == b.TwoTone && a.Alarm == b.Alarm && a.OneKey == b.OneKey &&
           a.Settings == b.Settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)ReadHexLines(std::string_view(reinterpret_cast<const char*>(data), size));

    // Chunks of 20 bytes: an area, a block within it, 16 bytes of content.
    CommImage image;
    for (std::size_t at = 0; at + 20 <= size; at += 20) {
        const Area& area = kAreas[data[at] % kAreas.size()];
        const std::uint32_t block =
            (data[at + 1] | data[at + 2] << 8 | data[at + 3] << 16) % (area.size / 16);
        image.CommData.write(area.base + block * 16, std::span(data + at + 4, 16));
    }
    // Codeplugs are some MiB: assigning to these reuses their storage from one input to the next.
    static const Codeplug fresh = NewCodeplug(0, bandRangesForCode(0).value());
    static Codeplug decoded;
    static Codeplug second;
    static Codeplug last;
    decoded = fresh;
    GetAllFromCommData(image, decoded);

    CommImage again;
    SetCommDataAll(decoded, again);
    second = fresh;
    GetAllFromCommData(again, second);
    CommImage third;
    SetCommDataAll(second, third);
    check(third.EncodeOK);
    last = fresh;
    GetAllFromCommData(third, last);
    check(sameImageContent(last, second));
    return 0;
}
