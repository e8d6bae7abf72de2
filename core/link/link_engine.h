#pragma once
// The link engine: the whole programming protocol of a transfer as a state machine without I/O.
// It is given the bytes that arrive, the expiry of the time-out it asked for, and the user's
// answers; it answers with actions (send a frame and arm a time-out, show progress, ask, finish).
// It reads blocks into and writes blocks from the memory image (CommData) and plans the passes in
// the block map (WriteBlockMap) it is given; a write asks for encode-all with an action and waits
// for the answer. It knows nothing of the codeplug, the document or the settings: the transfer
// jobs (core/transfer) run it for the window, the command-line tool, the tests and the
// benchmarks.
//
// Waiting for a reply is always bounded. A reply that has begun to arrive when its time-out
// expires gets one further wait of the same length (the radio may be in the middle of sending
// it); still incomplete after that, it counts as missing and the retry rule decides. Bytes beyond
// the length a reply asks for are not taken (the purge before the next frame drops them), except
// after a late read reply for an earlier block, which is set aside so that the frame's own reply
// behind it in the same bytes still counts. An identification that names another model or band
// is asked for again like a bad reply, and refused only when the radio repeats it: the reply has
// no checksum, and a noisy cable must not pass for the wrong radio.

#include "image/memory_image.h"
#include "link/frames.h"
#include "link/link_action.h"
#include "link/link_recorder.h"
#include "link/operation_kind.h"
#include "link/radio_ident.h"
#include "link/transfer_progress.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace r605 {

// The frames of the voice-recording transfers (kinds 4 and 5) and the play control (kind 6) are
// the features' own: the engine asks for the next frame where the sequencer sends one and hands
// every reply of the frame's length to the feature.
enum class RecordingStep { ListQuery, EntryQuery, DataRead, PlayControl };

struct RecordingFeature {
    // The next frame of a recording step; none when the feature is done (the transfer then ends).
    std::function<std::optional<LinkFrame>(RecordingStep step)> nextFrame;
    // Judges a reply to one of the feature's frames; false counts as an unrecognised reply.
    std::function<bool(std::span<const std::uint8_t> reply)> takeReply;
};

struct TransferRequest {
    OperationKind kind = OperationKind::None;
    // The codeplug in memory: its band (a write must go to a radio of this band) and its
    // programming password (a radio with this password is accepted without asking).
    int codeplugBandCode = 0;
    std::string codeplugPassword;
    // EnteredPassword: the password last typed in the password dialog during this run.
    std::string enteredPassword;
    // The 40960 bytes of the boot image for a boot-image write.
    std::vector<std::uint8_t> bootImage;
    // The block addresses a read-back fetches (the blocks a write has sent).
    std::vector<std::uint32_t> readBackBlocks;
    RecordingFeature recording;
};

// Counts of what went over the link, for tests, the log summary and the benchmarks.
struct LinkStatistics {
    std::size_t framesSent = 0; // every frame written, resends included
    std::size_t resends = 0;
    std::size_t readBlockFrames = 0;
    std::size_t writeBlockFrames = 0;
    std::size_t bytesSent = 0;
    std::size_t bytesReceived = 0; // bytes taken into replies
    std::size_t timeouts = 0;      // replies missing or incomplete at their time-out
    std::size_t unrecognised = 0;  // complete replies that matched nothing
    std::size_t staleReplies = 0;  // read replies for an earlier block, set aside
    std::size_t restarts = 0;      // Retry answers to message 2003
};

class LinkEngine {
public:
    LinkEngine(TransferRequest request, MemoryImage& image, BlockMap& blocks,
               LinkRecorder* recorder = nullptr);

    // Prepares the image and the block marks for the kind and sends the connect frame (for the
    // play control: the feature's first frame). The port must be open.
    LinkActions start();
    LinkActions bytesReceived(std::span<const std::uint8_t> bytes);
    LinkActions timeoutExpired();
    LinkActions retryAnswered(bool retry);
    // The password dialog closed: OK with the text typed, or Cancel (none).
    LinkActions passwordAnswered(std::optional<std::string> entered);
    // Encode-all has filled the image and the block map for a write (EncodeImageAction): EncodeOK.
    LinkActions encodeAnswered(bool encodeOK);

    bool finished() const { return m_finished; }
    bool succeeded() const { return m_finished && m_success; }
    bool waitingForUser() const {
        return m_pending == Pending::RetryCancel || m_pending == Pending::Password;
    }
    bool waitingForImage() const { return m_pending == Pending::Encode; }

    OperationKind kind() const { return m_request.kind; }
    int transferStep() const { return m_step; }
    int transferPass() const { return m_pass; }
    const RadioIdent& radioIdent() const { return m_ident; }
    const std::string& radioPassword() const { return m_radioPassword; }
    const std::string& enteredPassword() const { return m_enteredPassword; }
    bool encodeOK() const { return m_encodeOK; }
    const LinkStatistics& statistics() const { return m_statistics; }

private:
    enum class Pending { None, RetryCancel, Password, Encode };
    // What a refused identification said: the model text and the band code.
    using IdentitySeen = std::pair<std::string, int>;

    // Queues an action for the driver (not named `emit`: Qt's headers make that word a macro).
    template <class Action> void post(Action action) {
        m_actions.emplace_back(std::in_place_type<Action>, std::move(action));
    }
    void step(std::string_view caption);
    LinkActions takeActions();
    void InitTransfer();
    void SendConnect();
    void SendFrame(const LinkFrame& frame, bool resend, bool longTimeout, int delayMs = 0);
    void sendCoreFrame(const LinkFrame& frame, std::optional<std::uint32_t> requestedAddress = {},
                       bool longTimeout = false, int delayMs = 0);
    void sendFeatureFrame(RecordingStep step);
    void ResendFrame();
    void ProcessReply();
    void takeIdentification(std::span<const std::uint8_t> reply);
    void applyRetryRule();
    bool isStaleReadReply(std::span<const std::uint8_t> reply) const;
    void NextStep();
    void ReadNextBlock();
    void WriteNextBlock();
    bool NextPass();
    void startWriting();
    void CountPassBlocks();
    void UpdateProgress();
    void PasswordStep();
    void ReadNextImageBlock();
    void WriteNextImageBlock();
    void updateImageProgress();
    void SendEnd(bool success);
    void FinishTransfer(bool success, std::vector<Error> after = {});
    void guardAgainstStall();

    TransferRequest m_request;
    MemoryImage& m_image;
    BlockMap& m_blocks;
    LinkRecorder* m_recorder;
    LinkActions m_actions;
    // Something went wrong in this event: the recorder keeps what it has before the actions go
    // out.
    bool m_persistPending = false;

    int m_step = 0;
    int m_pass = 0;
    std::int64_t m_currentBlock = -16;
    std::int64_t m_imageOffset = -16;
    bool m_encodeOK = true;

    LinkFrame m_lastFrame;
    bool m_longTimeout = false;
    bool m_featureFrame = false;
    std::optional<std::uint32_t> m_requestedAddress;
    int m_retryCount = 0;
    int m_readTimeoutMs = 0;
    std::vector<std::uint8_t> m_received;
    bool m_awaitingReply = false;
    bool m_waitExtended = false;

    Pending m_pending = Pending::None;
    bool m_started = false;
    bool m_finished = false;
    bool m_success = false;

    RadioIdent m_ident;
    // The refused identifications of the current frame and its resends.
    std::vector<IdentitySeen> m_refusedIdentities;
    std::string m_radioPassword;
    std::string m_enteredPassword;
    TransferProgress m_progress;
    int m_imagePercent = -1;
    LinkStatistics m_statistics;
};

} // namespace r605
