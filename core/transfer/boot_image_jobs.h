#pragma once
// The boot image transfers as jobs: read the image out of a radio, and write one into a radio,
// optionally reading it back and comparing it block by block.

#include "bootimage/boot_image.h"
#include "image/memory_image.h"
#include "transfer/transfer_job.h"

#include <cstdint>
#include <string>
#include <vector>

namespace r605 {

class BootImageReadJob : public TransferJob {
public:
    explicit BootImageReadJob(std::string enteredPassword, LinkRecorder* recorder = nullptr);

    // The image, once all of it has come (CopyImageFromCommData after the read succeeded).
    const BootImage& image() const { return m_result; }

private:
    void begin() override;
    void runEnded(const FinishedAction& finished) override;

    std::string m_enteredPassword;
    MemoryImage m_image;
    BlockMap m_blocks;
    BootImage m_result{};
};

class BootImageWriteJob : public TransferJob {
public:
    BootImageWriteJob(const BootImage& image, bool verify, std::string enteredPassword,
                      LinkRecorder* recorder = nullptr);

    // Whether every block went to the radio (whatever the read-back found after).
    bool written() const { return m_written; }
    // The blocks whose read-back differed (after a verify that found any).
    const std::vector<std::uint32_t>& differingBlocks() const { return m_differing; }

private:
    void begin() override;
    void runEnded(const FinishedAction& finished) override;

    BootImage m_picture;
    bool m_verify;
    bool m_verifying = false;
    bool m_written = false;
    std::string m_enteredPassword;
    MemoryImage m_image;
    BlockMap m_blocks;
    std::vector<Error> m_messages;
    std::vector<std::uint32_t> m_differing;
};

// The 16-byte blocks, by radio address, in which two boot images differ.
std::vector<std::uint32_t> DifferingImageBlocks(const BootImage& written,
                                                const BootImage& readBack);

} // namespace r605
