#pragma once
// The radio's side of the link for engine and job tests: answers every core frame from an image of
// its own, and a driver loop that carries out the engine's or the job's actions with it. Tests
// script faults by rewriting or withholding replies in `respond`.

#include "image/memory_image.h"
#include "link/link_engine.h"
#include "transfer/transfer_job.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace r605::test {

using Bytes = std::vector<std::uint8_t>;

class ScriptedRadio {
public:
    MemoryImage image;
    std::string model = "R600MK";
    int bandCode = 0;
    std::size_t writes = 0;

    void setPassword(std::string_view password);
    // The radio's reply to one frame; empty when it keeps silent (an unknown frame, a write
    // with a bad checksum).
    Bytes reply(std::span<const std::uint8_t> frame);

    static Bytes identificationReply(std::string_view model, int bandCode);
    static Bytes readReply(std::uint32_t address, std::span<const std::uint8_t> data);
};

// Runs a transfer of the engine alone or of a job: every sent frame is answered by `respond` (by
// default the radio), a missing answer is a time-out; the user's answers come from the two
// callbacks, and a bare engine's encode-all from `encode` (none: encode-all fails).
template <class Target> class EventRun {
public:
    EventRun(Target& target, ScriptedRadio& radio);

    std::function<std::optional<Bytes>(const SendFrameAction& frame, std::size_t index)> respond;
    std::function<bool()> answerRetry = [] { return false; };
    std::function<std::optional<std::string>(const std::string& preset)> answerPassword =
        [](const std::string&) { return std::nullopt; };
    std::function<bool()> encode;

    FinishedAction run(std::size_t maxEvents = 2'000'000);

    std::vector<SendFrameAction> sent;
    std::vector<int> progress;
    std::vector<Error> messages; // messages shown during the transfer
    int retryQuestions = 0;
    int passwordQuestions = 0;
    int portCloses = 0;

    std::size_t countSent(std::uint8_t firstByte, std::size_t length) const;

private:
    LinkActions encodeAnswered();

    Target& m_target;
    ScriptedRadio& m_radio;
};

using EngineRun = EventRun<LinkEngine>;
using JobRun = EventRun<TransferJob>;

} // namespace r605::test
