#include "image/address_map.h"
#include "image/family_codecs.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
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
        "Channel": [{"Number": 5, "RxFreq": 440.1, "Name": "Relay"}]})");
    ASSERT_TRUE(read.ok()) << read.error().text;
    const Codeplug fresh = NewCodeplug(0, uhf());
    EXPECT_EQ(read->Channel[0].Used, 0); // the Channel table lists channel 5 only
    EXPECT_EQ(read->Channel[4].Used, 1);
    EXPECT_EQ(read->Channel[4].Number, 5);
    EXPECT_EQ(read->Channel[4].RxFreq, 440.1);
    EXPECT_EQ(read->Channel[4].Name, "Relay");
    EXPECT_EQ(read->Channel[4].ContactRaw, -1);
    EXPECT_EQ(read->Contact, fresh.Contact); // no Contact table: the new codeplug's
    EXPECT_EQ(read->Dtmf, fresh.Dtmf);
}

std::string withChannel(const std::string& fields) {
    return R"({"format": "r605-codeplug", "version": 1, "header": {"BandCode": 0},
        "Channel": [{"Number": 7, "RxFreq": 440.0)" +
           fields + "}]}";
}

std::vector<std::string> texts(const std::vector<Error>& errors) {
    std::vector<std::string> result;
    for (const Error& error : errors)
        result.push_back(error.text);
    return result;
}

// A radio holds values no editor would enter: JSON keeps them, with a warning for each.
TEST(CodeplugJson, ADecodedRadioImageSurvivesJsonWithWhatTheEditorsWouldNotEnter) {
    Codeplug sent = SampleFullCodeplug(0, uhf(), 12);
    sent.Channel[0].Used = 1;
    sent.Channel[0].RxFreq = 440.00001; // off the 50 Hz raster
    sent.Channel[0].OffsetDir = 0;
    CommImage image;
    SetCommDataAll(sent, image);
    const std::uint32_t slot = address::ChannelSlot(0);
    image.CommData.write(slot + 11, 96);  // receive CTCSS index
    image.CommData.write(slot + 24, 250); // radio ID beyond the table
    image.CommData.write(slot + 28, 252); // receive group list beyond the table
    image.CommData.write(slot + 35, 16);  // scan list beyond the 16
    Codeplug received = NewCodeplug(0, uhf());
    ASSERT_TRUE(GetAllFromCommData(image, received).empty());

    std::vector<Error> warnings;
    const auto read = CodeplugFromJson(CodeplugToJson(received), nullptr, &warnings);
    ASSERT_TRUE(read.ok()) << read.error().text;
    EXPECT_TRUE(*read == received);
    EXPECT_EQ(texts(warnings),
              (std::vector<std::string>{
                  "Channel 1, RxFreq: 440.00001 MHz is off the 50 Hz raster; kept as it is",
                  "Channel 1, RxCtcss: 96 is outside the editors' range 0 .. 51; kept as it is",
                  "Channel 1, RadioId: 250 is outside the editors' range -1 .. 249; kept as it is",
                  "Channel 1, RxGroup: 253 is outside the editors' range 0 .. 250; kept as it is",
                  "Channel 1, ScanLists: 16 is no scan list (0 to 15, 255 none); kept as it is"}));
}

TEST(CodeplugJson, KeepsValuesTheFieldsStoreWithAWarningNamingTableRecordAndField) {
    const auto expectWarning = [](const std::string& text, const std::string& message) {
        std::vector<Error> warnings;
        const auto read = CodeplugFromJson(text, nullptr, &warnings);
        ASSERT_TRUE(read.ok()) << read.error().text;
        EXPECT_EQ(texts(warnings), std::vector<std::string>{message + "; kept as it is"}) << text;
        // What the fields store, the radio stores too.
        Codeplug codeplug = *read;
        CommImage image;
        SetCommDataAll(codeplug, image);
        EXPECT_TRUE(image.EncodeOK) << text;
    };
    const auto channelWarning = [&](const std::string& fields, const std::string& message) {
        expectWarning(withChannel(std::string(", ").append(fields)),
                      std::string("Channel 7, ").append(message));
    };
    channelWarning(R"("Contact": 10000)", "Contact: 10000 is outside the editors' range 0 .. 9999");
    channelWarning(R"("TxCtcss": -3)", "TxCtcss: -3 is outside the editors' range 0 .. 51");
    channelWarning(R"("RxFreq": 500.0)", "RxFreq: 500 MHz is outside the band");
    channelWarning(R"("OffsetDir": 1, "Offset": 45)",
                   "Offset: the transmit frequency 485 MHz is outside the band");
    channelWarning(R"("OffsetDir": 3)", "OffsetDir: 3 is outside the editors' range 0 .. 2");
    const std::string start = R"({"format": "r605-codeplug", "version": 1, )";
    expectWarning(start + R"("Zone": [{"Number": 1, "Count": 1, "Members": [3]}]})",
                  "Zone 1, Members: member 1 (3) is no channel in use");
    expectWarning(start + R"("RxGroup": [{"Number": 2, "Count": 1, "Members": [10000]}]})",
                  "RxGroup 2, Members: member 1 (10000) is no contact entry (0 to 9999)");
    expectWarning(start + R"("ScanList": [{"Number": 3, "Count": 1, "Members": [0],
                "MemberZones": [16]}]})",
                  "ScanList 3, MemberZones: member 1: 16 is no zone (0 to 15, -1 none)");
    expectWarning(start + R"("RoamZone": [{"Number": 1, "Count": 1, "Members": [250]}]})",
                  "RoamZone 1, Members: member 1 (250) is no roaming channel entry (0 to 249)");
    expectWarning(start + R"("Dtmf": {"Code18": {"Digits": "123", "Count": 2}}})",
                  "Dtmf, Code18.Count: Count 2 differs from the 3 digits");
    expectWarning(start + R"("Settings": {"ProgramPassword": "1 2"}})",
                  "Settings, ProgramPassword: the editors allow letters, digits and signs only");
}

TEST(CodeplugJson, RefusesBadValuesNamingTableRecordAndField) {
    const auto expectError = [](const std::string& text, const std::string& message) {
        const auto read = CodeplugFromJson(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error().text, message) << text;
    };
    const auto channelError = [&](const std::string& fields, const std::string& message) {
        expectError(withChannel(std::string(", ").append(fields)),
                    std::string("Channel 7, ").append(message));
    };
    // Values their fields cannot store: they would spill into a neighbouring bit field, or
    // leave their member type, the image's eight digits or their member list.
    channelError(R"("ChType": 4)", "ChType: 4 is outside 0 .. 3");
    channelError(R"("OptSignal": 16)", "OptSignal: 16 is outside 0 .. 15");
    channelError(R"("Flag9_4": 2)", "Flag9_4: 2 is outside 0 .. 1");
    channelError(R"("Byte52": 256)", "Byte52: 256 is outside 0 .. 255");
    channelError(R"("RadioId": 40000)", "RadioId: 40000 is outside -32768 .. 32767");
    channelError(R"("RxFreq": 1000)", "RxFreq: 1000 is outside 0 .. 999.99999");
    channelError(R"("ChType": 1.5)", "ChType: expected a whole number");
    // Regression: a number too long for the fixed-point form gave an empty text, then read.
    channelError(R"("ChType": 1e92)", "ChType: 1e+92 is outside 0 .. 3");
    // Texts.
    channelError(R"("Name": "Seventeen chars!!")", "Name: the text takes 17 bytes, at most 16 fit");
    channelError(R"("Name": "中文中文中文中文中")",
                 "Name: the text takes 18 bytes, at most 16 fit");
    channelError(R"("Name": "😀")", "Name: the text holds characters the radio cannot show");
    channelError(R"("Name": 5)", "Name: expected a text");
    expectError(withChannel(R"(, "Nmae": "x")"), "Channel 7: unknown field \"Nmae\"");
    channelError(R"("Used": 0)", "Used: a listed record is in use (1)");

    const std::string start = R"({"format": "r605-codeplug", "version": 1, )";
    expectError(start + R"("Zone": [{"Number": 1, "Count": 17}]})",
                "Zone 1, Count: 17 is outside 0 .. 16");
    expectError(start + R"("Person": [{"Number": 1, "Id": 100000000}]})",
                "Person 1, Id: 100000000 is outside 0 .. 99999999");
    expectError(start + R"("Dtmf": {"Codes": [{"Digits": "12G", "Count": 3}]}})",
                "Dtmf, Codes[0].Digits: only hexadecimal digits are allowed");
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
