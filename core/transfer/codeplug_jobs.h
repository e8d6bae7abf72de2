#pragma once
// The Read and Write commands as jobs over the link engine, working on a document.
//
// A read adopts what the radio holds into the document only when the whole read has succeeded.
// A write first checks the codeplug's content, optionally reads the radio's own codeplug and
// saves it as a backup, then writes: before encode-all it hands the document one edit
// (EditKind::CompactContacts) that brings the codeplug to what the radio takes (contacts
// compacted, DTMF settings corrected), so that what was sent is what the document holds and the
// change shows in the history. With verify it reads every written block back and compares.

#include "document/document.h"
#include "image/comm_image.h"
#include "link/radio_ident.h"
#include "transfer/transfer_job.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace r605 {

// What a read decodes the radio's image over: the document's codeplug (the window), or the new
// codeplug of the radio's band (the command line, which has no codeplug open).
enum class ReadBase { Document, NewCodeplug };

struct CodeplugReadOptions {
    std::string enteredPassword;
    ReadBase decodeOver = ReadBase::Document;
};

class CodeplugReadJob : public TransferJob {
public:
    CodeplugReadJob(Document& document, CodeplugReadOptions options,
                    LinkRecorder* recorder = nullptr);

    // After a successful read: what the radio said about itself, and what decode-all left out
    // (also written to the communication log).
    const RadioIdent& radioIdent() const { return m_ident; }
    const std::vector<Error>& decodeWarnings() const { return m_warnings; }

private:
    void begin() override;
    void runEnded(const FinishedAction& finished) override;

    Document& m_document;
    CodeplugReadOptions m_options;
    CommImage m_image;
    RadioIdent m_ident;
    std::vector<Error> m_warnings;
};

struct CodeplugWriteOptions {
    std::string enteredPassword;
    // Read every written block back and compare (2011 when all agree, 2010 naming the others).
    bool verify = false;
    // Read the radio's codeplug first and save it here (in the file form the name asks for); the
    // write goes ahead only once the backup holds all of it.
    std::optional<std::filesystem::path> backupFile;
    ContactTextForm backupTextForm = ContactTextForm::Gbk;
};

class CodeplugWriteJob : public TransferJob {
public:
    CodeplugWriteJob(Document& document, CodeplugWriteOptions options,
                     LinkRecorder* recorder = nullptr);

    // The edit the write handed the document before encode-all; empty when the codeplug needed
    // none. The window puts it on its undo stack.
    const ChangeSet& normalisation() const { return m_normalisation; }
    // The blocks the write sent, ascending (after the write run).
    const std::vector<std::uint32_t>& writtenBlocks() const { return m_written; }
    // The blocks whose read-back differed (after a verify that found any).
    const std::vector<std::uint32_t>& differingBlocks() const { return m_differing; }
    // Whether the backup was saved.
    bool backupSaved() const { return m_backupSaved; }

private:
    enum class Stage { Backup, Write, Verify };

    void begin() override;
    void runEnded(const FinishedAction& finished) override;
    bool encodeImage() override;

    TransferRequest request(OperationKind kind, std::string enteredPassword) const;
    void startWrite(std::string enteredPassword);
    void backupEnded(const FinishedAction& finished);
    void writeEnded(const FinishedAction& finished);
    void verifyEnded(const FinishedAction& finished);
    void fail(std::vector<Error> messages);

    Document& m_document;
    CodeplugWriteOptions m_options;
    Stage m_stage = Stage::Write;
    CommImage m_image;     // the write's image and block map
    CommImage m_readImage; // the backup's or the read-back's
    ChangeSet m_normalisation{EditKind::CompactContacts};
    std::vector<std::uint32_t> m_written;
    std::vector<std::uint32_t> m_differing;
    std::vector<Error> m_messages;
    bool m_backupSaved = false;
};

} // namespace r605
