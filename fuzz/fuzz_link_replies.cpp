// Fuzz target for what comes back over the serial line: a script of events (bytes of any content
// and in any pieces, time-outs, the user's answers) drives the link engine through a transfer of
// any kind. Besides not crashing: the engine never stalls (after every event a frame is
// outstanding, a question is asked or the transfer is over), it ends within a bounded number of
// events, and a finished write never moved a block it was not asked to.
#include "link/link_engine.h"
#include "link/pass_plan.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>

namespace {

using namespace r605;

void check(bool condition) {
    if (!condition)
        std::abort();
}

constexpr std::array<OperationKind, 6> kKinds{
    OperationKind::ReadCodeplug,  OperationKind::WriteCodeplug,  OperationKind::ReadRadioInfo,
    OperationKind::ReadBootImage, OperationKind::WriteBootImage, OperationKind::ReadBack};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    std::span<const std::uint8_t> script(data, size);
    TransferRequest request;
    request.kind = kKinds[script[0] % kKinds.size()];
    request.enteredPassword = (script[1] & 1) != 0 ? "1234" : "";
    request.bootImage.assign(40960, 0x11);
    request.readBackBlocks = {0x00800000, 0x02580000};
    script = script.subspan(2);

    MemoryImage image;
    BlockMap blocks;
    LinkEngine engine(std::move(request), image, blocks);
    bool asked = false;
    std::function<void(const LinkActions&)> follow = [&](const LinkActions& actions) {
        for (const LinkAction& action : actions) {
            if (std::holds_alternative<EncodeImageAction>(action)) {
                // Encode-all as a write job answers it.
                image.fill(0x00800000, 64, 0x5A);
                blocks.markRange(0x00800000, 64, 1);
                follow(engine.encodeAnswered(true));
                continue;
            }
            if (std::holds_alternative<AskRetryCancelAction>(action) ||
                std::holds_alternative<AskPasswordAction>(action))
                asked = true;
            if (const auto* frame = std::get_if<SendFrameAction>(&action)) {
                // A write block frame only ever carries a block that was marked or the image.
                if (frame->bytes.size() == 24 && frame->bytes[0] == 0x57 &&
                    engine.kind() == OperationKind::WriteCodeplug) {
                    const std::uint32_t address = (std::uint32_t{frame->bytes[1]} << 24) |
                                                  (std::uint32_t{frame->bytes[2]} << 16) |
                                                  (std::uint32_t{frame->bytes[3]} << 8) |
                                                  frame->bytes[4];
                    check(address >= 0x00800000 && address < 0x00800040);
                }
            }
        }
    };
    follow(engine.start());
    while (!script.empty() && !engine.finished()) {
        const std::uint8_t control = script[0];
        script = script.subspan(1);
        asked = asked && engine.waitingForUser();
        switch (control % 5) {
        case 0:
        case 1: {
            const std::size_t length = std::min<std::size_t>(control / 5 + 1, script.size());
            follow(engine.bytesReceived(script.first(length)));
            script = script.subspan(length);
            break;
        }
        case 2:
            follow(engine.timeoutExpired());
            break;
        case 3:
            follow(engine.retryAnswered((control & 0x80) != 0));
            break;
        case 4:
            follow(engine.passwordAnswered(
                (control & 0x80) != 0 ? std::optional<std::string>("1234") : std::nullopt));
            break;
        }
    }
    // Time alone ends every transfer: each frame goes three times, then the user cancels.
    for (int events = 0; events < 100 && !engine.finished(); ++events) {
        if (engine.waitingForUser()) {
            follow(engine.retryAnswered(false));
            follow(engine.passwordAnswered(std::nullopt));
        } else {
            follow(engine.timeoutExpired());
        }
    }
    check(engine.finished());
    return 0;
}
