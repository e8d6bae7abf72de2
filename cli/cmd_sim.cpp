// `r605 sim [--pty LINK] [--band CODE] [--load FILE] [--save IMAGE.hex] [--password P]
// [--faults KIND=RATE,...] [--seed N] [--baud B] [--model TEXT] [--sample SEED] [--spin-us N]`: a
// simulated radio on a new pseudo-terminal. Prints the port path, serves until interrupted, then
// saves its image. --sample starts it with the largest codeplug a radio holds; --spin-us sets how
// long before a paced reply the simulator polls instead of sleeping (0: sleeps only, for several
// simulated radios on one machine).
#include "base/file_io.h"
#include "base/numbers.h"
#include "commands.h"
#include "fault_injector.h"
#include "pty_server.h"
#include "rules/band.h"
#include "schema/sample_codeplug.h"
#include "simulator_image.h"

#include <chrono>
#include <csignal>
#include <ostream>
#include <sys/signalfd.h>
#include <unistd.h>

namespace r605::cli {

namespace {

int runSim(const Arguments& arguments, Context& context) {
    if (!arguments.positional.empty()) {
        context.err << "usage: r605 sim [--pty LINK] [--band CODE] [--load FILE] ...\n";
        return Usage;
    }
    std::optional<int> band;
    if (auto text = arguments.value("--band")) {
        const auto code = parseInteger(*text);
        if (!code || !isKnownBandCode(static_cast<int>(*code))) {
            context.err << "r605 sim: --band needs a band code of the band table\n";
            return Usage;
        }
        band = static_cast<int>(*code);
    }
    sim::FaultRates faults;
    if (auto text = arguments.value("--faults")) {
        auto parsed = sim::ParseFaultRates(*text);
        if (!parsed) {
            context.err << "r605 sim: " << parsed.error().text << "\n";
            return Usage;
        }
        faults = *parsed;
    }
    std::uint64_t seed = 1;
    if (auto text = arguments.value("--seed")) {
        const auto value = parseInteger(*text);
        if (!value || *value < 0) {
            context.err << "r605 sim: --seed needs a number\n";
            return Usage;
        }
        seed = static_cast<std::uint64_t>(*value);
    }
    std::optional<std::chrono::microseconds> spin;
    if (auto text = arguments.value("--spin-us")) {
        const auto value = parseInteger(*text);
        if (!value || *value < 0 || *value > 1'000'000) {
            context.err << "r605 sim: --spin-us needs a number of microseconds\n";
            return Usage;
        }
        spin = std::chrono::microseconds(*value);
    }
    double baud = 0;
    if (auto text = arguments.value("--baud")) {
        const auto value = parseNumber(*text);
        if (!value || *value < 0) {
            context.err << "r605 sim: --baud needs a line rate in bits per second\n";
            return Usage;
        }
        baud = *value;
    }

    Result<sim::SimulatorImage> start = [&]() -> Result<sim::SimulatorImage> {
        if (auto file = arguments.value("--load"))
            return sim::LoadSimulatorImage(*file);
        if (auto sample = arguments.value("--sample")) {
            // The largest codeplug a radio holds, for figures and soaks.
            const auto seed = parseInteger(*sample);
            const int code = band.value_or(0);
            const auto ranges = bandRangesForCode(code);
            if (!seed || *seed < 0 || !ranges)
                return Error::literal("--sample needs a seed number");
            Codeplug sampleCodeplug =
                SampleFullCodeplug(code, *ranges, static_cast<std::uint32_t>(*seed));
            // No password unless --password gives one.
            sampleCodeplug.Settings.ProgramPassword.clear();
            auto image = sim::ImageOfCodeplug(std::move(sampleCodeplug));
            if (!image)
                return image.error();
            return sim::SimulatorImage{std::move(*image), code};
        }
        return sim::NewRadioImage(band.value_or(0));
    }();
    if (!start) {
        context.fail(start.error());
        return Failure;
    }
    sim::RadioIdentity identity;
    identity.bandCode = band.value_or(start->bandCode.value_or(0));
    identity.model = arguments.valueOr("--model", identity.model);
    sim::RadioSimulator radio(std::move(start->image), identity);
    if (auto password = arguments.value("--password"))
        radio.setPassword(*password);

    // SIGINT and SIGTERM end the service through a descriptor the server waits on.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int stopFd = ::signalfd(-1, &signals, SFD_CLOEXEC);
    if (stopFd < 0) {
        context.err << "r605 sim: cannot watch for signals\n";
        return Failure;
    }

    auto server = sim::PtyServer::open(arguments.valueOr("--pty", ""));
    if (!server) {
        ::close(stopFd);
        context.fail(server.error());
        return Failure;
    }
    if (spin)
        (*server)->setSpinBeforeDue(*spin);
    context.out << (*server)->portPath() << std::endl;
    sim::FaultInjector injector(faults, seed);
    const Status served = (*server)->serve(radio, faults.any() ? &injector : nullptr, baud, stopFd);
    ::close(stopFd);

    const auto& counters = radio.counters();
    context.err << "r605 sim: " << counters.sessions << " sessions, " << counters.frames
                << " frames, " << counters.blocksRead << " blocks read, " << counters.blocksWritten
                << " blocks written, " << injector.replies() - injector.count(sim::FaultKind::None)
                << " replies disturbed\n";
    if (const auto& served = (*server)->counters(); served.pacedReplies > 0) {
        const auto meanLateness = served.lateness / served.pacedReplies;
        context.err << "r605 sim: paced replies left "
                    << std::chrono::duration_cast<std::chrono::microseconds>(meanLateness).count()
                    << " us after their time on average\n";
    }
    int result = Success;
    if (!served.ok()) {
        context.fail(served.error());
        result = Failure;
    }
    if (auto save = arguments.value("--save")) {
        if (Status saved = writeFileAtomically(*save, sim::SimulatorHexLines(radio.image()));
            !saved.ok()) {
            context.fail(saved.error());
            result = Failure;
        }
    }
    return result;
}

} // namespace

Command simCommand() {
    return Command{"sim",
                   "sim [--pty LINK] [--band CODE] [--load FILE] [--save IMAGE.hex] "
                   "[--password P] [--faults KIND=RATE,...] [--seed N] [--baud B] [--model TEXT] "
                   "[--sample SEED] [--spin-us N]",
                   "run a simulated radio on a new pseudo-terminal until interrupted",
                   OptionSpec{{"--pty", "--band", "--load", "--save", "--password", "--faults",
                               "--seed", "--baud", "--model", "--sample", "--spin-us"},
                              {}},
                   runSim};
}

} // namespace r605::cli
