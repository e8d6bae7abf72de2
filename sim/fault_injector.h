#pragma once
// Faults of a noisy programming cable, injected into the simulator's replies at given rates from
// a seeded generator, so that a run can be repeated exactly: a reply dropped, a byte corrupted,
// the reply cut short, sent late (past the PC's time-out), or replaced by garbage; and a radio
// that goes silent after N frames.

#include "base/result.h"
#include "radio_simulator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

namespace r605::sim {

struct FaultRates {
    double drop = 0;
    double corrupt = 0;
    double shortReply = 0;
    double late = 0;
    double garbage = 0;
    std::optional<std::size_t> silentAfter;

    bool any() const;
};

// "drop=0.02,corrupt=0.01,short=0.01,late=0.005,garbage=0.01,silent-after=500". Each rate is a
// probability per reply from 0 to 1; together they may not exceed 1 (a reply gets one fault).
Result<FaultRates> ParseFaultRates(std::string_view text);

enum class FaultKind { None, Drop, Corrupt, Short, Late, Garbage, Silent };
inline constexpr std::size_t kFaultKinds = 7;

// What goes on the line for one reply: the bytes and how much later than an undisturbed reply.
struct Emission {
    std::vector<std::uint8_t> bytes;
    double extraDelayMs = 0;
    FaultKind fault = FaultKind::None;
};

class FaultInjector {
public:
    FaultInjector(FaultRates rates, std::uint64_t seed);

    // The emission for one reply; none when the fault swallows it.
    std::optional<Emission> apply(const SimReply& reply);

    std::size_t count(FaultKind kind) const { return m_counts[static_cast<std::size_t>(kind)]; }
    std::size_t replies() const { return m_replies; }

private:
    FaultRates m_rates;
    std::mt19937_64 m_random;
    std::size_t m_replies = 0;
    std::array<std::size_t, kFaultKinds> m_counts{};
};

} // namespace r605::sim
