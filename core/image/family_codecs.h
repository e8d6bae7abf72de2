#pragma once
// The encoders (SetCommDataBy..., Set...ToCommData) and decoders (Get...FromCommData) of every
// record family, and the two operations that run them all in the radio's order.
//
// Encoders follow one pattern: the record's bit in the family's used-slot bitmap is ORed in, its
// bytes are written only when it is used, nothing is ever cleared, and every block written is
// marked for the write (subject to NeedMark). So encode-all expects an image that was cleared or
// freshly read. An encoder that cannot store a value reports "<its name>Error", clears EncodeOK
// and stops; encode-all goes on with the next family.
//
// Decoders read the used bit of every slot and decode the slots in use; the other fields of a
// record whose bit is clear keep what the table held. Data from a radio is untrusted. A
// reference byte that names no record is kept as the radio held it (so that a read and a write
// give the radio back its own bytes) and counts as none wherever it is used. A slot whose digits
// are not decimal counts as not in use, and decode-all says so in a warning.

#include "image/comm_image.h"
#include "model/codeplug.h"

#include <cstdint>
#include <vector>

namespace r605 {

// Encode-all and decode-all. Decode-all gives back image.Warnings: what it left out.
// Encode-all leaves the codeplug as it is: it writes what the radio takes of every value (a DTMF
// setting out of range as the radio's default), and the contacts where the table holds them. A
// write first hands its document NormaliseForWrite, so that what it sends is also what the
// codeplug says.
void SetCommDataAll(const Codeplug& codeplug, CommImage& image);
std::vector<Error> GetAllFromCommData(CommImage& image, Codeplug& codeplug);

// Channels.
void SetCommDataByChannel(const Codeplug& codeplug, CommImage& image);
bool SetChannelToCommData(const ChannelRec& channel, MemoryImage& image, std::uint32_t address);
bool GetChannelRecFromCommData(ChannelRec& channel, const MemoryImage& image,
                               std::uint32_t address);
void GetChannelFromCommData(CommImage& image, Codeplug& codeplug);

// Radio IDs, digital contacts, receive group lists.
void SetCommDataByPerson(const Codeplug& codeplug, CommImage& image);
void GetPersonFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataByContact(const Codeplug& codeplug, CommImage& image);
void GetContactFromCommData(CommImage& image, Codeplug& codeplug);
void SetRxGroupToCommData(const Codeplug& codeplug, CommImage& image);
void GetRxGroupFromCommData(CommImage& image, Codeplug& codeplug);

// What a write does to the codeplug before encode-all, as one edit: the contacts compacted and
// the DTMF settings corrected to what the radio takes.
void NormaliseForWrite(Codeplug& codeplug);
// Packs the used contacts to the front of the table, renumbering every reference to them: the
// radio finds its contacts from the front of the table without gaps.
void CompactContacts(Codeplug& codeplug);
// Every reference to contact entry `oldEntry` (0-based) becomes `newEntry`.
void ReplaceContactRef(Codeplug& codeplug, int newEntry, int oldEntry);

// Zones, scan lists, roaming.
void SetZoneToCommData(const Codeplug& codeplug, CommImage& image);
void GetZoneFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataByScan(const Codeplug& codeplug, CommImage& image);
void GetScanFromCommData(CommImage& image, Codeplug& codeplug);
void SetRoamToCommData(const Codeplug& codeplug, CommImage& image);
void GetRoamFromCommData(CommImage& image, Codeplug& codeplug);
// Removes the members of used zones and scan lists that do not name a used channel.
void CheckZoneAndScanMembers(Codeplug& codeplug);

// DTMF. The radio takes Set0 and Set1 from 10 to 15 (else 14 and 0xFF), Set2 up to 2 and Set4
// up to 250 (else 0): the encoder writes these values, ClampDtmfSettings stores them in the
// record.
void SetCommDataByDTMF(const Codeplug& codeplug, CommImage& image);
void ClampDtmfSettings(DtmfRec& dtmf);
void GetDtmfFromCommData(CommImage& image, Codeplug& codeplug);

// Encryption codes and keys.
void SetCommDataByEMG_Code(const Codeplug& codeplug, CommImage& image);
void GetEmgCodeFromCommData(CommImage& image, Codeplug& codeplug);
void SetAesKeyToCommData(const Codeplug& codeplug, CommImage& image);
void GetEMG_CodeFromCommData(CommImage& image, Codeplug& codeplug); // the AES-key decoder
void SetArc4KeyToCommData(const Codeplug& codeplug, CommImage& image);
void GetArc4KeyFromCommData(CommImage& image, Codeplug& codeplug);

// The families held as raw bytes. The optional-settings encoder also writes the radio
// information block back with the codeplug's programming password in bytes 8 to 11.
void SetCommDataByOption(const Codeplug& codeplug, CommImage& image);
void GetOptionFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataBy5Tone(const Codeplug& codeplug, CommImage& image);
void Get5ToneFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataBy2Tone(const Codeplug& codeplug, CommImage& image);
void Get2ToneFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataByAlarm(const Codeplug& codeplug, CommImage& image);
void GetAlarmFromCommData(CommImage& image, Codeplug& codeplug);
void SetCommDataByOneKey(const Codeplug& codeplug, CommImage& image);
void GetOneKeyFromCommData(CommImage& image, Codeplug& codeplug);

} // namespace r605
