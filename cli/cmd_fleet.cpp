// `r605 fleet write FILE --plan fleet.csv [--retries N] [--set-clock]`: one codeplug into many
// radios, as a dealer programs a delivery. Each line of the plan names a port, a radio ID and a
// name (and the radio's password where it has one); each radio gets the codeplug with its own ID
// and name in radio ID entry 1, written with verify. Radios on different ports are written at the
// same time, each on a thread of its own with its own serial link; one that fails does not stop
// the others. A table at the end gives each radio's port, ID, result and time; the exit status
// is 0 only when every radio was written and verified.
#include "base/numbers.h"
#include "codeplug_file.h"
#include "commands.h"
#include "link_session.h"
#include "rules/band.h"
#include "transfer/codeplug_jobs.h"
#include "transfer/codeplug_transfer.h"
#include "transfer/fleet_plan.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>

namespace r605::cli {

namespace {

constexpr std::string_view kUsage =
    "fleet write FILE.rdt|FILE.json --plan fleet.csv [--retries N] [--set-clock]";

struct RadioOutcome {
    bool success = false;
    std::string result; // "written, verified" or why not
    double seconds = 0;
};

// The messages a session printed for the user ("r605: ..." lines), without progress.
std::vector<std::string> sessionMessages(const std::string& printed) {
    std::vector<std::string> messages;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t start = line.find("r605: ");
        if (start != std::string::npos)
            messages.push_back(line.substr(start + 6));
    }
    return messages;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

// The codeplug of every radio, each with its own identity; refused as a whole when one of them
// cannot be written, before any radio is touched.
Result<std::vector<std::unique_ptr<Document>>> radioDocuments(const Codeplug& base,
                                                              const std::vector<FleetRadio>& radios,
                                                              const Context& context) {
    const auto bands = bandRangesForCode(base.Header.BandCode);
    const ColumnContext columns{context.language, bands ? *bands : BandRanges{}};
    std::vector<std::unique_ptr<Document>> documents;
    for (const FleetRadio& radio : radios) {
        auto document = std::make_unique<Document>(base);
        if (auto identity = setFleetRadioIdentity(*document, radio, columns); !identity)
            return identity.error();
        if (const auto problem = WriteContentProblem(document->codeplug()))
            return Error::literal(context.language.GetLangText(99125) + " " +
                                  context.language.text(*problem));
        documents.push_back(std::move(document));
    }
    return documents;
}

// Writes one radio; runs on the radio's own thread, which owns the serial port and its timers.
RadioOutcome writeRadio(Document& document, const FleetRadio& radio, const Context& context,
                        int retries) {
    QElapsedTimer clock;
    clock.start();
    std::ostringstream printed;
    Context radioContext{context.programFolder, context.language, printed, printed};
    LinkSession session(radioContext, LinkOptions{radio.port, retries, radio.password});
    CodeplugWriteOptions write;
    write.enteredPassword = radio.password.value_or("");
    write.verify = true;
    CodeplugWriteJob job(document, std::move(write), session.recorder());
    const FinishedAction finished = session.run(job, false);
    RadioOutcome outcome;
    outcome.success = finished.success;
    outcome.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (finished.success) {
        outcome.result = "written, verified";
        return outcome;
    }
    std::vector<std::string> messages = sessionMessages(printed.str());
    for (const Error& message : finished.messages)
        messages.push_back(context.language.describe(message));
    outcome.result = joined(messages);
    return outcome;
}

void printSummary(const std::vector<FleetRadio>& radios, const std::vector<RadioOutcome>& outcomes,
                  Context& context) {
    std::size_t portWidth = 4;
    for (const FleetRadio& radio : radios)
        portWidth = std::max(portWidth, radio.port.size());
    const auto row = [&](std::string_view port, std::string_view id, std::string_view time,
                         std::string_view result) {
        char line[64];
        std::snprintf(line, sizeof line, "%-10.*s %8.*s  ", static_cast<int>(id.size()), id.data(),
                      static_cast<int>(time.size()), time.data());
        context.out << port << std::string(portWidth - port.size() + 2, ' ') << line << result
                    << "\n";
    };
    row("PORT", "ID", "TIME", "RESULT");
    std::size_t written = 0;
    for (std::size_t k = 0; k < radios.size(); ++k) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f s", outcomes[k].seconds);
        row(radios[k].port, radios[k].radioId, seconds,
            (outcomes[k].success ? "OK: " : "FAILED: ") + outcomes[k].result);
        written += outcomes[k].success ? 1 : 0;
    }
    context.out << radios.size() << (radios.size() == 1 ? " radio: " : " radios: ") << written
                << " written, " << radios.size() - written << " failed\n";
}

int runFleet(const Arguments& arguments, Context& context) {
    const auto planPath = arguments.value("--plan");
    if (arguments.positional.size() != 2 || arguments.positional[0] != "write" || !planPath) {
        context.err << "usage: r605 " << kUsage << "\n";
        return Usage;
    }
    int retries = 0;
    if (const auto text = arguments.value("--retries")) {
        const auto count = parseInteger(*text);
        if (!count || *count < 0 || *count > 1000) {
            context.err << "r605 fleet: --retries needs a number from 0 to 1000\n";
            return Usage;
        }
        retries = static_cast<int>(*count);
    }
    const auto radios = readFleetPlan(*planPath);
    if (!radios) {
        context.fail(radios.error());
        return Failure;
    }
    auto file = loadCodeplugFile(arguments.positional[1], context, "fleet");
    if (!file) {
        context.fail(file.error());
        return Failure;
    }
    file->codeplug.Settings.SetRadioClock = arguments.flag("--set-clock") ? 1 : 0;
    auto documents = radioDocuments(file->codeplug, *radios, context);
    if (!documents) {
        context.fail(documents.error());
        return Failure;
    }

    std::vector<RadioOutcome> outcomes(radios->size());
    std::vector<std::unique_ptr<QThread>> threads;
    std::mutex printing;
    for (std::size_t k = 0; k < radios->size(); ++k) {
        const FleetRadio& radio = (*radios)[k];
        context.err << "r605 fleet: " << radio.port << ": writing radio ID " << radio.radioId
                    << "\n";
        threads.emplace_back(QThread::create([&, k, radio] {
            outcomes[k] = writeRadio(*(*documents)[k], radio, context, retries);
            const std::lock_guard lock(printing);
            context.err << "r605 fleet: " << radio.port << ": "
                        << (outcomes[k].success ? "done" : "failed") << "\n";
            context.err.flush();
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads)
        thread->wait();
    printSummary(*radios, outcomes, context);
    const bool all = std::all_of(outcomes.begin(), outcomes.end(),
                                 [](const RadioOutcome& outcome) { return outcome.success; });
    return all ? Success : Failure;
}

} // namespace

Command fleetCommand() {
    return Command{"fleet", kUsage,
                   "write one codeplug into many radios at once, each with its own radio ID and "
                   "name from the plan (lines: port, radio ID, name[, password]), with verify",
                   OptionSpec{{"--plan", "--retries"}, {"--set-clock"}}, runFleet};
}

} // namespace r605::cli
