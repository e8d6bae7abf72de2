#include "transfer/boot_image_jobs.h"

#include "link/boot_image_transfer.h"
#include "transfer/codeplug_transfer.h"

#include <algorithm>
#include <utility>

namespace r605 {

namespace {

TransferRequest imageRequest(OperationKind kind, std::string enteredPassword) {
    TransferRequest request;
    request.kind = kind;
    request.enteredPassword = std::move(enteredPassword);
    return request;
}

} // namespace

std::vector<std::uint32_t> DifferingImageBlocks(const BootImage& written,
                                                const BootImage& readBack) {
    std::vector<std::uint32_t> blocks;
    for (std::size_t offset = 0; offset < kBootImageSize; offset += 16) {
        const auto at = static_cast<std::ptrdiff_t>(offset);
        if (!std::equal(written.begin() + at, written.begin() + at + 16, readBack.begin() + at))
            blocks.push_back(kBootImageAddress + static_cast<std::uint32_t>(offset));
    }
    return blocks;
}

BootImageReadJob::BootImageReadJob(std::string enteredPassword, LinkRecorder* recorder)
    : TransferJob(OperationKind::ReadBootImage, recorder),
      m_enteredPassword(std::move(enteredPassword)) {}

void BootImageReadJob::begin() {
    startRun(imageRequest(OperationKind::ReadBootImage, m_enteredPassword), m_image, m_blocks);
}

void BootImageReadJob::runEnded(const FinishedAction& finished) {
    // Only a whole image is an image: a failed read gives nothing.
    if (finished.success)
        m_result = CopyImageFromCommData(m_image);
    finish(finished.success, finished.messages);
}

BootImageWriteJob::BootImageWriteJob(const BootImage& image, bool verify,
                                     std::string enteredPassword, LinkRecorder* recorder)
    : TransferJob(OperationKind::WriteBootImage, recorder), m_picture(image), m_verify(verify),
      m_enteredPassword(std::move(enteredPassword)) {}

void BootImageWriteJob::begin() {
    TransferRequest request = imageRequest(OperationKind::WriteBootImage, m_enteredPassword);
    request.bootImage.assign(m_picture.begin(), m_picture.end());
    startRun(std::move(request), m_image, m_blocks);
}

void BootImageWriteJob::runEnded(const FinishedAction& finished) {
    if (m_verifying) {
        if (!finished.success) {
            for (const Error& message : finished.messages)
                m_messages.push_back(message);
            finish(false, std::move(m_messages));
            return;
        }
        m_differing = DifferingImageBlocks(m_picture, CopyImageFromCommData(m_image));
        const bool same = m_differing.empty();
        m_messages.push_back(same ? Error::keyed(2011)
                                  : Error::keyed(2010, BlockListText(m_differing)));
        finish(same, std::move(m_messages));
        return;
    }
    m_messages = finished.messages;
    m_written = finished.success;
    if (!finished.success || !m_verify) {
        finish(finished.success, std::move(m_messages));
        return;
    }
    m_verifying = true;
    m_image.clear();
    startRun(imageRequest(OperationKind::ReadBootImage, lastRun().enteredPassword()), m_image,
             m_blocks);
}

} // namespace r605
