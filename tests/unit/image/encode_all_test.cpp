#include "codeplug_diff.h"
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "image/field_codecs.h"
#include "image_test_util.h"
#include "schema/sample_codeplug.h"
#include "text/codepage.h"
#include "text/trim.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::emptyCodeplug;
using test::imageHex;
using test::uhfRanges;

// What the radio's memory does not keep, applied to the codeplug that went in, so that it can be
// compared with the codeplug that comes out:
// - channel names are 8 bytes in the radio (the table holds 16);
// - receive group list names come back cut to 20 bytes;
// - a text read back has no trailing blanks (a cut can leave one at the end);
// - AES keys are never read back (their Flag0 neither); ARC4 Flag0 is not stored either;
// - a channel's ContactRaw is what the radio held: the contact itself;
// - the values without a place in the image (header, settings references, clock choice,
//   quick calls, the embedded-information and APRS records, alert tones, user tone set, the
//   zones' selected channels, the unnamed fields) stay as the table held them before the read.
void dropWhatTheImageDoesNotKeep(Codeplug& sent, const Codeplug& before) {
    for (ChannelRec& channel : sent.Channel) {
        if (channel.Used) // a cut before a blank loses the blank too
            channel.Name = TrimAtNull(cp936FitPrefix(channel.Name, 8));
        channel.ContactRaw = channel.Used ? channel.Contact : -1;
        channel.Unencoded4 = -1;
    }
    for (RxGroupRec& group : sent.RxGroup)
        group.Name = TrimAtNull(cp936FitPrefix(group.Name, 20));
    for (AesKeyRec& key : sent.AesKey) {
        key.Key.clear();
        key.Flag0 = 0;
    }
    for (Arc4KeyRec& key : sent.Arc4Key)
        key.Flag0 = 0;
    sent.Header = before.Header;
    const std::string password = sent.Settings.ProgramPassword;
    sent.Settings = before.Settings;
    sent.Settings.ProgramPassword = password;
    sent.QuickCall = before.QuickCall;
    sent.EmbeddedInfo = before.EmbeddedInfo;
    sent.Aprs = before.Aprs;
    sent.AlertTonePatterns = before.AlertTonePatterns;
    sent.UserToneSet = before.UserToneSet;
    for (std::size_t z = 0; z < kZoneCount; ++z) {
        sent.Zone[z].Selected1 = before.Zone[z].Selected1;
        sent.Zone[z].Selected2 = before.Zone[z].Selected2;
    }
}

TEST(EncodeAll, RandomFullCodeplugsComeBackThroughTheImage) {
    const BandRanges ranges = uhfRanges();
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        Codeplug sent = SampleFullCodeplug(0, ranges, seed);
        NormaliseForWrite(sent); // what a write does first
        CommImage image;
        SetCommDataAll(sent, image);
        ASSERT_TRUE(image.EncodeOK) << seed;
        EXPECT_TRUE(image.Messages.empty());

        const Codeplug before = NewCodeplug(0, ranges);
        Codeplug received = before;
        GetAllFromCommData(image, received);
        dropWhatTheImageDoesNotKeep(sent, before);
        EXPECT_EQ(test::codeplugDifference(received, sent), "") << seed;
    }
}

TEST(EncodeAll, ASparseContactTableComesBackAsItStandsOrCompactedByTheWritesEdit) {
    const BandRanges ranges = uhfRanges();
    Codeplug sent = SampleFullCodeplug(0, ranges, 7);
    for (std::size_t i = 0; i < kContactCount; ++i) {
        if (i % 3 != 1)
            sent.Contact[i].Used = 0;
    }
    const std::string firstName = sent.Contact[1].Name;
    const std::string secondName = sent.Contact[4].Name;
    const std::string lastName = sent.Contact[9997].Name;
    sent.Channel[0].Contact = 4; // entry 4 becomes entry 1
    auto decoded = [&ranges](const Codeplug& codeplug) {
        CommImage image;
        SetCommDataAll(codeplug, image);
        EXPECT_TRUE(image.EncodeOK);
        Codeplug received = NewCodeplug(0, ranges);
        GetAllFromCommData(image, received);
        return received;
    };
    // Encoded as it stands: every contact in its own slot, up to the last one.
    const Codeplug asItStands = decoded(sent);
    EXPECT_EQ(asItStands.Contact[4].Name, secondName);
    EXPECT_EQ(asItStands.Contact[9997].Name, lastName);
    EXPECT_EQ(asItStands.Contact[0].Used, 0);
    EXPECT_EQ(asItStands.Channel[0].Contact, 4);

    NormaliseForWrite(sent);
    EXPECT_EQ(sent.Contact[0].Name, firstName);
    EXPECT_EQ(sent.Contact[1].Name, secondName);
    EXPECT_EQ(sent.Channel[0].Contact, 1);
    const Codeplug received = decoded(sent);
    EXPECT_EQ(received.Contact[1].Name, secondName);
    EXPECT_EQ(received.Contact[3332].Used, 1); // 3333 contacts in use, now entries 0 .. 3332
    EXPECT_EQ(received.Contact[3333].Used, 0);
    EXPECT_EQ(received.Channel[0].Contact, 1);
}

TEST(EncodeAll, AFailingFamilyClearsEncodeOKAndTheOthersAreStillEncoded) {
    Codeplug codeplug = emptyCodeplug();
    for (const std::size_t n : {0, 1, 2})
        codeplug.Channel[n] = BuiltInDefaultChannel(uhfRanges());
    codeplug.Channel[1].RxFreq = 1234.5; // more than eight digits: the channels stop there
    codeplug.Person[0].Used = 1;
    codeplug.Person[0].Id = 100000000; // nine digits
    codeplug.Contact[0].Used = 1;
    codeplug.Contact[0].Name = "Still here";
    CommImage image;
    SetCommDataAll(codeplug, image);
    EXPECT_FALSE(image.EncodeOK);
    EXPECT_EQ(image.Messages,
              (std::vector<std::string>{"SetCommDataByChannelError", "SetCommDataByPersonError"}));
    EXPECT_EQ(GetText(image.CommData, address::ContactSlot(0) + 1, 16, 16), "Still here");
    EXPECT_EQ(imageHex(image.CommData, address::ChannelSlot(0), 2), "44 00"); // done before
    EXPECT_EQ(imageHex(image.CommData, address::ChannelSlot(2), 2), "00 00"); // never reached
    EXPECT_EQ(image.CommData.read(address::kZoneBitmap), 0);
    EXPECT_GT(image.WriteBlockMap.count(1), 0u);
    // The next encode-all starts again with EncodeOK set.
    codeplug.Channel[1].RxFreq = 438.5;
    codeplug.Person[0].Id = 1;
    CommImage second;
    SetCommDataAll(codeplug, second);
    EXPECT_TRUE(second.EncodeOK);
    EXPECT_TRUE(second.Messages.empty());
}

TEST(EncodeAll, TheModelSwitchAtZeroEncodesAndDecodesNothing) {
    Codeplug codeplug = SampleFullCodeplug(0, uhfRanges(), 4);
    CommImage image;
    image.ModelSwitch = 0;
    SetCommDataAll(codeplug, image);
    EXPECT_TRUE(image.CommData.allocatedPages().empty());
    EXPECT_EQ(image.WriteBlockMap.count(1), 0u);

    CommImage full;
    SetCommDataAll(codeplug, full);
    full.ModelSwitch = 0;
    Codeplug untouched = emptyCodeplug();
    const Codeplug copy = untouched;
    GetAllFromCommData(full, untouched);
    EXPECT_EQ(untouched, copy);
}

TEST(EncodeAll, TestModeMarksChangedFamiliesInTheTestBlockMap) {
    Codeplug codeplug = emptyCodeplug();
    codeplug.Channel[0] = BuiltInDefaultChannel(uhfRanges());
    codeplug.Person[0].Used = 1;
    CommImage image;
    image.MarkAllFamilies = false;
    image.MarkChangedOnly = true;
    image.Changed.Channel = 1;
    SetCommDataAll(codeplug, image);
    EXPECT_EQ(image.WriteBlockMap.count(1), 0u);
    EXPECT_EQ(image.TestBlockMap.get(0x800000 / 16), 1);  // changed: channel slot marked
    EXPECT_EQ(image.TestBlockMap.get(0x2580000 / 16), 0); // unchanged radio IDs: slot not
    EXPECT_EQ(image.TestBlockMap.get(0x24C1080 / 16), 0); // unchanged DTMF
    EXPECT_EQ(image.TestBlockMap.get(0x24C4000 / 16), 1); // AES keys are always marked
    image.ClearCommData();
    EXPECT_EQ(image.TestBlockMap.count(1), 0u);
}

} // namespace
} // namespace r605
