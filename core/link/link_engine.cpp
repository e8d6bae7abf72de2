#include "link/link_engine.h"

#include "base/numbers.h"
#include "link/boot_image_transfer.h"
#include "link/pass_plan.h"
#include "link/radio_password.h"
#include "link/reply_recogniser.h"
#include "link/retry_rule.h"
#include "link/transfer_step.h"

#include <algorithm>
#include <array>
#include <utility>

namespace r605 {

namespace {

// The radio is given this long after the last acknowledge before the end frame.
constexpr int kEndFramePauseMs = 1;

bool readsInfoAndQueries(OperationKind kind) {
    // Kinds that ask both queries after the identification and move blocks by passes.
    return usesPasses(kind);
}

bool connectsFirst(OperationKind kind) {
    return kind != OperationKind::PlayControl;
}

} // namespace

LinkEngine::LinkEngine(TransferRequest request, MemoryImage& image, BlockMap& blocks,
                       LinkRecorder* recorder)
    : m_request(std::move(request)), m_image(image), m_blocks(blocks), m_recorder(recorder),
      m_enteredPassword(m_request.enteredPassword) {
    m_received.reserve(128);
}

void LinkEngine::step(std::string_view caption) {
    if (m_recorder != nullptr)
        m_recorder->step(caption);
}

LinkActions LinkEngine::takeActions() {
    // Before the driver carries out anything (a resend, a question, a failure message), the
    // record of what went wrong is kept.
    if (std::exchange(m_persistPending, false) && m_recorder != nullptr)
        m_recorder->persist();
    return std::exchange(m_actions, {});
}

// ---------------------------------------------------------------------------------------------
// Events

LinkActions LinkEngine::start() {
    m_actions.clear();
    if (m_started || m_finished)
        return {};
    m_started = true;
    const OperationKind kind = m_request.kind;
    if (!isTransferKind(kind)) {
        FinishTransfer(false);
        return takeActions();
    }
    if (kind == OperationKind::WriteBootImage && m_request.bootImage.size() != kBootImageSize) {
        // Nothing of a picture of the wrong size may reach the radio.
        FinishTransfer(false);
        return takeActions();
    }
    InitTransfer();
    if (kind == OperationKind::ReadCodeplug || kind == OperationKind::WriteCodeplug ||
        kind == OperationKind::RecordingList || kind == OperationKind::RecordingRead)
        step("加载进度条");
    step("准备联机");
    if (connectsFirst(kind))
        SendConnect();
    else
        sendFeatureFrame(RecordingStep::PlayControl);
    guardAgainstStall();
    return takeActions();
}

LinkActions LinkEngine::bytesReceived(std::span<const std::uint8_t> bytes) {
    m_actions.clear();
    while (m_awaitingReply && !bytes.empty()) {
        // Only the bytes the reply asks for are taken; the rest of a longer reply is what the
        // purge before the next frame would discard.
        const std::size_t wanted =
            static_cast<std::size_t>(m_lastFrame.replyLength) - m_received.size();
        const std::size_t taken = std::min(wanted, bytes.size());
        m_received.insert(m_received.end(), bytes.begin(),
                          bytes.begin() + static_cast<std::ptrdiff_t>(taken));
        bytes = bytes.subspan(taken);
        m_statistics.bytesReceived += taken;
        if (m_recorder != nullptr)
            m_recorder->replyReceived(m_received);
        if (m_received.size() < static_cast<std::size_t>(m_lastFrame.replyLength))
            break;
        m_awaitingReply = false;
        const std::size_t staleBefore = m_statistics.staleReplies;
        ProcessReply();
        // After a stale reply set aside, the frame's own reply may follow in the same bytes.
        if (m_statistics.staleReplies == staleBefore)
            break;
    }
    guardAgainstStall();
    return takeActions();
}

LinkActions LinkEngine::timeoutExpired() {
    m_actions.clear();
    if (!m_awaitingReply)
        return {};
    // Part of the reply is here: one further read of the same time-out. When that one expires
    // too, the reply counts as missing.
    if (!m_received.empty() && !m_waitExtended) {
        m_waitExtended = true;
        m_persistPending = true;
        post<ArmTimeoutAction>({m_readTimeoutMs});
        return takeActions();
    }
    m_awaitingReply = false;
    ++m_statistics.timeouts;
    applyRetryRule();
    guardAgainstStall();
    return takeActions();
}

LinkActions LinkEngine::retryAnswered(bool retry) {
    m_actions.clear();
    if (m_pending != Pending::RetryCancel)
        return {};
    m_pending = Pending::None;
    if (!retry) {
        FinishTransfer(false);
        return takeActions();
    }
    // The whole transfer again, on the open port, from the connect frame, with every mark
    // rebuilt from what the radio says this time.
    ++m_statistics.restarts;
    InitTransfer();
    SendConnect();
    guardAgainstStall();
    return takeActions();
}

LinkActions LinkEngine::passwordAnswered(std::optional<std::string> entered) {
    m_actions.clear();
    if (m_pending != Pending::Password)
        return {};
    m_pending = Pending::None;
    if (entered)
        m_enteredPassword = std::string(trimBlanks(*entered));
    if (PasswordAccepted(m_radioPassword, m_enteredPassword, m_request.codeplugPassword))
        NextStep();
    else
        FinishTransfer(false);
    guardAgainstStall();
    return takeActions();
}

LinkActions LinkEngine::encodeAnswered(bool encodeOK) {
    m_actions.clear();
    if (m_pending != Pending::Encode)
        return {};
    m_pending = Pending::None;
    m_encodeOK = encodeOK;
    if (progressShown(m_request.kind, m_pass))
        CountPassBlocks();
    startWriting();
    guardAgainstStall();
    return takeActions();
}

// ---------------------------------------------------------------------------------------------
// Frames

void LinkEngine::InitTransfer() {
    const OperationKind kind = m_request.kind;
    // The codeplug kinds start from a cleared image, also after Retry, so that no byte of an
    // abandoned attempt survives into what is decoded or written.
    if (kind == OperationKind::ReadCodeplug) {
        step("初始化读取数据");
        m_image.clear();
        step("初始化读取数据完毕");
        step("初始化读取优化");
    } else if (kind == OperationKind::WriteCodeplug || kind == OperationKind::ReadBack) {
        m_image.clear();
    }
    MarkInitialPasses(m_blocks, kind);
    if (kind == OperationKind::ReadBack) {
        for (std::uint32_t address : m_request.readBackBlocks)
            MarkRange(m_blocks, address, 16, 1);
        // The information block is read in pass 3 for the password step; it is compared too.
        MarkRange(m_blocks, kRadioInfoBlock, 16, 3);
    }
    if (kind == OperationKind::ReadCodeplug)
        step("初始化读取优化完毕");
    m_pass = 3;
    m_currentBlock = -16;
    m_imageOffset = -16;
    m_imagePercent = -1;
    m_encodeOK = true;
}

void LinkEngine::SendConnect() {
    step("发送联机指令");
    m_step = TransferStep::ConnectSent;
    sendCoreFrame(ConnectFrame(), std::nullopt, true);
}

void LinkEngine::sendCoreFrame(const LinkFrame& frame,
                               std::optional<std::uint32_t> requestedAddress, bool longTimeout,
                               int delayMs) {
    m_featureFrame = false;
    m_requestedAddress = requestedAddress;
    SendFrame(frame, false, longTimeout, delayMs);
}

void LinkEngine::sendFeatureFrame(RecordingStep which) {
    std::optional<LinkFrame> frame;
    if (m_request.recording.nextFrame)
        frame = m_request.recording.nextFrame(which);
    if (!frame) {
        // The feature is done: a recording transfer closes the programming mode; the play
        // control has sent its own end-of-play frame.
        if (m_request.kind == OperationKind::PlayControl)
            FinishTransfer(true);
        else
            SendEnd(true);
        return;
    }
    if (frame->replyLength < 1)
        frame->replyLength = 1;
    m_featureFrame = true;
    m_requestedAddress.reset();
    SendFrame(*frame, false, false);
}

void LinkEngine::SendFrame(const LinkFrame& frame, bool resend, bool longTimeout, int delayMs) {
    if (!resend) {
        m_lastFrame = frame;
        m_retryCount = 0;
        m_longTimeout = longTimeout;
        m_refusedIdentities.clear();
    }
    m_received.clear();
    m_waitExtended = false;
    m_readTimeoutMs = ReadTimeoutFor(frame.bytes, longTimeout);
    if (m_recorder != nullptr)
        m_recorder->frameSent(frame.bytes);
    ++m_statistics.framesSent;
    m_statistics.bytesSent += frame.bytes.size();
    if (!frame.bytes.empty() && frame.bytes.size() == 6 && frame.bytes[0] == kBlockRead)
        ++m_statistics.readBlockFrames;
    if (!frame.bytes.empty() && frame.bytes.size() == 24 && frame.bytes[0] == kBlockWrite)
        ++m_statistics.writeBlockFrames;
    post<SendFrameAction>(
        {frame.bytes, frame.replyLength, m_readTimeoutMs, kPortWriteTimeoutMs, delayMs, resend});
    m_awaitingReply = true;
}

void LinkEngine::ResendFrame() {
    ++m_retryCount;
    ++m_statistics.resends;
    SendFrame(m_lastFrame, true, isConnectFrame(m_lastFrame.bytes));
}

// ---------------------------------------------------------------------------------------------
// Replies

void LinkEngine::ProcessReply() {
    const std::span<const std::uint8_t> reply = m_received;
    ReplyContext context;
    context.kind = m_request.kind;
    context.requestedAddress = m_requestedAddress;
    context.featureFrame = m_featureFrame;
    context.featureReplyLength = m_lastFrame.replyLength;

    switch (RecogniseReply(reply, context)) {
    case ReplyKind::ConnectReply:
    case ReplyKind::Acknowledge:
        NextStep();
        return;
    case ReplyKind::Identification:
        takeIdentification(reply);
        return;
    case ReplyKind::Query3:
        m_ident.query3Text = QueryReplyText(reply);
        NextStep();
        return;
    case ReplyKind::Query4:
        m_ident.query4Text = QueryReplyText(reply);
        NextStep();
        return;
    case ReplyKind::FeatureReply:
        if (!m_request.recording.takeReply || !m_request.recording.takeReply(reply)) {
            ++m_statistics.unrecognised;
            applyRetryRule();
            return;
        }
        if (m_request.kind == OperationKind::PlayControl)
            sendFeatureFrame(RecordingStep::PlayControl);
        else
            NextStep();
        return;
    case ReplyKind::BootImageBlock:
        // StoreImageBlock: only the block requested reaches the image.
        m_image.write(*m_requestedAddress, reply.subspan(6, kBlockLength));
        NextStep();
        return;
    case ReplyKind::ReadBlock:
        // StoreReadBlock.
        m_image.write(*m_requestedAddress, reply.subspan(6, kBlockLength));
        if (*m_requestedAddress == kRadioInfoBlock && m_pass == 3) {
            PasswordStep();
            return;
        }
        NextStep();
        return;
    case ReplyKind::Unrecognised:
        if (isStaleReadReply(reply)) {
            // A sound read reply for another block: the late answer to a frame already resent.
            // It is no answer to this frame and no sign of a bad line; taking it as a failure
            // would resend this frame and keep the link one reply behind for the rest of the
            // transfer. The frame's time-out still bounds the wait for its own reply.
            ++m_statistics.staleReplies;
            m_persistPending = true;
            m_received.clear();
            m_awaitingReply = true;
            return;
        }
        ++m_statistics.unrecognised;
        applyRetryRule();
        return;
    }
}

void LinkEngine::takeIdentification(std::span<const std::uint8_t> reply) {
    ParseIdentificationReply(reply, m_ident);
    auto refusal = CheckIdentification(m_ident, m_request.kind, m_request.codeplugBandCode);
    if (!refusal) {
        NextStep();
        return;
    }
    // The identification carries no checksum: one disturbed letter of the model text or a
    // disturbed band byte reads as another radio. The radio is asked again, as for a bad reply,
    // and is refused only when it says the same twice; a line that garbles every answer ends as
    // one that gives no valid reply.
    const IdentitySeen seen{m_ident.modelText, m_ident.bandCode};
    if (std::find(m_refusedIdentities.begin(), m_refusedIdentities.end(), seen) ==
        m_refusedIdentities.end()) {
        m_refusedIdentities.push_back(seen);
        applyRetryRule();
        return;
    }
    m_persistPending = true;
    post<MessageAction>({std::move(*refusal)});
    FinishTransfer(false);
}

bool LinkEngine::isStaleReadReply(std::span<const std::uint8_t> reply) const {
    if (!m_requestedAddress || reply.size() != static_cast<std::size_t>(kReadReplyLength))
        return false;
    const std::uint32_t address = readBigEndian32(reply.subspan(1, 4));
    return address != *m_requestedAddress && isReadReplyFor(reply, address);
}

void LinkEngine::applyRetryRule() {
    m_persistPending = true;
    switch (ApplyRetryRule(m_retryCount, m_step)) {
    case RetryDecision::Resend:
        ResendFrame();
        return;
    case RetryDecision::AskRetryCancel:
        m_pending = Pending::RetryCancel;
        post<AskRetryCancelAction>({});
        return;
    case RetryDecision::FinishAsSuccess:
        FinishTransfer(true);
        return;
    case RetryDecision::Fail:
        post<ClosePortAction>({});
        post<MessageAction>({Error::keyed(99017)});
        FinishTransfer(false);
        return;
    }
}

void LinkEngine::PasswordStep() {
    std::array<std::uint8_t, kBlockLength> block{};
    m_image.read(kRadioInfoBlock, block);
    m_radioPassword = RadioPasswordFromBlock(block);
    if (PasswordAccepted(m_radioPassword, m_enteredPassword, m_request.codeplugPassword)) {
        NextStep();
        return;
    }
    m_pending = Pending::Password;
    m_persistPending = true;
    post<AskPasswordAction>({m_enteredPassword});
}

// ---------------------------------------------------------------------------------------------
// The sequencer

void LinkEngine::NextStep() {
    const OperationKind kind = m_request.kind;
    switch (m_step) {
    case TransferStep::ConnectSent:
        m_step = TransferStep::IdentifySent;
        if (kind == OperationKind::ReadCodeplug || kind == OperationKind::WriteCodeplug)
            post<ProgressAction>({0});
        sendCoreFrame(IdentifyFrame());
        return;
    case TransferStep::IdentifySent:
        if (readsInfoAndQueries(kind)) {
            m_step = TransferStep::Query3Sent;
            sendCoreFrame(QueryFrame(0x03));
            return;
        }
        m_step = TransferStep::Query4Sent;
        NextStep();
        return;
    case TransferStep::Query3Sent:
        m_step = TransferStep::Query4Sent;
        if (readsInfoAndQueries(kind)) {
            sendCoreFrame(QueryFrame(0x04));
            return;
        }
        NextStep();
        return;
    case TransferStep::Query4Sent:
    case TransferStep::ReadingBlocks: {
        const bool first = m_step == TransferStep::Query4Sent;
        m_step = TransferStep::ReadingBlocks;
        switch (kind) {
        case OperationKind::ReadCodeplug:
        case OperationKind::WriteCodeplug:
        case OperationKind::ReadRadioInfo:
        case OperationKind::ReadBack:
            ReadNextBlock();
            return;
        case OperationKind::RecordingList:
            if (first) {
                m_step = TransferStep::RecordingList;
                sendFeatureFrame(RecordingStep::ListQuery);
            } else {
                sendFeatureFrame(RecordingStep::EntryQuery);
            }
            return;
        case OperationKind::RecordingRead:
            sendFeatureFrame(RecordingStep::DataRead);
            return;
        case OperationKind::ReadBootImage:
            ReadNextImageBlock();
            return;
        case OperationKind::WriteBootImage:
            WriteNextImageBlock();
            return;
        default:
            return;
        }
    }
    case TransferStep::WritingBlocks:
        if (kind == OperationKind::WriteCodeplug)
            WriteNextBlock();
        return;
    case TransferStep::RecordingList:
        sendFeatureFrame(RecordingStep::EntryQuery);
        return;
    case TransferStep::EndAfterFailure:
        FinishTransfer(false, {Error::keyed(99005)});
        return;
    case TransferStep::EndAfterSuccess:
        FinishTransfer(true);
        return;
    default:
        return;
    }
}

void LinkEngine::ReadNextBlock() {
    const std::int64_t next = NextMarkedBlock(m_blocks, m_currentBlock + 16, m_pass);
    if (next >= 0) {
        m_currentBlock = next;
        if (progressShown(m_request.kind, m_pass))
            UpdateProgress();
        const auto address = static_cast<std::uint32_t>(next);
        sendCoreFrame(ReadBlockFrame(address), address);
        return;
    }
    if (!NextPass()) {
        SendEnd(true);
        return;
    }
    // A write waits here for encode-all (encodeAnswered).
    if (m_pending == Pending::Encode)
        return;
    NextStep();
}

void LinkEngine::startWriting() {
    if (!m_encodeOK) {
        // Encode-all failed: not one block reaches the radio.
        SendEnd(false);
        return;
    }
    m_step = TransferStep::WritingBlocks;
    NextStep();
}

void LinkEngine::WriteNextBlock() {
    const std::int64_t next = NextMarkedBlock(m_blocks, m_currentBlock + 16, m_pass);
    if (next >= 0) {
        m_currentBlock = next;
        if (progressShown(m_request.kind, m_pass))
            UpdateProgress();
        const auto address = static_cast<std::uint32_t>(next);
        std::array<std::uint8_t, kBlockLength> data{};
        m_image.read(address, data);
        sendCoreFrame(WriteBlockFrame(address, data));
        return;
    }
    if (!NextPass()) {
        SendEnd(true);
        return;
    }
    NextStep();
}

bool LinkEngine::NextPass() {
    --m_pass;
    // Every pass walks the map from the bottom of the address space again.
    m_currentBlock = -16;
    if (m_pass < 1)
        return false;
    const OperationKind kind = m_request.kind;
    if (kind == OperationKind::WriteCodeplug && m_pass == 1) {
        // The information block read in pass 3 is in the image: encode-all may go over it.
        m_pending = Pending::Encode;
        post<EncodeImageAction>({});
        return true;
    }
    if (m_pass == 2)
        MarkPass2(m_blocks, m_image, kind);
    if (kind == OperationKind::ReadCodeplug && m_pass == 1)
        MarkPass1(m_blocks, m_image);
    if (progressShown(kind, m_pass))
        CountPassBlocks();
    return true;
}

void LinkEngine::CountPassBlocks() {
    m_progress.startPass(r605::CountPassBlocks(m_blocks, m_pass));
    post<ProgressAction>({0});
}

void LinkEngine::UpdateProgress() {
    if (auto percent = m_progress.blockDone())
        post<ProgressAction>({*percent});
}

void LinkEngine::updateImageProgress() {
    const int percent = BootImageProgressPercent(m_imageOffset);
    if (percent == m_imagePercent)
        return;
    m_imagePercent = percent;
    post<ProgressAction>({percent});
}

void LinkEngine::ReadNextImageBlock() {
    m_imageOffset += 16;
    if (m_imageOffset >= static_cast<std::int64_t>(kBootImageSize)) {
        SendEnd(true);
        return;
    }
    updateImageProgress();
    const auto address = kBootImageAddress + static_cast<std::uint32_t>(m_imageOffset);
    sendCoreFrame(ReadBlockFrame(address), address);
}

void LinkEngine::WriteNextImageBlock() {
    m_imageOffset += 16;
    if (m_imageOffset >= static_cast<std::int64_t>(kBootImageSize)) {
        SendEnd(true);
        return;
    }
    updateImageProgress();
    const auto offset = static_cast<std::size_t>(m_imageOffset);
    const auto address = kBootImageAddress + static_cast<std::uint32_t>(offset);
    const std::span<const std::uint8_t, kBlockLength> data(m_request.bootImage.data() + offset,
                                                           kBlockLength);
    sendCoreFrame(WriteBlockFrame(address, data));
}

void LinkEngine::SendEnd(bool success) {
    m_step = success ? TransferStep::EndAfterSuccess : TransferStep::EndAfterFailure;
    sendCoreFrame(EndFrame(), std::nullopt, false, kEndFramePauseMs);
}

void LinkEngine::FinishTransfer(bool success, std::vector<Error> after) {
    post<ClosePortAction>({});
    FinishedAction finished{success, {}};
    if (auto message = FinishMessage(m_request.kind, success))
        finished.messages.push_back(Error::keyed(*message));
    for (Error& error : after)
        finished.messages.push_back(std::move(error));
    m_actions.emplace_back(std::in_place_type<FinishedAction>, std::move(finished));
    m_step = TransferStep::Idle;
    m_awaitingReply = false;
    m_pending = Pending::None;
    m_finished = true;
    m_success = success;
    if (m_recorder != nullptr)
        m_recorder->transferEnded();
}

void LinkEngine::guardAgainstStall() {
    // Every event must leave a frame outstanding, a question to the user, or a finished transfer;
    // a sequencer state that sends nothing would otherwise leave the driver waiting for ever.
    if (m_finished || m_awaitingReply || m_pending != Pending::None || !m_started)
        return;
    FinishTransfer(false);
}

} // namespace r605
