#include "image/comm_image.h"
#include "image/family_codecs.h"
#include "link/comm_recorder.h"
#include "link/pass_plan.h"
#include "pty_radio.h"
#include "schema/new_codeplug.h"
#include "schema/sample_codeplug.h"
#include "scripted_link_prompt.h"
#include "serial_link_driver.h"
#include "serial_low_latency.h"
#include "serial_port_list.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "simulator_image.h"
#include "test_support.h"
#include "transfer/codeplug_jobs.h"
#include "transfer/codeplug_transfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace r605 {
namespace {

using test::ensureApplication;
using ScriptedPrompt = test::ScriptedLinkPrompt;

// Counts the frames a job sends.
class FrameCounter : public LinkRecorder {
public:
    std::size_t frames = 0;
    void step(std::string_view) override {}
    void frameSent(std::span<const std::uint8_t>) override { ++frames; }
    void replyReceived(std::span<const std::uint8_t>) override {}
};

// Lets the event loop run for `ms` milliseconds, or until `done` holds.
void spin(
    int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// The sample codeplug cut down so that a transfer over the terminal stays short (`contacts`
// contacts, 20 receive group lists, 50 radio IDs), with no programming password unless one is
// given.
Codeplug testCodeplug(int contacts, std::string password = "") {
    const auto ranges = bandRangesForCode(0);
    Codeplug codeplug = SampleFullCodeplug(0, *ranges, 7);
    codeplug.Settings.ProgramPassword = std::move(password);
    auto cut = [](auto& table, std::size_t keep) {
        for (std::size_t i = keep; i < table.size(); ++i)
            table[i].Used = 0;
    };
    cut(codeplug.Contact, static_cast<std::size_t>(contacts));
    cut(codeplug.RxGroup, 20);
    cut(codeplug.Person, 50);
    return codeplug;
}

Codeplug decoded(const MemoryImage& image, int bandCode) {
    CommImage comm;
    comm.CommData = image;
    Codeplug codeplug = *NewCodeplug(bandCode);
    GetAllFromCommData(comm, codeplug);
    return codeplug;
}

struct ReadOutcome {
    FinishedAction finished;
    CommImage image;
    LinkStatistics statistics;
};

ReadOutcome readRadio(const std::string& port, ScriptedPrompt& prompt,
                      OperationKind kind = OperationKind::ReadCodeplug) {
    ensureApplication();
    ReadOutcome outcome;
    SerialLinkDriver driver(prompt);
    TransferRequest request;
    request.kind = kind;
    request.enteredPassword = prompt.password.value_or("");
    EngineJob job(std::move(request), outcome.image.CommData, outcome.image.WriteBlockMap);
    if (!driver.OpenRadioPort(QString::fromStdString(port), kind))
        return outcome;
    outcome.finished = driver.run(job);
    outcome.statistics = job.engine()->statistics();
    EXPECT_FALSE(driver.isOpen());
    return outcome;
}

TEST(SerialLink, ReadsACodeplugAndGetsWhatTheRadioHolds) {
    auto image = sim::ImageOfCodeplug(testCodeplug(300));
    ASSERT_TRUE(image.ok());
    test::PtyRadio radio(*image, sim::RadioIdentity{});
    ScriptedPrompt prompt;
    ReadOutcome read = readRadio(radio.port(), prompt);
    radio.stop();
    ASSERT_TRUE(read.finished.success);
    EXPECT_EQ(read.finished.messages.front().key, (TextKey{2004, Section::Other}));
    EXPECT_EQ(read.statistics.resends, 0u);
    EXPECT_EQ(radio.radio().counters().blocksRead, read.statistics.readBlockFrames);
    // Over 2000 blocks, contact records among them, and the codeplug decodes the same. (That
    // each block is stored where it belongs is the engine's test.)
    EXPECT_GT(read.statistics.readBlockFrames, 2000u);
    EXPECT_TRUE(decoded(read.image.CommData, 0) == decoded(radio.radio().image(), 0));
    EXPECT_EQ(prompt.progress.back(), 100);
}

TEST(SerialLink, ThePasswordAnswerMayComeLaterAndNothingIsSentWhileTheQuestionIsOpen) {
    auto image = sim::ImageOfCodeplug(testCodeplug(10, "5A7C"));
    ASSERT_TRUE(image.ok());
    test::PtyRadio radio(*image, sim::RadioIdentity{});
    ensureApplication();
    ScriptedPrompt prompt;
    prompt.holdPassword = true;
    FrameCounter counter;
    CommImage comm;
    TransferRequest request;
    request.kind = OperationKind::ReadCodeplug;
    EngineJob job(request, comm.CommData, comm.WriteBlockMap, &counter);
    std::optional<FinishedAction> finished;
    {
        SerialLinkDriver driver(prompt);
        ASSERT_TRUE(driver.OpenRadioPort(QString::fromStdString(radio.port()), request.kind));
        driver.start(job, [&](const FinishedAction& done) { finished = done; });
        spin(10'000, [&] { return static_cast<bool>(prompt.held); });
        ASSERT_TRUE(prompt.held);
        // Longer than every time-out of the frame asked about: nothing goes out meanwhile.
        const std::size_t framesAtQuestion = counter.frames;
        spin(1500);
        EXPECT_EQ(counter.frames, framesAtQuestion);
        EXPECT_TRUE(job.waitingForUser());
        EXPECT_FALSE(finished);

        const PasswordAnswer answer = std::move(prompt.held);
        answer("5A7C");
        spin(30'000, [&] { return finished.has_value(); });
        ASSERT_TRUE(finished);
        EXPECT_TRUE(finished->success);
        EXPECT_GT(counter.frames, framesAtQuestion + 1000);
        // An answer given twice, or after the end, changes nothing.
        answer("5A7C");
        EXPECT_FALSE(driver.isOpen());
        // A question still open when its driver goes away: the late answer finds nobody.
        prompt.held = nullptr;
        CommImage second;
        EngineJob another(request, second.CommData, second.WriteBlockMap);
        ASSERT_TRUE(driver.OpenRadioPort(QString::fromStdString(radio.port()), request.kind));
        driver.start(another, [](const FinishedAction&) {});
        spin(10'000, [&] { return static_cast<bool>(prompt.held); });
        ASSERT_TRUE(prompt.held);
    }
    prompt.held("5A7C");
    radio.stop();
}

TEST(SerialLink, WritesACodeplugAndTheRadioHoldsEncodeAll) {
    ensureApplication();
    test::TempDir folder;
    const ProgramFolders folders(folder.path(), {}, true);
    std::filesystem::create_directories(folder / "language");
    Codeplug codeplug = testCodeplug(200);
    const auto expected = sim::ImageOfCodeplug(codeplug);
    ASSERT_TRUE(expected.ok());

    test::PtyRadio radio(MemoryImage{}, sim::RadioIdentity{});
    ScriptedPrompt prompt;
    SerialLinkDriver driver(prompt, nullptr, &folders);
    Document document(codeplug);
    CodeplugWriteJob job(document, {});
    ASSERT_TRUE(driver.OpenRadioPort(QString::fromStdString(radio.port()), job.kind()));
    EXPECT_NE(ReadSetupFile(folders).CommHandle, 0); // recorded while the port is open
    const FinishedAction finished = driver.run(job);
    radio.stop();
    ASSERT_TRUE(finished.success);
    EXPECT_EQ(ReadSetupFile(folders).CommHandle, 0);
    // Every block encode-all marked reached the radio as encoded, each once: nothing else did.
    const std::vector<std::uint32_t>& written = job.writtenBlocks();
    EXPECT_TRUE(DifferingBlocks(*expected, radio.radio().image(), written).empty());
    EXPECT_EQ(radio.radio().counters().blocksWritten, written.size());
    // The program's turnaround was measured for the frames that followed a reply.
    EXPECT_GT(driver.turnaroundsNs().size(), 1000u);
}

TEST(SerialLink, PortThatCannotOpenSaysSoAndSendsNothing) {
    ensureApplication();
    test::TempDir folder;
    std::filesystem::create_directories(folder / "language");
    const ProgramFolders folders(folder.path(), {}, true);
    ScriptedPrompt prompt;
    CommLog log([] { return LocalDateTime{}; });
    log.setCommLogOn(true);
    CommRecorder recorder(&log, nullptr);
    SerialLinkDriver driver(prompt, &recorder, &folders);
    EXPECT_FALSE(
        driver.OpenRadioPort((folder / "no-such-tty").c_str(), OperationKind::ReadCodeplug));
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages[0].key, (TextKey{2002, Section::Other}));
    EXPECT_EQ(ReadSetupFile(folders).CommHandle, 0);
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"打开串口:00:00:00", "打开串口完毕:00:00:00"}));
    EXPECT_FALSE(driver.OpenRadioPort("ttyS0", OperationKind::None)); // not a transfer
    EXPECT_EQ(prompt.messages.size(), 1u);
}

TEST(SerialLink, LowLatencyIsAskedForAndTakenBackWherePortsOfferIt) {
    // A pseudo-terminal has no such setting: the transfers above run on one all the same.
    const int pty = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(pty, 0);
    EXPECT_EQ(RequestLowLatency(pty), LowLatency::NotOffered);
    ::close(pty);
#ifdef __linux__
    // A serial port of this machine that has the setting: marked, then left as it was found.
    for (const char* device : {"/dev/ttyUSB0", "/dev/ttyS0"}) {
        const int fd = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
        serial_struct before{};
        if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &before) != 0) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        auto flagOn = [fd] {
            serial_struct now{};
            return ::ioctl(fd, TIOCGSERIAL, &now) == 0 && (now.flags & ASYNC_LOW_LATENCY) != 0;
        };
        const bool wasOn = (before.flags & ASYNC_LOW_LATENCY) != 0;
        const LowLatency state = RequestLowLatency(fd);
        EXPECT_EQ(state, wasOn ? LowLatency::AlreadyOn : LowLatency::SwitchedOn) << device;
        EXPECT_TRUE(flagOn()) << device;
        if (state == LowLatency::SwitchedOn)
            ReleaseLowLatency(fd);
        EXPECT_EQ(flagOn(), wasOn) << device;
        ::close(fd);
        return;
    }
#endif
    GTEST_SKIP() << "no serial port here offers low latency";
}

TEST(SerialPortList, PortDialogSelectsTheStoredPortAndCablesAreToldApart) {
    const std::vector<std::string> names{"ttyS0", "ttyUSB0", "ttyACM0"};
    EXPECT_EQ(SelectPortEntry(names, "ttyUSB0"), 1u);
    EXPECT_EQ(SelectPortEntry(names, "/dev/ttyACM0"), 2u);
    EXPECT_EQ(SelectPortEntry(names, "ttyUSB7"), 0u);
    EXPECT_EQ(SelectPortEntry({}, "ttyUSB0"), std::nullopt);
    SerialPortEntry cable{"ttyUSB0", "CP2102 USB to UART Bridge Controller", "/dev/ttyUSB0",
                          "Silicon Labs", "0001"};
    EXPECT_EQ(SerialPortDescription(cable),
              "CP2102 USB to UART Bridge Controller (Silicon Labs, serial 0001)");
    cable.manufacturer.clear();
    EXPECT_EQ(SerialPortDescription(cable), "CP2102 USB to UART Bridge Controller (serial 0001)");
    cable.description.clear();
    EXPECT_EQ(SerialPortDescription(cable), "serial 0001");
    EXPECT_EQ(SerialPortDescription(SerialPortEntry{"ttyS0", "", "/dev/ttyS0", "", ""}), "");
    ensureApplication();
    // The machine's own list: whatever it holds, every entry has a name and a device.
    const auto ports = ListSerialPorts();
    EXPECT_EQ(SerialPortNames(ports).size(), ports.size());
    for (const SerialPortEntry& port : ports) {
        EXPECT_FALSE(port.name.empty());
        EXPECT_FALSE(port.systemLocation.empty());
    }
}

} // namespace
} // namespace r605
