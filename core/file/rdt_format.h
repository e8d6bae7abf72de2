#pragma once
// The codeplug file (.rdt). Little-endian throughout:
//
//   offset 0        5 bytes   "V1020"
//   offset 5        7 bytes   language tag: "English", or "GBK" and four blanks
//   offset 12       H bytes   header and settings record: model family (8), band code (16-bit),
//                             data version (4, "V110"), then every single record of the codeplug
//                             (5-tone, DTMF, 2-tone, optional, alarm and one-key settings, the
//                             settings values, the quick-call table, the embedded information,
//                             the alert tone patterns and the user tone set)
//   offset 12 + H   400 bytes 100 signed 32-bit record counts
//   offset 412 + H            the blocks, in this order:
//      1 Channel (count 0)    2 Person (1)      3 Zone (2)        4 ScanList (3)
//      5 PhoneBook (4)        6 Contact: 32-bit length and the packed contact block (5)
//      7-9 CallLog1-3 (7-9)   10-13 TextMessage1-4 (10-13)
//     14 Recording (15)      15 RecordingIndex: the companion of each recording in use (15)
//     16 RxGroup (16)        17 EMG_Code, whole  18 RepeaterOffset, whole
//     19 TwoToneEntry, whole 20 AprsCompanion    21 Aprs
//     22 AesKey, whole       23 RoamChannel, whole  24 RoamZone, whole  25 Arc4Key, whole
//
// A counted block holds the records in use, in table order, each in the record layout of
// packed_record.h; a record's Number gives its place in the table. The tag chooses the text form
// of the contact block only; every other text is code page 936.

#include "base/result.h"
#include "file/contact_block.h"
#include "model/codeplug.h"
#include "rules/band.h"
#include "schema/new_codeplug.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

inline constexpr std::string_view kFileVersionText = "V1020";
inline constexpr std::string_view kCurrentDataVersion = "V110";
inline constexpr std::string_view kOldDataVersion = "V100";
inline constexpr std::size_t kRecordCountSlots = 100;
// The largest file this layout can give is a few MiB; anything far larger is not a codeplug.
inline constexpr std::size_t kMaxCodeplugFileBytes = 64u * 1024 * 1024;

// The size of the header and settings record.
std::size_t HeaderRecordSize();

// 0 when the version text is "V1020", otherwise 1 (the caller refuses the file with
// "File Version Error!").
int CheckFileVersion(std::string_view versionText);
// True when the model family, trimmed, is not "R600MK".
bool IsForeignModel(std::string_view modelFamily);

// The language tag of a text form: "English" or "GBK    ".
std::string LanguageTag(ContactTextForm form);

struct EncodedCodeplugFile {
    std::string bytes;
    // The text form written: the one asked for, or the 7-bit form when GBK could not hold a
    // contact list whose texts are all plain ASCII (it holds them without loss).
    ContactTextForm textForm = ContactTextForm::Gbk;
    // The table entries (0-based) of contacts in use that the contact block could not hold: the
    // file does not have them.
    std::vector<std::size_t> contactsLeftOut;
    // What the user is told: one message naming every contact left out, empty when none was.
    std::vector<Error> warnings;
};

// The file of a codeplug. Its header record is written as the codeplug holds it. A contact list
// too large for the contact block is saved as far as it fits (the file has no room for more);
// the contacts left out are named in the warning, so that the user can keep them in JSON.
EncodedCodeplugFile EncodeCodeplugFile(const Codeplug& codeplug, ContactTextForm form);

struct DecodedCodeplugFile {
    Codeplug codeplug;
    ContactTextForm textForm = ContactTextForm::Gbk;
    // Messages the user is shown although the file was read: a contact block that ends early
    // ("Open file RX_Contact Error!") and every repair the load made (a record moved because its
    // Number is repeated or outside its table, a member or digit count brought into range).
    std::vector<Error> warnings;
};

// Reads a whole file into a codeplug whose records the file does not hold are empty records with
// their Number. Records of a counted block go to the entries their Numbers name; records in it
// that are not in use are never looked at. Faults the load can resolve without guessing at bytes
// are repaired and listed in the warnings. What cannot be read safely is refused with the reason
// and the place: a file of another version, model or band, a directory count outside its table,
// a contact block of an impossible length, and a file that ends before its last block.
Result<DecodedCodeplugFile> DecodeCodeplugFile(std::string_view bytes);
// The same into an existing result, whose storage is reused (a codeplug is some MiB). After a
// refusal `decoded` holds no codeplug worth keeping.
Status DecodeCodeplugFileInto(std::string_view bytes, DecodedCodeplugFile& decoded);

// Reads the version, the tag and the header and settings record only, and gives their settings
// (every single record but the header) to `codeplug`; nothing changes when the file is refused.
// Gives the repairs made, as the whole-file load does.
Result<std::vector<Error>> AdoptCodeplugFileSettings(std::string_view bytes, Codeplug& codeplug);


// Removes repeated channels from the member lists of every zone and scan list in use (a repeat
// of an earlier member, and members marked 65535, go; the rest close up in order and Count
// becomes what is left). A scan list's member zones move with their members. Gives one message
// for each list it changed. Part of every load of a file.
std::vector<Error> CleanZoneAndScanListMembers(Codeplug& codeplug);

// "R600MK_34.rdt": the initial codeplug file of a model family and band.
std::string InitialFileName(std::string_view modelFamily, int bandCode);

} // namespace r605
