#pragma once
// The packed contact block of codeplug files. Most of a contact is blank-padded text, so files
// do not hold the 101-byte records: each contact in use becomes a short entry (Mod_Contact_
// Compression):
//
//   bytes 0-2  Id, low 24 bits, least significant byte first
//   bytes 3-4  Number, bits 0-15, least significant byte first
//   byte  5    bits 0-3 Number bits 16-19, bits 4-5 CallType, bits 6-7 Byte80
//   byte  6 on Name, City, Callsign, State, Country, Remarks, each cut at its first NUL and
//              stripped of trailing blanks, then either
//              - 7-bit (files tagged "English"): one continuous bit stream of 7-bit codes, least
//                significant bit first, each text followed by the code 0; a character of code
//                127 or more becomes "?"; the stream ends on a whole byte;
//              - GBK (files tagged "GBK"): the code-page-936 bytes of each text and a zero byte.
//
// The block ends with one zero byte after the last entry, so that a complete block is never used
// up by its entries; its length (entries plus that byte) is stored with it and may not exceed
// 890001 bytes, the buffer every program reading these files has for it.

#include "model/contact_rec.h"
#include "model/table.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// How the texts of a file are packed; the file's language tag chooses it.
enum class ContactTextForm { SevenBit, Gbk };

inline constexpr std::size_t kContactBlockCapacity = 890001;

struct PackedContacts {
    std::string block;     // the entries and the closing zero byte
    std::size_t count = 0; // the entries in it
    // The table entries (0-based) of contacts in use whose entry did not fit the block: they are
    // not in it.
    std::vector<std::size_t> leftOut;
};

// Packs every contact whose Used is above 0, in table order. A contact whose entry would take the
// block past its capacity is left out, and packing goes on with the next one (a shorter entry may
// still fit): the block holds every contact that fits, and `leftOut` names the others.
PackedContacts PackContacts(const Table<ContactRec, kContactCount>& contacts, ContactTextForm form);

// True when every text of every contact in use is plain 7-bit ASCII (codes below 127), so that
// the 7-bit form holds the contacts without any loss.
bool ContactsFitSevenBitLosslessly(const Table<ContactRec, kContactCount>& contacts);

// Appends one contact's entry to the block.
void PackContact(std::string& block, const ContactRec& contact, ContactTextForm form);

struct UnpackedContacts {
    // The entries read completely, each with Used 1 and its texts unpadded, in block order.
    std::vector<ContactRec> contacts;
    // False when the block ended before `count` entries had been read: the entry whose reading
    // reached the end and all after it are missing ("Open file RX_Contact Error!").
    bool complete = true;
};

// Reads `count` entries. Nothing beyond the block is ever read; bytes after the last entry are
// ignored.
UnpackedContacts UnpackContacts(std::string_view block, std::size_t count, ContactTextForm form);

} // namespace r605
