// JSON carries everything a codeplug file holds: records not in use of the tables a file holds
// whole, texts with NUL characters, and the file's language tag.
#include "model/embedded_info_defaults.h"
#include "schema/new_codeplug.h"
#include "json/codeplug_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace r605 {
namespace {

TEST(CodeplugJsonFileContents, RecordsNotInUseThatFilesHoldAreListed) {
    Codeplug codeplug = NewCodeplug(0, bandRangesForCode(0).value());
    codeplug.RoamChannel[0].Used = 0; // deleted, its data still there
    codeplug.RoamChannel[0].Name = "Renamed";
    codeplug.RoamChannel[1].Used = 0; // as reading leaves it: not listed
    codeplug.RoamChannel[6].Name = "Old";
    codeplug.RoamChannel[6].RxFreq = 0.5; // outside the band, but not in use
    codeplug.AesKey[3].Key = "ABCD";      // KeyId 0: not in use
    codeplug.RecordingIndex[10].Blocks = 3;
    codeplug.Channel[40].Name = "Unused"; // a file does not hold unused channels
    SetEmbeddedInfoDefaults(codeplug.EmbeddedInfo, CalendarDate{2024, 1, 2}, "2024-01-02");

    const std::string text = CodeplugToJson(codeplug, "English");
    const nlohmann::json json = nlohmann::json::parse(text);
    EXPECT_EQ(json["languageTag"], "English");
    ASSERT_EQ(json["RoamChannel"].size(), 2u);
    EXPECT_EQ(json["RoamChannel"][0]["Used"], 0);
    EXPECT_EQ(json["RoamChannel"][1]["Number"], 7);
    ASSERT_EQ(json["AesKey"].size(), 1u);
    EXPECT_EQ(json["AesKey"][0]["KeyId"], 0);
    ASSERT_EQ(json["RecordingIndex"].size(), 1u);
    EXPECT_EQ(json["RecordingIndex"][0]["Number"], 11);
    EXPECT_EQ(json["Channel"].size(), 2u);
    EXPECT_EQ(json["EmbeddedInfo"]["Description"], std::string(1, '\0'));

    std::string tag;
    const auto read = CodeplugFromJson(text, &tag);
    ASSERT_TRUE(read.ok()) << read.error().text;
    EXPECT_EQ(tag, "English");
    EXPECT_EQ(read->RoamChannel[0], codeplug.RoamChannel[0]);
    EXPECT_EQ(read->RoamChannel[6], codeplug.RoamChannel[6]);
    EXPECT_EQ(read->AesKey[3], codeplug.AesKey[3]);
    EXPECT_EQ(read->RecordingIndex[10], codeplug.RecordingIndex[10]);
    EXPECT_EQ(read->EmbeddedInfo, codeplug.EmbeddedInfo);
    EXPECT_EQ(CodeplugToJson(*read, "English"), text);
    // Without a tag none is written or given.
    EXPECT_EQ(nlohmann::json::parse(CodeplugToJson(codeplug)).count("languageTag"), 0u);
    ASSERT_TRUE(CodeplugFromJson(CodeplugToJson(codeplug), &tag).ok());
    EXPECT_TRUE(tag.empty());
}

TEST(CodeplugJsonFileContents, OnlyHeldTablesListRecordsNotInUse) {
    const std::string start = R"({"format": "r605-codeplug", "version": 1, )";
    // A table a file does not hold whole refuses a record not in use: CodeplugJson.Refuses-
    // BadValuesNamingTableRecordAndField. A held record in use still has its frequency checked;
    // one not in use does not.
    std::vector<Error> warnings;
    auto read = CodeplugFromJson(start + R"("RoamChannel": [{"Number": 2, "RxFreq": 0.5}]})",
                                 nullptr, &warnings);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text,
              "RoamChannel 2, RxFreq: 0.5 MHz is outside the band; kept as it is");
    read = CodeplugFromJson(start + R"("RoamChannel": [{"Number": 2, "Used": 0, "RxFreq": 0.5}]})",
                            nullptr, &warnings);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(warnings.empty());

    read = CodeplugFromJson(start + R"("languageTag": "Deutsch"})");
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().text, "languageTag: must be \"English\" or \"GBK\"");
}

} // namespace
} // namespace r605
