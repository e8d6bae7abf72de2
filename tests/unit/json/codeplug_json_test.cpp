#include "image/family_codecs.h"
#include "model/new_codeplug.h"
#include "model/sample_codeplug.h"
#include "json/codeplug_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace r605 {
namespace {

BandRanges uhf() {
    return bandRangesForCode(0).value();
}

TEST(CodeplugJson, AFullCodeplugComesBackUnchanged) {
    const Codeplug codeplug = SampleFullCodeplug(0, uhf(), 11);
    const std::string text = CodeplugToJson(codeplug);
    const auto read = CodeplugFromJson(text);
    ASSERT_TRUE(read.ok()) << read.error().text;
    EXPECT_TRUE(*read == codeplug);
    EXPECT_EQ(CodeplugToJson(*read), text);

    // One record per line, fields by their record names.
    EXPECT_NE(text.find("\n{\"Number\":1,\"Used\":1,\"RxFreq\":"), std::string::npos);
    EXPECT_NE(text.find("\"EMG_Code\": [\n{\"Number\":1,\"Code\":"), std::string::npos);
}

TEST(CodeplugJson, ListsOnlyRecordsInUseAndLeavesTheRestAtNewCodeplugValues) {
    Codeplug codeplug = NewCodeplug(32, bandRangesForCode(32).value());
    codeplug.Channel[1].Used = 0;
    codeplug.Contact[0].Used = 0;
    codeplug.Contact[41].Used = 1;
    codeplug.Contact[41].Name = "联系人";
    codeplug.Contact[41].Id = 4600001;
    codeplug.AesKey[3].KeyId = 9;
    codeplug.AesKey[3].Key = "00FF";
    codeplug.Settings.ProgramPassword = "9876";
    const std::string text = CodeplugToJson(codeplug);
    const nlohmann::json json = nlohmann::json::parse(text);
    EXPECT_EQ(json["header"]["BandCode"], 32);
    EXPECT_EQ(json["Channel"].size(), 1u);
    ASSERT_EQ(json["Contact"].size(), 1u);
    EXPECT_EQ(json["Contact"][0]["Number"], 42);
    EXPECT_EQ(json["Contact"][0]["Name"], "联系人");
    EXPECT_EQ(json["AesKey"].size(), 1u);
    EXPECT_EQ(json["AesKey"][0]["Number"], 4);
    EXPECT_EQ(json["EMG_Code"].size(), 32u);
    EXPECT_EQ(json["RoamChannel"][0]["RxFreq"], 155.0);

    const auto read = CodeplugFromJson(text);
    ASSERT_TRUE(read.ok()) << read.error().text;
    EXPECT_TRUE(*read == codeplug);
}

TEST(CodeplugJson, FieldsRecordsAndTablesLeftOutTakeNewCodeplugValues) {
    const auto read = CodeplugFromJson(R"({"format": "r605-codeplug", "version": 1,
        "header": {"BandCode": 0},
        "Channel": [{"Number": 5, "RxFreq": 440.10001, "Name": "Relay"}]})");
    ASSERT_TRUE(read.ok()) << read.error().text;
    const Codeplug fresh = NewCodeplug(0, uhf());
    EXPECT_EQ(read->Channel[0].Used, 0); // the Channel table lists channel 5 only
    EXPECT_EQ(read->Channel[4].Used, 1);
    EXPECT_EQ(read->Channel[4].Number, 5);
    EXPECT_EQ(read->Channel[4].RxFreq, 440.1); // on the 50 Hz raster, as the editor puts it
    EXPECT_EQ(read->Channel[4].Name, "Relay");
    EXPECT_EQ(read->Channel[4].ContactRaw, -1);
    EXPECT_EQ(read->Contact, fresh.Contact); // no Contact table: the new codeplug's
    EXPECT_EQ(read->Dtmf, fresh.Dtmf);
}

TEST(CodeplugJson, ADecodedRadioImageSurvivesJson) {
    Codeplug sent = SampleFullCodeplug(0, uhf(), 12);
    CommImage image;
    SetCommDataAll(sent, image);
    Codeplug received = NewCodeplug(0, uhf());
    GetAllFromCommData(image, received);
    const auto read = CodeplugFromJson(CodeplugToJson(received));
    ASSERT_TRUE(read.ok()) << read.error().text;
    EXPECT_TRUE(*read == received);
}

std::string withChannel(const std::string& fields) {
    return R"({"format": "r605-codeplug", "version": 1, "header": {"BandCode": 0},
        "Channel": [{"Number": 7, "RxFreq": 440.0)" +
           fields + "}]}";
}

TEST(CodeplugJson, RefusesBadValuesNamingTableRecordAndField) {
    const auto expectError = [](const std::string& text, const std::string& message) {
        const auto read = CodeplugFromJson(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error().text, message) << text;
    };
    // Values that would spill into a neighbouring bit field, or leave their table.
    expectError(withChannel(R"(, "ChType": 4)"), "Channel 7, ChType: 4 is outside 0 .. 3");
    expectError(withChannel(R"(, "OptSignal": 16)"), "Channel 7, OptSignal: 16 is outside 0 .. 15");
    expectError(withChannel(R"(, "Flag9_4": 2)"), "Channel 7, Flag9_4: 2 is outside 0 .. 1");
    expectError(withChannel(R"(, "Contact": 10000)"),
                "Channel 7, Contact: 10000 is outside 0 .. 9999");
    expectError(withChannel(R"(, "RxGroup": 251)"), "Channel 7, RxGroup: 251 is outside 0 .. 250");
    expectError(withChannel(R"(, "Byte52": 256)"), "Channel 7, Byte52: 256 is outside 0 .. 255");
    expectError(withChannel(R"(, "ChType": 1.5)"), "Channel 7, ChType: expected a whole number");
    expectError(withChannel(R"(, "ScanLists": [3, 16])"),
                "Channel 7, ScanLists: 16 is no scan list (0 to 15, 255 none)");
    // Frequencies go through the band check without a fallback.
    expectError(withChannel(R"(, "RxFreq": 500.0)"),
                "Channel 7, RxFreq: 500 MHz is outside the band");
    expectError(withChannel(R"(, "OffsetDir": 1, "Offset": 45)"),
                "Channel 7, Offset: the transmit frequency 485 MHz is outside the band");
    // Texts.
    expectError(withChannel(R"(, "Name": "Seventeen chars!!")"),
                "Channel 7, Name: the text takes 17 bytes, at most 16 fit");
    expectError(withChannel(R"(, "Name": "中文中文中文中文中")"),
                "Channel 7, Name: the text takes 18 bytes, at most 16 fit");
    expectError(withChannel(R"(, "Name": "😀")"),
                "Channel 7, Name: the text holds characters the radio cannot show");
    expectError(withChannel(R"(, "Name": 5)"), "Channel 7, Name: expected a text");
    expectError(withChannel(R"(, "Nmae": "x")"), "Channel 7: unknown field \"Nmae\"");
    expectError(withChannel(R"(, "Used": 0)"), "Channel 7, Used: a listed record is in use (1)");

    const std::string start = R"({"format": "r605-codeplug", "version": 1, )";
    expectError(start + R"("Zone": [{"Number": 1, "Count": 1, "Members": [3]}]})",
                "Zone 1, Members: member 1 (3) is no channel in use");
    expectError(start + R"("RxGroup": [{"Number": 2, "Count": 1, "Members": [10000]}]})",
                "RxGroup 2, Members: member 1 (10000) is no contact entry (0 to 9999)");
    expectError(start + R"("ScanList": [{"Number": 3, "Count": 1, "Members": [0],
                "MemberZones": [16]}]})",
                "ScanList 3, MemberZones: member 1: 16 is no zone (0 to 15, -1 none)");
    expectError(start + R"("RoamZone": [{"Number": 1, "Count": 1, "Members": [250]}]})",
                "RoamZone 1, Members: member 1 (250) is no roaming channel entry (0 to 249)");
    expectError(start + R"("Dtmf": {"Codes": [{"Digits": "12G", "Count": 3}]}})",
                "Dtmf, Codes[0].Digits: only hexadecimal digits are allowed");
    expectError(start + R"("Dtmf": {"Code18": {"Digits": "123", "Count": 2}}})",
                "Dtmf, Code18.Count: Count 2 differs from the 3 digits");
    expectError(start + R"("Dtmf": {"IdDigits": "1234"}})",
                "Dtmf, IdDigits: the text takes 4 bytes, at most 3 fit");
    expectError(start + R"("AesKey": [{"Number": 1, "KeyId": 256}]})",
                "AesKey 1, KeyId: 256 is outside 0 .. 255");
    expectError(start + R"("Arc4Key": [{"Number": 255, "KeyId": 1, "Key": "0123456789A"}]})",
                "Arc4Key 255, Key: the text takes 11 bytes, at most 10 fit");
    expectError(start + R"("Contact": [{"Number": 10001}]})",
                "Contact: \"Number\" must be 1 to 10000");
    expectError(start + R"("Contact": [{"Number": 3}, {"Number": 3}]})",
                "Contact 3: the record is listed twice");
    expectError(start + R"("Contact": [{"Name": "x"}]})",
                "Contact: every record needs its \"Number\"");
    expectError(start + R"("Alarm": {"Area24C1400": "00"}})",
                "Alarm, Area24C1400: expected 64 hexadecimal digits");
    expectError(start + R"("Settings": {"ProgramPassword": "1 2"}})",
                "Settings, ProgramPassword: the password takes letters, digits and signs only");
    expectError(start + R"("header": {"BandCode": 12}})",
                "header, BandCode: no band has the code 12");
    expectError(start + R"("Channels": []})", "unknown member \"Channels\"");
    expectError(start + R"("UserToneSet": [{"Number": 1}]})",
                "UserToneSet: expected a whole number");
    expectError(start + R"("Contact": [5]})", "Contact: every record needs its \"Number\"");
    expectError(start + R"("Contact": {"Number": 5}})", "Contact: expected an array of records");
    expectError(R"({"format": "r605-codeplug", "version": 2})",
                "unsupported codeplug JSON version (1 is known)");
    expectError(R"({"version": 1})", "not a codeplug: \"format\" must be \"r605-codeplug\"");
    // Regression: a number too large for a double escaped as an exception.
    const auto huge = CodeplugFromJson(R"({"format": "r605-codeplug", "UserToneSet": [2E830]})");
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error().text.rfind("not JSON: ", 0), 0u);
    const auto broken = CodeplugFromJson("{\"format\": ");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().text.rfind("not JSON: ", 0), 0u);
}

} // namespace
} // namespace r605
