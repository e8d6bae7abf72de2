#pragma once
// The APRS settings: the frequency and signalling of position reports, the fixed position and
// the addressing of the packets. Their place in the radio's memory is not known; they live in
// the codeplug and its files.

#include "model/field.h"

#include <cstdint>
#include <string>

namespace r605 {

struct AprsRec {
    std::int16_t Mode = 0;
    double Frequency = 0; // MHz; APRS runs on its own frequency, whatever the radio's band
    std::int16_t ToneType = 0;
    std::int16_t Ctcss = 0; // CTCSS list position (no user-defined tone here)
    std::int16_t Dcs = 0;   // DCS number
    std::int16_t Interval = 0;
    std::int16_t LatDegrees = 0;
    std::int16_t LatMinutes = 0;
    std::int16_t LatHemisphere = 0; // 0 north, 1 south
    std::int16_t LonDegrees = 0;
    std::int16_t LonMinutes = 0;
    std::int16_t LonHemisphere = 0; // 0 east, 1 west
    std::string Destination;        // 6
    std::string SourceCall;         // 6
    std::int16_t SourceSsid = 0;
    std::string Path;        // 32
    std::string SymbolTable; // 1
    std::string Symbol;      // 1
    std::string Text;        // 64

    bool operator==(const AprsRec&) const = default;

    template <class Self, class Visit> static void describe(Self& r, Visit&& visit) {
        visit(Field::range("Mode", 0, 255), r.Mode);
        visit(Field::megahertz("Frequency"), r.Frequency);
        visit(Field::range("ToneType", 0, 2), r.ToneType);
        visit(Field::range("Ctcss", 0, 50), r.Ctcss);
        visit(Field::range("Dcs", 0, 1023), r.Dcs);
        visit(Field::range("Interval", 0, 32767), r.Interval);
        visit(Field::range("LatDegrees", 0, 90), r.LatDegrees);
        visit(Field::range("LatMinutes", 0, 5999), r.LatMinutes);
        visit(Field::flag("LatHemisphere"), r.LatHemisphere);
        visit(Field::range("LonDegrees", 0, 180), r.LonDegrees);
        visit(Field::range("LonMinutes", 0, 5999), r.LonMinutes);
        visit(Field::flag("LonHemisphere"), r.LonHemisphere);
        visit(Field::text("Destination", 6), r.Destination);
        visit(Field::text("SourceCall", 6), r.SourceCall);
        visit(Field::range("SourceSsid", 0, 15), r.SourceSsid);
        visit(Field::text("Path", 32), r.Path);
        visit(Field::text("SymbolTable", 1), r.SymbolTable);
        visit(Field::text("Symbol", 1), r.Symbol);
        visit(Field::text("Text", 64), r.Text);
    }
};

} // namespace r605
