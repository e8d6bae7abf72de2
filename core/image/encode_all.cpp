// Encode-all and decode-all in the radio's order.
#include "image/family_codecs.h"

namespace r605 {

void NormaliseForWrite(Codeplug& codeplug) {
    CompactContacts(codeplug);
    ClampDtmfSettings(codeplug.Dtmf);
}

void SetCommDataAll(const Codeplug& codeplug, CommImage& image) {
    image.EncodeOK = true;
    image.Messages.clear();
    if (image.ModelSwitch >= 1) {
        SetCommDataByChannel(codeplug, image);
        SetCommDataByPerson(codeplug, image);
        SetZoneToCommData(codeplug, image);
        SetCommDataByOption(codeplug, image);
        SetCommDataBy5Tone(codeplug, image);
        SetCommDataBy2Tone(codeplug, image);
        SetCommDataByDTMF(codeplug, image);
        SetCommDataByScan(codeplug, image);
        SetCommDataByAlarm(codeplug, image);
        SetCommDataByOneKey(codeplug, image);
        SetRxGroupToCommData(codeplug, image);
        SetCommDataByEMG_Code(codeplug, image);
        SetAesKeyToCommData(codeplug, image);
        SetRoamToCommData(codeplug, image);
        SetArc4KeyToCommData(codeplug, image);
    }
    SetCommDataByContact(codeplug, image); // tests the model switch itself
}

std::vector<Error> GetAllFromCommData(CommImage& image, Codeplug& codeplug) {
    image.Warnings.clear();
    if (image.ModelSwitch >= 1) {
        GetChannelFromCommData(image, codeplug);
        GetPersonFromCommData(image, codeplug);
        GetZoneFromCommData(image, codeplug);
        GetOneKeyFromCommData(image, codeplug);
        GetRxGroupFromCommData(image, codeplug);
    }
    GetContactFromCommData(image, codeplug); // tests the model switch itself
    if (image.ModelSwitch < 1)
        return image.Warnings;
    GetOptionFromCommData(image, codeplug);
    Get5ToneFromCommData(image, codeplug);
    Get2ToneFromCommData(image, codeplug);
    GetDtmfFromCommData(image, codeplug);
    GetScanFromCommData(image, codeplug);
    GetAlarmFromCommData(image, codeplug);
    GetEmgCodeFromCommData(image, codeplug);
    GetEMG_CodeFromCommData(image, codeplug);
    GetRoamFromCommData(image, codeplug);
    CheckZoneAndScanMembers(codeplug);
    GetArc4KeyFromCommData(image, codeplug);
    return image.Warnings;
}

} // namespace r605
