#pragma once
// What list import and export need to know besides the codeplug: the interface language (the
// headings and value texts of a file are those of the language in force), tool mode (two more
// channel columns), the band (imported frequencies pass the band check), the template that new
// channels start from, and which contact fields the radio model supports.

#include "model/channel_rec.h"
#include "rules/band.h"
#include "text/language.h"

#include <cstddef>
#include <functional>

namespace r605 {

// The optional contact fields; a model without one leaves its column out of the contact export.
struct ContactFieldSupport {
    bool callsign = true;
    bool city = true;
    bool state = true;
    bool country = true;
    bool remarks = true;
};

// Progress of a long import or export: lines done and lines in all.
using ListProgress = std::function<void(std::size_t done, std::size_t total)>;

struct ListContext {
    Language language;
    bool toolMode = false;
    BandRanges bands;
    ChannelRec defaultChannel; // what an imported channel holds in the columns its file lacks
    ContactFieldSupport contactFields;
    ListProgress progress; // may be empty
};

} // namespace r605
