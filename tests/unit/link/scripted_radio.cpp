#include "scripted_radio.h"

#include "link/frames.h"
#include "link/pass_plan.h"

#include <deque>
#include <stdexcept>
#include <type_traits>

namespace r605::test {

void ScriptedRadio::setPassword(std::string_view password) {
    Bytes field(4, 0x00);
    for (std::size_t i = 0; i < password.size() && i < 4; ++i)
        field[i] = static_cast<std::uint8_t>(password[i]);
    image.write(kRadioInfoBlock + 8, field);
}

Bytes ScriptedRadio::identificationReply(std::string_view model, int bandCode) {
    // 0x49, seven bytes of model, the band code, the version "1.02" with 0xFF for its point.
    Bytes reply{0x49, 0,    0,   0,   0, 0,    0,   0, static_cast<std::uint8_t>(bandCode),
                '1',  0xFF, '0', '2', 0, 0x1A, 0x06};
    std::copy_n(model.begin(), std::min<std::size_t>(model.size(), 7), reply.begin() + 1);
    return reply;
}

Bytes ScriptedRadio::readReply(std::uint32_t address, std::span<const std::uint8_t> data) {
    Bytes reply(24, 0x00);
    reply[0] = 0x57;
    putBigEndian32(std::span(reply).subspan(1, 4), address);
    reply[5] = 0x10;
    std::copy(data.begin(), data.begin() + 16, reply.begin() + 6);
    reply[22] = Checksum(reply, 1, 21);
    reply[23] = 0x06;
    return reply;
}

Bytes ScriptedRadio::reply(std::span<const std::uint8_t> frame) {
    if (isConnectFrame(frame))
        return {'Z', 'T', 0x06};
    if (frame.size() == 1 && frame[0] == 0x02)
        return identificationReply(model, bandCode);
    if (frame.size() == 1 && (frame[0] == 0x03 || frame[0] == 0x04)) {
        Bytes reply(18, 0xFF);
        reply[0] = frame[0];
        const std::string text = frame[0] == 0x03 ? "DMR-V2" : "20260101";
        std::copy(text.begin(), text.end(), reply.begin() + 1);
        reply[17] = 0x06;
        return reply;
    }
    if (frame.size() == 6 && frame[0] == 0x52) {
        const std::uint32_t address = readBigEndian32(frame.subspan(1, 4));
        std::array<std::uint8_t, 16> data{};
        image.read(address, data);
        return readReply(address, data);
    }
    if (frame.size() == 24 && frame[0] == 0x57) {
        if (!ChecksumTest(frame, 1, 21, 22) || frame[23] != 0x06)
            return {};
        image.write(readBigEndian32(frame.subspan(1, 4)), frame.subspan(6, 16));
        ++writes;
        return {0x06};
    }
    if (frame.size() == 3 && frame[0] == 'E' && frame[1] == 'N' && frame[2] == 'D')
        return {0x06};
    return {};
}

template <class Target>
EventRun<Target>::EventRun(Target& target, ScriptedRadio& radio)
    : m_target(target), m_radio(radio) {
    respond = [this](const SendFrameAction& frame, std::size_t) -> std::optional<Bytes> {
        Bytes reply = m_radio.reply(frame.bytes);
        if (reply.empty())
            return std::nullopt;
        return reply;
    };
}

template <class Target>
std::size_t EventRun<Target>::countSent(std::uint8_t firstByte, std::size_t length) const {
    std::size_t count = 0;
    for (const SendFrameAction& frame : sent) {
        if (frame.bytes.size() == length && frame.bytes[0] == firstByte)
            ++count;
    }
    return count;
}

template <class Target> LinkActions EventRun<Target>::encodeAnswered() {
    if constexpr (std::is_same_v<Target, LinkEngine>)
        return m_target.encodeAnswered(encode ? encode() : false);
    else
        throw std::runtime_error("a job answers encode-all itself");
}

template <class Target> FinishedAction EventRun<Target>::run(std::size_t maxEvents) {
    std::deque<LinkAction> queue;
    auto enqueue = [&queue](LinkActions actions) {
        for (LinkAction& action : actions)
            queue.push_back(std::move(action));
    };
    enqueue(m_target.start());
    for (std::size_t events = 0; events < maxEvents; ++events) {
        if (queue.empty()) {
            // Nothing to do but wait: the reply time-out a driver has armed expires.
            enqueue(m_target.timeoutExpired());
            if (queue.empty())
                throw std::runtime_error("the transfer stopped without finishing");
        }
        LinkAction action = std::move(queue.front());
        queue.pop_front();
        if (auto* frame = std::get_if<SendFrameAction>(&action)) {
            sent.push_back(*frame);
            if (auto reply = respond(*frame, sent.size() - 1))
                enqueue(m_target.bytesReceived(*reply));
            else
                enqueue(m_target.timeoutExpired());
        } else if (auto* arm = std::get_if<ArmTimeoutAction>(&action)) {
            (void)arm;
            enqueue(m_target.timeoutExpired());
        } else if (auto* shown = std::get_if<ProgressAction>(&action)) {
            progress.push_back(shown->percent);
        } else if (std::holds_alternative<AskRetryCancelAction>(action)) {
            ++retryQuestions;
            enqueue(m_target.retryAnswered(answerRetry()));
        } else if (auto* ask = std::get_if<AskPasswordAction>(&action)) {
            ++passwordQuestions;
            enqueue(m_target.passwordAnswered(answerPassword(ask->preset)));
        } else if (std::holds_alternative<EncodeImageAction>(action)) {
            enqueue(encodeAnswered());
        } else if (auto* message = std::get_if<MessageAction>(&action)) {
            messages.push_back(message->message);
        } else if (std::holds_alternative<ClosePortAction>(action)) {
            ++portCloses;
        } else if (auto* finished = std::get_if<FinishedAction>(&action)) {
            if (!queue.empty())
                throw std::runtime_error("actions after the end of the transfer");
            return *finished;
        }
    }
    throw std::runtime_error("the transfer did not end");
}

template class EventRun<LinkEngine>;
template class EventRun<TransferJob>;

} // namespace r605::test
