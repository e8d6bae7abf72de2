// The read and write jobs against a scripted radio: what they send, what they do to the document,
// and what they tell the user.
#include "document/codeplug_files.h"
#include "image/address_map.h"
#include "image/family_codecs.h"
#include "link/frames.h"
#include "schema/new_codeplug.h"
#include "scripted_radio.h"
#include "test_support.h"
#include "transfer/boot_image_jobs.h"
#include "transfer/codeplug_jobs.h"
#include "transfer/codeplug_transfer.h"

#include <gtest/gtest.h>

namespace r605 {
namespace {

using test::Bytes;
using test::JobRun;
using test::ScriptedRadio;

std::vector<int> keysOf(const std::vector<Error>& errors) {
    std::vector<int> keys;
    for (const Error& error : errors)
        keys.push_back(error.key ? error.key->number : -1);
    return keys;
}

// A codeplug the content checks accept: a radio ID, a zone over channel 1, and two contacts with
// a gap between them (entries 0 and 5), channel 1 calling the second; a DTMF setting the radio
// does not take.
Codeplug smallCodeplug() {
    Codeplug codeplug = NewCodeplug(0).value();
    codeplug.Person[0] = PersonRec{1, 1, 1234567, 0, "Base"};
    codeplug.Zone[0] = ZoneRec{1, 1, 1, {0}, 0, 0, "Zone"};
    for (const std::size_t entry : {0, 5}) {
        ContactRec& contact = codeplug.Contact[entry];
        contact.Used = 1;
        contact.Id = 100 + static_cast<std::int32_t>(entry);
        contact.Name = "Contact " + std::to_string(entry);
    }
    codeplug.Channel[0].Contact = 5;
    codeplug.Dtmf.Set0 = 3;
    return codeplug;
}

// What a radio holding `codeplug` has in its memory: the blocks a write of it would send.
MemoryImage radioHolding(Codeplug codeplug) {
    NormaliseForWrite(codeplug);
    CommImage image;
    SetCommDataAll(codeplug, image);
    MemoryImage radio;
    std::array<std::uint8_t, 16> block{};
    for (const std::uint32_t address : WrittenBlocks(image.WriteBlockMap)) {
        image.CommData.read(address, block);
        radio.write(address, block);
    }
    return radio;
}

TEST(WriteJob, BackupWriteAndVerifyThatFindsADifferingBlockNamesIt) {
    test::TempDir folder;
    // The radio holds a codeplug of its own, with a password the user gives.
    Codeplug radioCodeplug = smallCodeplug();
    radioCodeplug.Person[0].Name = "Radio";
    ScriptedRadio radio;
    radio.image = radioHolding(radioCodeplug);
    radio.setPassword("7788");

    Document document(smallCodeplug());
    CodeplugWriteOptions options;
    options.enteredPassword = "7788";
    options.verify = true;
    options.backupFile = folder / "backup.json";
    CodeplugWriteJob job(document, options);
    EXPECT_EQ(job.kind(), OperationKind::ReadCodeplug); // the port is opened for the backup
    JobRun run(job, radio);
    // The radio's cell in channel 1's first block keeps 0xEE whatever is written to it.
    constexpr std::uint32_t kStuck = 0x00800000;
    run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = radio.reply(frame.bytes);
        if (frame.bytes[0] == kBlockWrite)
            radio.image.write(kStuck + 3, 0xEE);
        return reply;
    };
    const FinishedAction finished = run.run();

    EXPECT_FALSE(finished.success);
    EXPECT_TRUE(job.backupSaved());
    ASSERT_EQ(keysOf(finished.messages), (std::vector<int>{2005, 2010}));
    EXPECT_EQ(finished.messages[1].text, "00800000");
    EXPECT_EQ(job.differingBlocks(), std::vector<std::uint32_t>{kStuck});
    EXPECT_EQ(run.passwordQuestions, 0);
    // Three runs on the one open port: the backup read, the write, the read-back; the port
    // closes once, at the end.
    EXPECT_EQ(run.countSent('P', 7), 3u);
    EXPECT_EQ(run.countSent('E', 3), 3u);
    EXPECT_EQ(run.portCloses, 1);
    EXPECT_EQ(radio.writes, job.writtenBlocks().size());
    // The backup holds what the radio held before the write.
    const auto backup = LoadCodeplug(folder / "backup.json");
    ASSERT_TRUE(backup.ok()) << backup.error().text;
    EXPECT_EQ(backup->codeplug.Person[0].Name, "Radio");
    EXPECT_EQ(backup->codeplug.Contact[1].Name, "Contact 5");
    // A backup that cannot be made leaves the radio as it was.
    ScriptedRadio untouched;
    untouched.image = radioHolding(radioCodeplug);
    Document second(smallCodeplug());
    CodeplugWriteOptions nowhere;
    nowhere.backupFile = folder / "missing" / "backup.rdt";
    CodeplugWriteJob refused(second, nowhere);
    JobRun refusedRun(refused, untouched);
    const FinishedAction failed = refusedRun.run();
    EXPECT_FALSE(failed.success);
    EXPECT_EQ(keysOf(failed.messages), (std::vector<int>{99129, 2007}));
    EXPECT_EQ(untouched.writes, 0u);
    EXPECT_EQ(refusedRun.portCloses, 1);
}

TEST(WriteJob, TheNormalisationIsOneUndoableEditAndWhatWasSentIsWhatTheDocumentHolds) {
    const Codeplug original = smallCodeplug();
    Document document(original);
    std::vector<EditKind> heard;
    document.addObserver([&heard](const DocumentChange& change) {
        if (!change.changes.empty())
            heard.push_back(change.changes.kind());
    });
    ScriptedRadio radio;
    CodeplugWriteJob job(document, {});
    JobRun run(job, radio);
    const FinishedAction finished = run.run();
    ASSERT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<int>{2005});

    const ChangeSet& edit = job.normalisation();
    EXPECT_EQ(edit.kind(), EditKind::CompactContacts);
    EXPECT_EQ(heard, std::vector<EditKind>{EditKind::CompactContacts});
    EXPECT_EQ(edit.entries(Family::Contact), (std::vector<std::size_t>{1, 5}));
    EXPECT_EQ(edit.entries(Family::Channel), std::vector<std::size_t>{0});
    EXPECT_TRUE(edit.touches(Family::Dtmf));
    // What the edit changed, in the document and, as it now stands, in the radio.
    const auto changed = [](const Codeplug& c) {
        return std::tuple(c.Contact[1].Name, c.Channel[0].Contact, c.Dtmf.Set0);
    };
    EXPECT_EQ(changed(document.codeplug()), std::tuple("Contact 5", 1, 14));
    CommImage sent;
    sent.CommData = radio.image;
    auto back = DecodeReadCodeplug(sent, 0, NewCodeplug(0).value());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(changed(*back), changed(document.codeplug()));

    document.undo(edit);
    EXPECT_TRUE(document.codeplug() == original);
    // A codeplug the content checks refuse sends nothing.
    Codeplug empty = original;
    for (ContactRec& contact : empty.Contact)
        contact.Used = 0;
    Document refusedDocument(empty);
    ScriptedRadio silent;
    CodeplugWriteJob refused(refusedDocument, {});
    JobRun refusedRun(refused, silent);
    EXPECT_EQ(keysOf(refusedRun.run().messages), (std::vector<int>{99125, 12005}));
    EXPECT_TRUE(refusedRun.sent.empty());
}

class StepLines : public LinkRecorder {
public:
    std::vector<std::string> steps;
    void step(std::string_view caption) override { steps.emplace_back(caption); }
    void frameSent(std::span<const std::uint8_t>) override {}
    void replyReceived(std::span<const std::uint8_t>) override {}
};

TEST(ReadJob, WaitsForTheAnswerAndAdoptsTheReadOnlyWhenItSucceeded) {
    ScriptedRadio radio;
    radio.image = radioHolding(smallCodeplug());
    radio.setPassword("4711");
    // A damaged contact record: left out, and named.
    radio.image.write(address::ContactSlot(1) + 36, 0xC5);

    Document document;
    const Codeplug before = document.codeplug();
    StepLines recorder;
    CodeplugReadJob job(document, {"", ReadBase::NewCodeplug}, &recorder);
    JobRun run(job, radio);
    run.answerPassword = [&](const std::string&) -> std::optional<std::string> {
        // Until the user answers, the job sends nothing and takes nothing.
        EXPECT_TRUE(job.waitingForUser());
        EXPECT_TRUE(job.timeoutExpired().empty());
        EXPECT_TRUE(job.bytesReceived(Bytes{0x06}).empty());
        EXPECT_TRUE(job.retryAnswered(true).empty()); // not the question asked
        EXPECT_TRUE(document.codeplug() == before);
        return "4711";
    };
    const FinishedAction finished = run.run();
    ASSERT_TRUE(finished.success);
    EXPECT_EQ(keysOf(finished.messages), std::vector<int>{2004});
    EXPECT_EQ(run.passwordQuestions, 1);
    EXPECT_EQ(document.codeplug().Person[0].Name, "Base");
    EXPECT_EQ(document.codeplug().Contact[0].Name, "Contact 0");
    EXPECT_EQ(document.codeplug().Contact[1].Used, 0);
    EXPECT_TRUE(document.isNewFile());
    EXPECT_FALSE(document.hasUnsavedChanges());
    ASSERT_EQ(job.decodeWarnings().size(), 1u);
    EXPECT_EQ(job.decodeWarnings()[0].text.rfind("Contact 2 left out", 0), 0u);
    EXPECT_EQ(recorder.steps.back(), job.decodeWarnings()[0].text);
    // Refused at the password: the document stays as it was.
    Document untouched;
    CodeplugReadJob refused(untouched, {}, nullptr);
    JobRun refusedRun(refused, radio);
    EXPECT_EQ(keysOf(refusedRun.run().messages), std::vector<int>{2006});
    EXPECT_TRUE(untouched.codeplug() == before);
}

TEST(BootImageWriteJob, TheReadBackNamesABlockTheRadioDoesNotHold) {
    BootImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    // The radio's cell at offset 1000 (block 0x42C03E0) always reads 0xEE.
    const auto writeTo = [&image](bool verify) {
        ScriptedRadio radio;
        BootImageWriteJob job(image, verify, "");
        JobRun run(job, radio);
        run.respond = [&](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
            Bytes reply = radio.reply(frame.bytes);
            radio.image.write(kBootImageAddress + 1000, 0xEE);
            return reply;
        };
        const FinishedAction finished = run.run();
        EXPECT_TRUE(job.written());
        EXPECT_EQ(radio.writes, 2560u);
        return std::make_tuple(finished, job.differingBlocks());
    };
    const auto [verified, differing] = writeTo(true);
    EXPECT_FALSE(verified.success);
    ASSERT_EQ(keysOf(verified.messages), (std::vector<int>{2005, 2010}));
    EXPECT_EQ(verified.messages[1].text, "042C03E0");
    EXPECT_EQ(differing, std::vector<std::uint32_t>{kBootImageAddress + 0x3E0});
    // Without the read-back the same write reports its success: only the read-back can tell.
    EXPECT_TRUE(std::get<0>(writeTo(false)).success);
}

} // namespace
} // namespace r605
