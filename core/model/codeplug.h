#pragma once
// The codeplug: every record table at its fixed size, the single records and the raw families.
// It is a value: copying it gives an independent codeplug (the staging copies are such copies).

#include "model/alert_tone_pattern.h"
#include "model/aprs_companion_rec.h"
#include "model/aprs_rec.h"
#include "model/call_log_rec.h"
#include "model/channel_rec.h"
#include "model/codeplug_header.h"
#include "model/contact_rec.h"
#include "model/dtmf_rec.h"
#include "model/embedded_info_rec.h"
#include "model/key_recs.h"
#include "model/person_rec.h"
#include "model/phone_book_rec.h"
#include "model/raw_areas.h"
#include "model/recording_rec.h"
#include "model/repeater_offset_rec.h"
#include "model/roam_recs.h"
#include "model/rx_group_rec.h"
#include "model/scan_list_rec.h"
#include "model/settings_rec.h"
#include "model/table.h"
#include "model/text_message_rec.h"
#include "model/two_tone_entry_rec.h"
#include "rules/user_tone_set.h"
#include "model/zone_rec.h"

namespace r605 {

struct Codeplug {
    CodeplugHeader Header;
    Table<ChannelRec, kChannelCount> Channel;
    Table<PersonRec, kPersonCount> Person;
    Table<ZoneRec, kZoneCount> Zone;
    Table<ScanListRec, kScanListCount> ScanList;
    Table<ContactRec, kContactCount> Contact;
    Table<RxGroupRec, kRxGroupCount> RxGroup;
    Table<RoamChannelRec, kRoamChannelCount> RoamChannel;
    Table<RoamZoneRec, kRoamZoneCount> RoamZone;
    DtmfRec Dtmf;
    Table<EmgCodeRec, kEmgCodeCount> EMG_Code;
    Table<AesKeyRec, kAesKeyCount> AesKey;
    Table<Arc4KeyRec, kArc4KeyCount> Arc4Key;
    Table<QuickCallRec, kQuickCallCount> QuickCall;
    SettingsRec Settings;
    EmbeddedInfoRec EmbeddedInfo;
    AprsRec Aprs;
    Table<AlertTonePattern, kAlertTonePatternCount> AlertTonePatterns;
    r605::UserToneSet UserToneSet{};
    OptionAreas Option;
    FiveToneAreas FiveTone;
    TwoToneAreas TwoTone;
    AlarmAreas Alarm;
    OneKeyAreas OneKey;
    // Tables that only the codeplug and its files hold (no place in the radio's image is known).
    Table<PhoneBookRec, kPhoneBookCount> PhoneBook;
    Table<CallLogRec, kCallLogCount> CallLog1;
    Table<CallLogRec, kCallLogCount> CallLog2;
    Table<CallLogRec, kCallLogCount> CallLog3;
    Table<TextMessageRec, kTextMessageCount> TextMessage1;
    Table<TextMessageRec, kTextMessageCount> TextMessage2;
    Table<TextMessageRec, kTextMessageCount> TextMessage3;
    Table<TextMessageRec, kTextMessageCount> TextMessage4;
    Table<RecordingRec, kRecordingCount> Recording;
    Table<RecordingIndexRec, kRecordingCount> RecordingIndex;
    Table<RepeaterOffsetRec, kRepeaterOffsetCount> RepeaterOffset;
    Table<TwoToneEntryRec, kTwoToneEntryCount> TwoToneEntry;
    AprsCompanionRec AprsCompanion;

    bool operator==(const Codeplug&) const = default;
};

} // namespace r605
