#pragma once
// The columns of each list type: heading text, what the column carries (a column of the list's
// family, or one that only files have), and in which mode it appears. The column code of the import
// is a column's position in this order; the export writes the columns in the same order, so a file
// exported and imported in the same language and mode reads back column for column.

#include "base/result.h"
#include "lists/list_context.h"
#include "schema/list_type.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// What a column carries. One enumeration for all lists keeps the tables below readable; a line's
// cells are found by it, and each list uses only its own values.
enum class ListField {
    Number, // the record's number (position + 1): where an imported record goes
    Name,
    // Channels
    RxFreq,
    TxFreq,
    ChType,
    Power,
    Bandwidth,
    RxTone,
    TxTone,
    TxContact,
    TxContactId, // tool mode: the transmit contact's radio ID, telling apart contacts of one name
    RadioId,
    RadioIdNumber, // tool mode: the channel radio ID's number, telling apart IDs of one name
    BusyLock,
    Scrambler,
    OptSignal,
    DtmfId,
    TwoToneId,
    FiveToneId,
    PttId,
    ColorCode,
    TimeSlot,
    ChannelScanLists,
    ChannelRxGroup,
    RxOnly,
    Compander,
    PrivateCallConfirm,
    EmergencyAlarmAck,
    DualCapacity,
    Vox,
    TalkerAlias,
    AutoScan,
    Reverse,
    UserCtcss,
    AutoRoaming,
    // Radio IDs and contacts
    Id,
    Callsign,
    City,
    State,
    Country,
    Remarks,
    CallReceiveTone,
    CallType,
    // Zones, scan lists, receive group lists
    Members,
    ChannelA,
    ChannelB,
    Talkback,
    RevertChannel,
    Priority1,
    Priority2,
    HoldTime,
    SampleTime,
    DwellTime,
    LookBackTime,
    DropoutDelay,
    // Phone book, quick texts, 2-tone codes
    PhoneNumber,
    MessageText,
    FirstTone,
    SecondTone,
    // DTMF codes
    CodeValue,
};

inline constexpr std::size_t kListFieldCount = static_cast<std::size_t>(ListField::CodeValue) + 1;

struct ListColumn {
    TextKey heading;
    ListField field;
    // The column of the list's family that the cells show and read (schema/family_columns.h);
    // empty for the columns that only files carry.
    std::string_view column;
    // The contact export writes a few headings in English whatever the language.
    std::string_view literalHeading = {};
    // Member columns may be repeated in an imported file (one member or several per column).
    bool repeatable = false;
};

// The columns of a list type as the import knows them, in column-code order. Empty for list
// types without a record family.
std::vector<ListColumn> ImportColumns(ListType type, bool toolMode);

// The columns the export writes: the import's, except that a contact export leaves out the
// fields the model does not support and writes the literal English contact headings.
std::vector<ListColumn> ExportColumns(ListType type, const ListContext& context);

// The heading text of a column in the context's language (its literal heading when it has one).
std::string HeadingText(const ListColumn& column, const Language& language);

} // namespace r605
