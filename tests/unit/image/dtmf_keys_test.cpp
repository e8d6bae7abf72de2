#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;

std::vector<int> settings(const DtmfRec& d) {
    return {d.Set0, d.Set1, d.Set2, d.Set3, d.Set4, d.Set5};
}

TEST(DtmfCodec, SettingsIdDigitsAndCodesOneDigitPerByte) {
    Codeplug codeplug = emptyCodeplug();
    DtmfRec& dtmf = codeplug.Dtmf;
    dtmf.Set0 = 9;  // out of range: becomes 14
    dtmf.Set1 = 16; // out of range: becomes 0xFF
    dtmf.Set2 = 3;  // above 2: becomes 0
    dtmf.Set3 = 20;
    dtmf.Set4 = 251; // above 250: becomes 0
    dtmf.Set5 = 7;
    dtmf.IdDigits = "12";
    dtmf.Set9 = 9;
    dtmf.Set10 = 10;
    dtmf.Set11 = 11;
    dtmf.Set12 = 12;
    dtmf.Set13 = 13;
    dtmf.Code17 = DigitCode{"0123456789ABCDEF", 16};
    dtmf.Codes[1] = DigitCode{"A1", 2};
    CommImage image;
    SetCommDataByDTMF(codeplug, image);
    // The encoder writes what the radio takes and leaves the record as it was; the write's edit
    // stores the same values in the record.
    EXPECT_EQ(dtmf.Set0, 9);
    EXPECT_EQ(imageHex(image.CommData, 0x24C1080, 16),
              "0E FF 00 14 00 07 01 02 FF 09 0A 0B 0C 0D 00 00");
    Codeplug clamped = codeplug;
    ClampDtmfSettings(clamped.Dtmf);
    EXPECT_EQ(settings(clamped.Dtmf), (std::vector<int>{14, 0xFF, 0, 20, 0, 7}));
    CommImage again;
    SetCommDataByDTMF(clamped, again);
    EXPECT_TRUE(again.CommData == image.CommData);
    // A negative Set2 or Set4 is out of range too: 0, never a byte 0xFF.
    clamped.Dtmf.Set2 = -1;
    clamped.Dtmf.Set4 = -3;
    SetCommDataByDTMF(clamped, again);
    EXPECT_EQ(imageHex(again.CommData, 0x24C1082, 3), "00 14 00");
    EXPECT_EQ(imageHex(image.CommData, 0x24C1090, 4), "FF FF FF FF"); // empty Code16
    EXPECT_EQ(imageHex(image.CommData, 0x24C10A0, 16),
              "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(imageHex(image.CommData, 0x2500510, 4), "0A 01 FF FF");
    EXPECT_EQ(image.WriteBlockMap.count(1), 5u + 16u);

    Codeplug decoded = emptyCodeplug();
    GetDtmfFromCommData(image, decoded);
    EXPECT_EQ(settings(decoded.Dtmf), (std::vector<int>{14, 0xFF, 0, 20, 0, 7})); // 0xFF kept
    EXPECT_EQ(decoded.Dtmf.IdDigits, "12");
    EXPECT_EQ(decoded.Dtmf.Code17, dtmf.Code17);
    EXPECT_EQ(decoded.Dtmf.Codes[1], dtmf.Codes[1]);
    EXPECT_EQ(decoded.Dtmf.Code16, (DigitCode{"", 0}));
    // An erased settings block: Set0 0xFF gives 14, Set1 0x10 gives 10; Set2 of 5 is corrected
    // in the image too.
    image.CommData.fill(0x24C1080, 16, 0xFF);
    image.CommData.write(0x24C1081, 0x10);
    image.CommData.write(0x24C1082, 5);
    GetDtmfFromCommData(image, decoded);
    EXPECT_EQ(settings(decoded.Dtmf), (std::vector<int>{14, 10, 0, 0xFF, 0, 0xFF}));
    EXPECT_EQ(imageHex(image.CommData, 0x24C1082, 3), "00 FF 00");
    EXPECT_EQ(decoded.Dtmf.IdDigits, "");
    // A DTMF ID that is not decimal cannot be written.
    codeplug.Dtmf.IdDigits = "1A";
    CommImage failing;
    SetCommDataByDTMF(codeplug, failing);
    EXPECT_FALSE(failing.EncodeOK);
    EXPECT_EQ(failing.Messages, std::vector<std::string>{"SetCommDataByDTMFError"});
}

TEST(EncryptionCodec, CodesAreBigEndianPairs) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.EMG_Code[1] = EmgCodeRec{0x1234, 0xABCD};
    CommImage image;
    SetCommDataByEMG_Code(codeplug, image);
    EXPECT_EQ(imageHex(image.CommData, 0x24C1700, 4), "FF FF 12 34"); // entry 0 new: 65535
    EXPECT_EQ(imageHex(image.CommData, 0x24C1800 + 40 + 16, 2), "AB CD");
    EXPECT_EQ(image.WriteBlockMap.count(1), 4u + 0x50u);
    Codeplug decoded = emptyCodeplug();
    decoded.EMG_Code[1] = EmgCodeRec{};
    GetEmgCodeFromCommData(image, decoded);
    EXPECT_EQ(decoded.EMG_Code[1], codeplug.EMG_Code[1]);
    EXPECT_EQ(decoded.EMG_Code[0].Code, 65535);
}

TEST(KeyCodecs, AesKeysAreWriteOnlyAndArc4KeysPackTwoDigitsPerByte) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.AesKey[0] =
        AesKeyRec{7, 3, " 00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF ", 0x55};
    codeplug.AesKey[1] = AesKeyRec{0, 0, "ABCD", 0x66}; // not in use: written, bit left 0
    codeplug.Arc4Key[0] = Arc4KeyRec{0, 1, "0123456789"};
    codeplug.Arc4Key[1] = Arc4KeyRec{0, 2, "123456789"};
    CommImage image;
    SetAesKeyToCommData(codeplug, image);
    SetArc4KeyToCommData(codeplug, image);

    EXPECT_EQ(imageHex(image.CommData, 0x24C4000, 4), "03 00 11 22");
    EXPECT_EQ(imageHex(image.CommData, 0x24C4000 + 32, 3), "FF 00 55");
    EXPECT_EQ(imageHex(image.CommData, 0x24C4040, 3), "00 AB CD");
    EXPECT_EQ(image.CommData.read(0x24C4040 + 34), 0x66);
    EXPECT_EQ(image.CommData.read(0x24C9000), 0x01);
    EXPECT_EQ(imageHex(image.CommData, 0x24C8000, 6), "01 01 23 45 67 89");
    EXPECT_EQ(imageHex(image.CommData, 0x24C8010, 6), "02 12 34 56 78 09");
    EXPECT_EQ(image.CommData.read(0x24C9020), 0x03);
    EXPECT_EQ(image.WriteBlockMap.count(1), 0x400u + 2u + 0xFFu + 2u);

    Codeplug decoded = emptyCodeplug();
    GetEMG_CodeFromCommData(image, decoded);
    GetArc4KeyFromCommData(image, decoded);
    EXPECT_EQ(decoded.AesKey[0], (AesKeyRec{0, 3, "", 0x55}));
    EXPECT_EQ(decoded.Arc4Key[0], (Arc4KeyRec{0, 1, "0123456789"}));
    EXPECT_EQ(decoded.Arc4Key[1].Key, "1234567809"); // an odd key does not come back as it was
    // Written again after a read, without the keys re-entered: no key bytes.
    CommImage again;
    SetAesKeyToCommData(decoded, again);
    EXPECT_EQ(imageHex(again.CommData, 0x24C4000, 4), "03 00 00 00");

    codeplug.AesKey[5].Key = "XYZ";
    CommImage failing;
    SetAesKeyToCommData(codeplug, failing);
    EXPECT_EQ(failing.Messages, std::vector<std::string>{"SetCommDataByEMG_CodeError"});
}

} // namespace
} // namespace r605
