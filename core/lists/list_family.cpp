#include "lists/list_family.h"

namespace r605 {

std::unique_ptr<ListFamily> MakeListFamily(ListType type, const ListContext& context) {
    switch (type) {
    case ListType::Channels:
        return MakeChannelRows(context);
    case ListType::RadioIds:
        return MakeRadioIdRows(context);
    case ListType::Zones:
        return MakeZoneRows(context);
    case ListType::ScanLists:
        return MakeScanListRows(context);
    case ListType::Contacts:
    case ListType::DownloadedContacts:
        return MakeContactRows(context);
    case ListType::RxGroups:
        return MakeRxGroupRows(context);
    case ListType::DtmfCodes:
        return MakeDtmfCodeRows(context);
    case ListType::PhoneBook:
        return MakePhoneBookRows(context);
    case ListType::QuickTexts:
        return MakeQuickTextRows(context);
    case ListType::TwoToneCodes:
        return MakeTwoToneCodeRows(context);
    default:
        return nullptr;
    }
}

} // namespace r605
