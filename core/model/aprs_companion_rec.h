#pragma once
// The APRS companion: the receive side and the beacon options of APRS, kept beside the APRS
// record. A new codeplug gives it the same frequency and signalling as the APRS record. It lives
// in the codeplug and its files.
//
// Our layout (the file writes these fields in this order, 120 bytes):
//   RxFrequency     double    MHz
//   ToneType        16-bit    0 none, 1 CTCSS, 2 DCS
//   Ctcss           16-bit    CTCSS list position
//   Dcs             16-bit    DCS number
//   Power           16-bit    as a channel's power
//   Bandwidth       16-bit    as a channel's bandwidth
//   BeaconInterval  16-bit    seconds, 0 manual beacons only
//   Comment         64 bytes  text appended to position reports
//   Reserved        36 bytes  carried as they are

#include "model/field.h"
#include "model/raw_areas.h"

#include <cstdint>
#include <string>

namespace r605 {

struct AprsCompanionRec {
    double RxFrequency = 0;
    std::int16_t ToneType = 0;
    std::int16_t Ctcss = 0;
    std::int16_t Dcs = 0;
    std::int16_t Power = 0;
    std::int16_t Bandwidth = 0;
    std::int16_t BeaconInterval = 0;
    std::string Comment; // 64 bytes
    RawBytes<36> Reserved{};

    bool operator==(const AprsCompanionRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::megahertz("RxFrequency"), r.RxFrequency);
        visit(Field::range("ToneType", 0, 2), r.ToneType);
        visit(Field::range("Ctcss", 0, 50), r.Ctcss);
        visit(Field::range("Dcs", 0, 1023), r.Dcs);
        visit(Field::range("Power", 0, 3), r.Power);
        visit(Field::range("Bandwidth", 0, 3), r.Bandwidth);
        visit(Field::range("BeaconInterval", 0, 32767), r.BeaconInterval);
        visit(Field::text("Comment", 64), r.Comment);
        visit(Field::any("Reserved"), r.Reserved);
    }
};

} // namespace r605
