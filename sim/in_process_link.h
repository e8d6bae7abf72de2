#pragma once
// A transfer run entirely in memory: a transfer job against the radio simulator, on a virtual
// clock. Frames reach the radio, replies (through the fault injector, and paced at a line rate
// when one is given) reach the engine, and time-outs fire exactly as a driver's timers would, but
// without waiting. Used by the end-to-end tests and the benchmarks.

#include "fault_injector.h"
#include "radio_simulator.h"
#include "transfer/transfer_job.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace r605::sim {

struct InProcessOptions {
    // Answers to message 2003: Retry this many times, then Cancel.
    int retries = 0;
    // The answer to the password dialog; none = Cancel.
    std::optional<std::string> password;
    // Line rate for the wire time of frames and replies (10 bits a byte); 0 = no line.
    double baud = 0;
    // Events after which a transfer counts as hung.
    std::size_t maxEvents = 50'000'000;
};

struct InProcessResult {
    bool finished = false; // false: the job stopped without finishing, or ran past maxEvents
    FinishedAction outcome;
    std::vector<Error> messages; // shown while the transfer ran
    int retryQuestions = 0;
    int passwordQuestions = 0;
    std::vector<int> progress;
    double elapsedMs = 0; // virtual time
    std::size_t events = 0;
};

InProcessResult RunInProcess(TransferJob& job, RadioSimulator& radio, FaultInjector* faults,
                             const InProcessOptions& options);

} // namespace r605::sim
