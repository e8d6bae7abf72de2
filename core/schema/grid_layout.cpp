#include "schema/grid_layout.h"

#include <array>

namespace r605 {

namespace {

using G = GridColumn;

constexpr std::array kChannels{G{"RxFreq", 1200}, G{"TxFreq", 1200},   G{"ChType", 1200},
                               G{"Power", 800},   G{"Bandwidth", 800}, G{"RxTone", 1000},
                               G{"TxTone", 1000}, G{"Name", 0},        G{"Contact", 3600},
                               G{"RadioId", 1500}, G{"TimeSlot", 1200}};
constexpr std::array kRadioIds{G{"Id", 1200}, G{"Option", 0}, G{"Name", 3500}};
constexpr std::array kZones{G{"Used", 0},     G{"Members", 0},   G{"Name", 3500},
                            G{"Count", 1200}, G{"Selected1", 0}, G{"Selected2", 0}};
constexpr std::array kScanLists{G{"Name", 1500},        G{"Talkback", 1000},
                                G{"RevertChannel", 1200}, G{"Priority1", 2000},
                                G{"Priority2", 2000},   G{"HoldTime", 1200},
                                G{"SampleTime", 1200},  G{"DwellTime", 1500},
                                G{"LookBackTime", 1200}};
constexpr std::array kPhoneBook{G{"PhoneNumber", 1200}, G{"Name", 1500}};
constexpr std::array kContacts{G{"Id", 1200},      G{"CallType", 1800},
                               G{"Name", 3600},    G{"City", 0},
                               G{"CallReceiveTone", 1200}, G{"Callsign", 0},
                               G{"State", 0},      G{"Country", 0},
                               G{"Remarks", 0}};
constexpr std::array kRoamZones{G{"Name", 3500}, G{"Members", 2000}};
constexpr std::array kRoamChannels{G{"RxFreq", 1200}, G{"TxFreq", 1200}, G{"ColorCode", 1200},
                                   G{"TimeSlot", 1200}, G{"Name", 3500}};
constexpr std::array kCallLog{G{"CallId", 1200}, G{"ContactName", 2000}, G{"CallTime", 1500}};
constexpr std::array kMessages1{G{"CallId", 1200}, G{"Date", 1000}, G{"Time", 1000},
                                G{"Text", 5500}};
constexpr std::array kArc4Keys{G{"KeyId", 2000}, G{"Key", 3500}};
constexpr std::array kMessages2{G{"CallId", 1200}, G{"Date", 0}, G{"Time", 1000},
                                G{"Text", 5500}};
constexpr std::array kQuickTexts{G{"CallId", 0}, G{"Date", 0}, G{"Time", 0},
                                 G{"Text", 10500}};
constexpr std::array kRadioInfo{G{"", 2200}, G{"", 1000}};
constexpr std::array kRecordings{G{"Channel", 1200},  G{"CallType", 1500},
                                 G{"StartTime", 2500}, G{"CallerId", 1500},
                                 G{"CalledId", 1500}, G{"Duration", 1000},
                                 G{"CallerName", 1500}, G{"CalledName", 1500}};
constexpr std::array kRxGroups{G{"Name", 7680}, G{"Count", 1200}, G{"Members", 16500}};
constexpr std::array kEmgCodes{G{"Code", 1200}, G{"Value2", 0}};
constexpr std::array kRepeaterOffsets{G{"Offset", 2200}};
constexpr std::array kAesKeys{G{"KeyId", 1200}, G{"Key", 7000}};

} // namespace

std::span<const GridColumn> gridColumns(int grid) {
    switch (grid) {
    case 0:
        return kChannels;
    case 1:
        return kRadioIds;
    case 2:
        return kZones;
    case 3:
        return kScanLists;
    case 4:
        return kPhoneBook;
    case 5:
    case 17:
        return kContacts;
    case 6:
        return kRoamZones;
    case 7:
        return kRoamChannels;
    case 8:
        return kCallLog;
    case 9:
        return kMessages1;
    case 10:
        return kArc4Keys;
    case 11:
        return kMessages2;
    case 12:
        return kQuickTexts;
    case 13:
        return kRadioInfo;
    case 14:
        return kRecordings;
    case 15:
        return kRxGroups;
    case 16:
        return kEmgCodes;
    case 18:
        return kRepeaterOffsets;
    case 19:
        return kAesKeys;
    default:
        return {};
    }
}

} // namespace r605
