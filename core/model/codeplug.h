#pragma once
// The codeplug: every record table at its fixed size, the single records and the raw families.
// It is a value: copying it gives an independent codeplug (the staging copies are such copies).

#include "model/alert_tone_pattern.h"
#include "model/aprs_rec.h"
#include "model/channel_rec.h"
#include "model/codeplug_header.h"
#include "model/contact_rec.h"
#include "model/dtmf_rec.h"
#include "model/embedded_info_rec.h"
#include "model/key_recs.h"
#include "model/person_rec.h"
#include "model/raw_areas.h"
#include "model/roam_recs.h"
#include "model/rx_group_rec.h"
#include "model/scan_list_rec.h"
#include "model/settings_rec.h"
#include "model/table.h"
#include "model/user_tone_set.h"
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

    bool operator==(const Codeplug&) const = default;
};

} // namespace r605
