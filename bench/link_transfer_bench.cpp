// The host's share of a transfer: a full read and a full write of the largest codeplug a radio
// holds (10000 contacts, about 74 000 blocks) against the simulator in the same process, without
// a line in between, so that what is measured is the engine, the pass planner, encode-all and the
// simulator; the write runs the write job (its normalising edit of the document, encode-all, the
// transfer). Target: under 2 s each. Also the engine alone per frame.
//
// Over a real pseudo-terminal and at the radio's line rate the figures come from
// bench/link_figures.sh (CPU of the r605 process per frame, elapsed against wire time, the
// program's turnaround), and the fault soak from bench/link_soak.sh.
#include "image/comm_image.h"
#include "in_process_link.h"
#include "link/frames.h"
#include "schema/sample_codeplug.h"
#include "simulator_image.h"
#include "transfer/codeplug_jobs.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace r605;

Codeplug largestCodeplug() {
    Codeplug codeplug = SampleFullCodeplug(0, bandRangesForCode(0).value(), 605);
    codeplug.Settings.ProgramPassword.clear();
    return codeplug;
}

const MemoryImage& largestRadioImage() {
    static const MemoryImage image = sim::ImageOfCodeplug(largestCodeplug()).value();
    return image;
}

void report(benchmark::State& state, std::size_t frames, double seconds) {
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["frames_per_s"] = static_cast<double>(frames) / seconds;
}

void FullReadInProcess(benchmark::State& state) {
    std::size_t frames = 0;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::RadioSimulator radio(largestRadioImage(), sim::RadioIdentity{});
        CommImage image;
        state.ResumeTiming();
        const auto started = std::chrono::steady_clock::now();
        TransferRequest request;
        request.kind = OperationKind::ReadCodeplug;
        EngineJob job(std::move(request), image.CommData, image.WriteBlockMap);
        const sim::InProcessResult result = sim::RunInProcess(job, radio, nullptr, {});
        seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        frames = job.engine()->statistics().framesSent;
        if (!result.outcome.success) {
            state.SkipWithError("the read failed");
            break;
        }
    }
    report(state, frames, seconds / static_cast<double>(state.iterations()));
}
BENCHMARK(FullReadInProcess)->Unit(benchmark::kMillisecond)->Iterations(3);

void FullWriteInProcess(benchmark::State& state) {
    const Codeplug source = largestCodeplug();
    std::size_t frames = 0;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::RadioSimulator radio(MemoryImage{}, sim::RadioIdentity{});
        Document document(source);
        state.ResumeTiming();
        const auto started = std::chrono::steady_clock::now();
        // The write job as the commands run it: the normalising edit, encode-all, the transfer.
        CodeplugWriteJob job(document, {});
        const sim::InProcessResult result = sim::RunInProcess(job, radio, nullptr, {});
        seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        frames = job.engine()->statistics().framesSent;
        if (!result.outcome.success || !(radio.image() == largestRadioImage()))
            state.SkipWithError("the radio does not hold what was written");
    }
    report(state, frames, seconds / static_cast<double>(state.iterations()));
}
BENCHMARK(FullWriteInProcess)->Unit(benchmark::kMillisecond)->Iterations(3);

// The engine's own work for one block: judging a read reply, storing it, choosing the next
// block and building its frame.
std::vector<std::uint8_t> radioAnswer(const std::vector<std::uint8_t>& frame) {
    if (isConnectFrame(frame))
        return {'Z', 'T', 0x06};
    if (frame.size() == 1 && frame[0] == 0x02)
        return {0x49, 'R', '6', '0', '0', 'M', 'K', 0, 0, '1', '0', '0', 0, 0, 0, 0x06};
    if (frame.size() == 1) {
        std::vector<std::uint8_t> query(18, 0xFF);
        query[0] = frame[0];
        query[17] = 0x06;
        return query;
    }
    std::vector<std::uint8_t> reply(24);
    reply[0] = 0x57;
    std::copy(frame.begin() + 1, frame.begin() + 6, reply.begin() + 1);
    reply[22] = Checksum(reply, 1, 21);
    reply[23] = 0x06;
    return reply;
}

void EngineReadFrame(benchmark::State& state) {
    constexpr std::uint32_t kBlocks = 100000;
    TransferRequest request;
    request.kind = OperationKind::ReadBack;
    for (std::uint32_t block = 0; block < kBlocks; ++block)
        request.readBackBlocks.push_back(0x00800000 + 16 * block);
    std::unique_ptr<MemoryImage> image;
    std::unique_ptr<BlockMap> blocks;
    std::unique_ptr<LinkEngine> engine;
    std::vector<std::uint8_t> frame;
    std::vector<std::uint8_t> reply;
    auto restart = [&] {
        image = std::make_unique<MemoryImage>();
        blocks = std::make_unique<BlockMap>();
        engine = std::make_unique<LinkEngine>(request, *image, *blocks);
        frame = std::get<SendFrameAction>(engine->start().front()).bytes;
    };
    restart();
    for (auto _ : state) {
        reply = radioAnswer(frame);
        for (const LinkAction& action : engine->bytesReceived(reply)) {
            if (const auto* sent = std::get_if<SendFrameAction>(&action))
                frame = sent->bytes;
        }
        if (engine->finished()) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(EngineReadFrame);

} // namespace
