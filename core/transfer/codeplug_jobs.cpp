#include "transfer/codeplug_jobs.h"

#include "image/family_codecs.h"
#include "schema/new_codeplug.h"
#include "transfer/codeplug_transfer.h"

#include <utility>

namespace r605 {

namespace {

// What the image of a read is decoded over.
Codeplug readBase(ReadBase base, const Document& document, int radioBandCode) {
    if (base == ReadBase::NewCodeplug) {
        if (auto fresh = NewCodeplug(radioBandCode))
            return std::move(*fresh);
    }
    return document.codeplug();
}

// The warnings of decode-all also go into the communication log.
void logWarnings(LinkRecorder* recorder, const std::vector<Error>& warnings) {
    if (recorder == nullptr)
        return;
    for (const Error& warning : warnings)
        recorder->step(warning.text);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Read

CodeplugReadJob::CodeplugReadJob(Document& document, CodeplugReadOptions options,
                                 LinkRecorder* recorder)
    : TransferJob(OperationKind::ReadCodeplug, recorder), m_document(document),
      m_options(std::move(options)) {}

void CodeplugReadJob::begin() {
    TransferRequest request;
    request.kind = OperationKind::ReadCodeplug;
    request.enteredPassword = m_options.enteredPassword;
    request.codeplugPassword = m_document.codeplug().Settings.ProgramPassword;
    startRun(std::move(request), m_image.CommData, m_image.WriteBlockMap);
}

void CodeplugReadJob::runEnded(const FinishedAction& finished) {
    if (!finished.success) {
        finish(false, finished.messages);
        return;
    }
    // The codeplug in memory is only touched once the whole read has succeeded.
    m_ident = lastRun().radioIdent();
    auto read = DecodeReadCodeplug(m_image, m_ident.bandCode,
                                   readBase(m_options.decodeOver, m_document, m_ident.bandCode));
    if (!read) {
        finish(false, {read.error()});
        return;
    }
    m_warnings = m_image.Warnings;
    logWarnings(recorder(), m_warnings);
    if (auto adopted = m_document.adoptRead(std::move(*read)); !adopted) {
        finish(false, {adopted.error()});
        return;
    }
    finish(true, finished.messages);
}

// ---------------------------------------------------------------------------------------------
// Write

CodeplugWriteJob::CodeplugWriteJob(Document& document, CodeplugWriteOptions options,
                                   LinkRecorder* recorder)
    : TransferJob(options.backupFile ? OperationKind::ReadCodeplug : OperationKind::WriteCodeplug,
                  recorder),
      m_document(document), m_options(std::move(options)) {}

TransferRequest CodeplugWriteJob::request(OperationKind kind, std::string enteredPassword) const {
    TransferRequest request;
    request.kind = kind;
    request.codeplugBandCode = m_document.codeplug().Header.BandCode;
    request.codeplugPassword = m_document.codeplug().Settings.ProgramPassword;
    request.enteredPassword = std::move(enteredPassword);
    return request;
}

void CodeplugWriteJob::fail(std::vector<Error> messages) {
    for (Error& message : messages)
        m_messages.push_back(std::move(message));
    finish(false, std::move(m_messages));
}

void CodeplugWriteJob::begin() {
    // The content checks come before anything is sent: nothing reaches the radio.
    if (const auto problem = WriteContentProblem(m_document.codeplug())) {
        fail({Error::keyed(99125), Error::keyed(*problem)});
        return;
    }
    if (!m_options.backupFile) {
        startWrite(m_options.enteredPassword);
        return;
    }
    m_stage = Stage::Backup;
    startRun(request(OperationKind::ReadCodeplug, m_options.enteredPassword), m_readImage.CommData,
             m_readImage.WriteBlockMap);
}

void CodeplugWriteJob::startWrite(std::string enteredPassword) {
    m_stage = Stage::Write;
    startRun(request(OperationKind::WriteCodeplug, std::move(enteredPassword)), m_image.CommData,
             m_image.WriteBlockMap);
}

void CodeplugWriteJob::runEnded(const FinishedAction& finished) {
    switch (m_stage) {
    case Stage::Backup:
        backupEnded(finished);
        return;
    case Stage::Write:
        writeEnded(finished);
        return;
    case Stage::Verify:
        verifyEnded(finished);
        return;
    }
}

void CodeplugWriteJob::backupEnded(const FinishedAction& finished) {
    // Without a backup the radio's codeplug is not to be overwritten: "Write failed!".
    if (!finished.success) {
        std::vector<Error> messages = finished.messages;
        messages.push_back(Error::keyed(2007));
        fail(std::move(messages));
        return;
    }
    const int band = lastRun().radioIdent().bandCode;
    auto radio =
        DecodeReadCodeplug(m_readImage, band, readBase(ReadBase::NewCodeplug, m_document, band));
    if (!radio) {
        fail({radio.error(), Error::keyed(2007)});
        return;
    }
    logWarnings(recorder(), m_readImage.Warnings);
    auto saved = SaveCodeplug(*m_options.backupFile, *radio, m_options.backupTextForm);
    if (!saved) {
        fail({saved.error(), Error::keyed(2007)});
        return;
    }
    if (!saved->contactsLeftOut.empty()) {
        // A backup that lost contacts could not give the radio back what it held.
        std::vector<Error> messages = std::move(saved->messages);
        messages.pop_back(); // "Save File OK"
        messages.push_back(Error::literal("the backup " + m_options.backupFile->string() +
                                          " cannot hold all of the radio's codeplug: give a .json "
                                          "file"));
        messages.push_back(Error::keyed(2007));
        fail(std::move(messages));
        return;
    }
    m_backupSaved = true;
    for (const Error& warning : m_readImage.Warnings)
        m_messages.push_back(warning);
    startWrite(lastRun().enteredPassword());
}

bool CodeplugWriteJob::encodeImage() {
    // The normalisation is an edit of the document like any other; after Retry it finds nothing
    // left to change, and the first change set stays the one to undo.
    auto changes = m_document.apply(EditKind::CompactContacts, [](Codeplug& codeplug) {
        NormaliseForWrite(codeplug);
        return Status::success();
    });
    if (!changes) {
        m_messages.push_back(changes.error());
        return false;
    }
    if (!changes->empty())
        m_normalisation = std::move(*changes);
    SetCommDataAll(m_document.codeplug(), m_image);
    for (const std::string& message : m_image.Messages)
        m_messages.push_back(Error::literal(message));
    return m_image.EncodeOK;
}

void CodeplugWriteJob::writeEnded(const FinishedAction& finished) {
    for (const Error& message : finished.messages)
        m_messages.push_back(message);
    if (!finished.success) {
        fail({});
        return;
    }
    m_written = WrittenBlocks(m_image.WriteBlockMap);
    if (!m_options.verify) {
        finish(true, std::move(m_messages));
        return;
    }
    m_stage = Stage::Verify;
    TransferRequest verify = request(OperationKind::ReadBack, lastRun().enteredPassword());
    verify.readBackBlocks = m_written;
    startRun(std::move(verify), m_readImage.CommData, m_readImage.WriteBlockMap);
}

void CodeplugWriteJob::verifyEnded(const FinishedAction& finished) {
    if (!finished.success) {
        fail(finished.messages);
        return;
    }
    m_differing = DifferingBlocks(m_image.CommData, m_readImage.CommData, m_written);
    if (!m_differing.empty()) {
        fail({Error::keyed(2010, BlockListText(m_differing))});
        return;
    }
    m_messages.push_back(Error::keyed(2011));
    finish(true, std::move(m_messages));
}

} // namespace r605
