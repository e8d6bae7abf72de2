#include "fault_injector.h"

#include "base/numbers.h"

#include <string>

namespace r605::sim {

bool FaultRates::any() const {
    return drop > 0 || corrupt > 0 || shortReply > 0 || late > 0 || garbage > 0 ||
           silentAfter.has_value();
}

Result<FaultRates> ParseFaultRates(std::string_view text) {
    FaultRates rates;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimBlanks(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty())
            continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            return Error::literal("fault '" + std::string(item) + "' needs a value (KIND=RATE)");
        const std::string_view name = item.substr(0, equals);
        const std::string_view value = item.substr(equals + 1);
        if (name == "silent-after") {
            const auto frames = parseInteger(value);
            if (!frames || *frames < 0)
                return Error::literal("silent-after needs a number of frames");
            rates.silentAfter = static_cast<std::size_t>(*frames);
            continue;
        }
        const auto rate = parseNumber(value);
        if (!rate || *rate < 0 || *rate > 1)
            return Error::literal("fault rate of " + std::string(name) + " must be from 0 to 1");
        if (name == "drop")
            rates.drop = *rate;
        else if (name == "corrupt")
            rates.corrupt = *rate;
        else if (name == "short")
            rates.shortReply = *rate;
        else if (name == "late")
            rates.late = *rate;
        else if (name == "garbage")
            rates.garbage = *rate;
        else
            return Error::literal("unknown fault kind '" + std::string(name) +
                                  "' (drop, corrupt, short, late, garbage, silent-after)");
    }
    if (rates.drop + rates.corrupt + rates.shortReply + rates.late + rates.garbage > 1.0 + 1e-9)
        return Error::literal("the fault rates together exceed 1");
    return rates;
}

FaultInjector::FaultInjector(FaultRates rates, std::uint64_t seed)
    : m_rates(rates), m_random(seed) {}

std::optional<Emission> FaultInjector::apply(const SimReply& reply) {
    ++m_replies;
    if (m_rates.silentAfter && m_replies > *m_rates.silentAfter) {
        ++m_counts[static_cast<std::size_t>(FaultKind::Silent)];
        return std::nullopt;
    }
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double roll = unit(m_random);
    Emission emission{reply.bytes, 0.0, FaultKind::None};
    double threshold = m_rates.drop;
    if (roll < threshold) {
        ++m_counts[static_cast<std::size_t>(FaultKind::Drop)];
        return std::nullopt;
    }
    threshold += m_rates.corrupt;
    if (roll < threshold && !emission.bytes.empty()) {
        std::uniform_int_distribution<std::size_t> position(0, emission.bytes.size() - 1);
        std::uniform_int_distribution<int> flip(1, 255);
        emission.bytes[position(m_random)] ^= static_cast<std::uint8_t>(flip(m_random));
        emission.fault = FaultKind::Corrupt;
        ++m_counts[static_cast<std::size_t>(emission.fault)];
        return emission;
    }
    threshold += m_rates.shortReply;
    if (roll < threshold) {
        ++m_counts[static_cast<std::size_t>(FaultKind::Short)];
        if (emission.bytes.size() < 2)
            return std::nullopt; // a one-byte reply cut short is no reply
        std::uniform_int_distribution<std::size_t> length(1, emission.bytes.size() - 1);
        emission.bytes.resize(length(m_random));
        emission.fault = FaultKind::Short;
        return emission;
    }
    threshold += m_rates.late;
    if (roll < threshold) {
        // Half as long again as the PC waits: the PC has given up on it and sent the frame again.
        emission.extraDelayMs = 1.5 * reply.frameTimeoutMs;
        emission.fault = FaultKind::Late;
        ++m_counts[static_cast<std::size_t>(emission.fault)];
        return emission;
    }
    threshold += m_rates.garbage;
    if (roll < threshold) {
        std::uniform_int_distribution<std::size_t> length(
            1, 2 * std::max<std::size_t>(reply.bytes.size(), 1));
        std::uniform_int_distribution<int> byte(0, 255);
        emission.bytes.resize(length(m_random));
        for (std::uint8_t& value : emission.bytes)
            value = static_cast<std::uint8_t>(byte(m_random));
        emission.fault = FaultKind::Garbage;
        ++m_counts[static_cast<std::size_t>(emission.fault)];
        return emission;
    }
    ++m_counts[static_cast<std::size_t>(FaultKind::None)];
    return emission;
}

} // namespace r605::sim
