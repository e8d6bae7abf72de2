#include "lists/list_columns.h"

namespace r605 {

namespace {

using F = ListField;

std::vector<ListColumn> channelColumns(bool toolMode) {
    std::vector<ListColumn> columns = {
        {TextKey{10000}, F::Number, "Number"},
        {TextKey{20001}, F::Name, "Name"},
        {TextKey{20010}, F::RxFreq, "RxFreq"},
        {TextKey{10002}, F::TxFreq, "TxFreq"},
        {TextKey{20020}, F::ChType, "ChType"},
        {TextKey{20021}, F::Power, "Power"},
        {TextKey{20022}, F::Bandwidth, "Bandwidth"},
        {TextKey{20023}, F::RxTone, "RxTone"},
        {TextKey{20024}, F::TxTone, "TxTone"},
        {TextKey{20025}, F::TxContact, "Contact"},
        {TextKey{20510}, F::TxContactId, {}},
        {TextKey{20026}, F::RadioId, "RadioId"},
        {TextKey{20027}, F::BusyLock, "BusyLock"},
        {TextKey{20081}, F::RadioIdNumber, {}},
        {TextKey{20028}, F::Scrambler, "Scrambler"},
        {TextKey{20029}, F::OptSignal, "OptSignal"},
        {TextKey{20030}, F::DtmfId, "DtmfId"},
        {TextKey{20031}, F::TwoToneId, "TwoToneId"},
        {TextKey{20032}, F::FiveToneId, "FiveToneId"},
        {TextKey{20033}, F::PttId, "PttId"},
        {TextKey{20034}, F::ColorCode, "ColorCode"},
        {TextKey{20035}, F::TimeSlot, "TimeSlot"},
        {TextKey{20036}, F::ChannelScanLists, "ScanLists", {}, true},
        {TextKey{20037}, F::ChannelRxGroup, "RxGroup"},
        {TextKey{20040}, F::RxOnly, "RxOnly"},
        {TextKey{20041}, F::Compander, "Compander"},
        {TextKey{20042}, F::PrivateCallConfirm, "PrivateCallConfirm"},
        {TextKey{20043}, F::EmergencyAlarmAck, "EmergencyAlarmAck"},
        {TextKey{20039}, F::DualCapacity, "DualCapacity"},
        {TextKey{20045}, F::Vox, "Vox"},
        {TextKey{20046}, F::TalkerAlias, "TalkerAlias"},
        {TextKey{20047}, F::AutoScan, "AutoScan"},
        {TextKey{20048}, F::Reverse, "Reverse"},
        {TextKey{20002}, F::UserCtcss, "UserCtcss"},
        {TextKey{20049}, F::AutoRoaming, "AutoRoaming"},
    };
    if (!toolMode) {
        std::erase_if(columns, [](const ListColumn& column) {
            return column.field == F::TxContactId || column.field == F::RadioIdNumber;
        });
    }
    return columns;
}

std::vector<ListColumn> contactColumns() {
    return {
        {TextKey{10500}, F::Number, "Number"},
        {TextKey{10501}, F::Id, "Id", "Radio ID"},
        {TextKey{10506}, F::Callsign, "Callsign", "Callsign"},
        {TextKey{10503}, F::Name, "Name", "Name"},
        {TextKey{10504}, F::City, "City", "City"},
        {TextKey{10507}, F::State, "State", "State"},
        {TextKey{10508}, F::Country, "Country", "Country"},
        {TextKey{10509}, F::Remarks, "Remarks", "Remarks"},
        {TextKey{10505}, F::CallReceiveTone, "CallReceiveTone"},
        {TextKey{10502}, F::CallType, "CallType"},
    };
}

bool supported(const ContactFieldSupport& support, ListField field) {
    switch (field) {
    case F::Callsign:
        return support.callsign;
    case F::City:
        return support.city;
    case F::State:
        return support.state;
    case F::Country:
        return support.country;
    case F::Remarks:
        return support.remarks;
    default:
        return true;
    }
}

} // namespace

std::vector<ListColumn> ImportColumns(ListType type, bool toolMode) {
    switch (type) {
    case ListType::Channels:
        return channelColumns(toolMode);
    case ListType::RadioIds:
        return {{TextKey{10100}, F::Number, "Number"},
                {TextKey{10101}, F::Id, "Id"},
                {TextKey{10103}, F::Name, "Name"}};
    case ListType::Zones:
        return {{TextKey{10200}, F::Number, "Number"},
                {TextKey{20211}, F::Name, "Name"},
                {TextKey{20202}, F::Members, "Members", {}, true},
                {TextKey{20221}, F::ChannelA, "Selected1"},
                {TextKey{20222}, F::ChannelB, "Selected2"}};
    case ListType::ScanLists:
        return {{TextKey{10300}, F::Number, "Number"},
                {TextKey{20301}, F::Name, "Name"},
                {TextKey{20303}, F::Members, "Members", {}, true},
                {TextKey{2402}, F::Talkback, "Talkback"},
                {TextKey{2403}, F::RevertChannel, "RevertChannel"},
                {TextKey{2404}, F::Priority1, "Priority1"},
                {TextKey{2405}, F::Priority2, "Priority2"},
                {TextKey{2406}, F::HoldTime, "HoldTime"},
                {TextKey{2407}, F::SampleTime, "SampleTime"},
                {TextKey{2408}, F::DwellTime, "DwellTime"},
                {TextKey{2409}, F::LookBackTime, "LookBackTime"},
                {TextKey{2410}, F::DropoutDelay, "DropoutDelay"}};
    case ListType::Contacts:
    case ListType::DownloadedContacts:
        return contactColumns();
    case ListType::RxGroups:
        return {{TextKey{11500}, F::Number, "Number"},
                {TextKey{11501}, F::Name, "Name"},
                {TextKey{11516}, F::Members, "Members", {}, true}};
    case ListType::PhoneBook:
        return {{TextKey{10400}, F::Number, "Number"},
                {TextKey{10401}, F::PhoneNumber, "PhoneNumber"},
                {TextKey{10402}, F::Name, "Name"}};
    case ListType::QuickTexts:
        return {{TextKey{11200}, F::Number, "Number"}, {TextKey{11204}, F::MessageText, "Text"}};
    case ListType::DtmfCodes:
        return {{TextKey{20030}, F::Number, "Number"}, {TextKey{1602}, F::CodeValue, {}}};
    case ListType::TwoToneCodes:
        return {{TextKey{30310}, F::Number, "Number"},
                {TextKey{30311}, F::FirstTone, "FirstTone"},
                {TextKey{30312}, F::SecondTone, "SecondTone"}};
    default:
        return {};
    }
}

std::vector<ListColumn> ExportColumns(ListType type, const ListContext& context) {
    std::vector<ListColumn> columns = ImportColumns(type, context.toolMode);
    if (type == ListType::Contacts) {
        std::erase_if(columns, [&](const ListColumn& column) {
            return !supported(context.contactFields, column.field);
        });
    }
    if (type == ListType::DownloadedContacts) {
        // The downloaded-contact form: number, radio ID and the five texts, always all of them.
        std::erase_if(columns, [](const ListColumn& column) {
            return column.field == F::Remarks || column.field == F::CallReceiveTone ||
                   column.field == F::CallType;
        });
    }
    if (!isContactList(type)) {
        for (ListColumn& column : columns)
            column.literalHeading = {};
    }
    return columns;
}

std::string HeadingText(const ListColumn& column, const Language& language) {
    if (!column.literalHeading.empty())
        return std::string(column.literalHeading);
    return language.text(column.heading);
}

} // namespace r605
