#include "file/codeplug_document.h"

#include "base/file_io.h"
#include "file/default_channel_file.h"
#include "file/rdt_format.h"
#include "model/new_codeplug.h"
#include "settings/program_folders.h"
#include "text/trim.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace r605 {

namespace fs = std::filesystem;

namespace {

constexpr std::int16_t kNoMember = -1; // 65535 as the 16-bit member lists hold it

Error readError(const fs::path& fileName, const Error& cause) {
    return Error::keyed(99126, fileName.string() + " (" + cause.text + ")");
}

Error withFileName(const fs::path& fileName, Error error) {
    // The version message is a fixed text of its own; the others name the file.
    if (!error.key)
        return error;
    error.text = fileName.string() + (error.text.empty() ? "" : ": " + error.text);
    return error;
}

// Removes repeats and "none" members from the first `count` members; `companion`, when given,
// moves with the members.
template <std::size_t N>
std::int16_t cleanMembers(std::array<std::int16_t, N>& members, std::int16_t count,
                          std::type_identity_t<std::array<std::int16_t, N>>* companion) {
    const std::size_t used =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(count, 0)), N);
    for (std::size_t k = used; k-- > 1;) {
        for (std::size_t earlier = 0; earlier < k; ++earlier) {
            if (members[earlier] == members[k]) {
                members[k] = kNoMember;
                break;
            }
        }
    }
    std::size_t kept = 0;
    for (std::size_t k = 0; k < used; ++k) {
        if (members[k] == kNoMember)
            continue;
        members[kept] = members[k];
        if (companion != nullptr)
            (*companion)[kept] = (*companion)[k];
        ++kept;
    }
    for (std::size_t k = kept; k < used; ++k) {
        members[k] = kNoMember;
        if (companion != nullptr)
            (*companion)[k] = -1;
    }
    return static_cast<std::int16_t>(kept);
}

} // namespace

Result<CurrentBand> CurrentBand::forCode(int bandCode) {
    auto ranges = bandRangesForCode(bandCode);
    if (!ranges)
        return ranges.error();
    CurrentBand band;
    band.BandCode = bandCode;
    band.BandText = std::string(BandTextForCode(bandCode));
    band.BandRanges = *ranges;
    band.ModelName = ModelNameFor(kModelFamily, bandCode);
    return band;
}

ContactTextForm TextFormForEdition(std::string_view editionCode) {
    return editionCode == "Soft_English" ? ContactTextForm::SevenBit : ContactTextForm::Gbk;
}

void CleanZoneAndScanListMembers(Codeplug& codeplug) {
    for (ZoneRec& zone : codeplug.Zone) {
        if (zone.Used > 0)
            zone.Count = cleanMembers(zone.Members, zone.Count, nullptr);
    }
    for (ScanListRec& list : codeplug.ScanList) {
        if (list.Used > 0)
            list.Count = cleanMembers(list.Members, list.Count, &list.MemberZones);
    }
}

std::string InitialFileName(std::string_view modelFamily, int bandCode) {
    return TrimAtNull(modelFamily) + "_" + std::to_string(bandCode) + ".rdt";
}

NewCodeplugFiles NewCodeplugFiles::inProgramFolder(const ProgramFolders& folders, int bandCode) {
    const fs::path init = "Init";
    return NewCodeplugFiles{folders.readPath(std::string(kDefaultChannelFile)),
                            folders.readPath(init / InitialFileName(kModelFamily, bandCode)),
                            folders.readPath(init / InitialFileName(kModelFamily, 0))};
}

CodeplugDocument::CodeplugDocument()
    : m_tables(NumberedEmptyCodeplug()), m_band(*CurrentBand::forCode(0)),
      m_fileName(std::string(kNewFileName)) {
    m_tables.Header = currentHeader();
    m_staging = m_tables;
}

Status CodeplugDocument::setBand(int bandCode) {
    auto band = CurrentBand::forCode(bandCode);
    if (!band)
        return band.error();
    m_band = std::move(*band);
    return Status::success();
}

void CodeplugDocument::markNewFile(fs::path fileName) {
    m_fileName = std::move(fileName);
    m_newFile = true;
}

CodeplugHeader CodeplugDocument::currentHeader() const {
    return CodeplugHeader{std::string(kModelFamily), static_cast<std::int16_t>(m_band.BandCode),
                          std::string(kCurrentDataVersion)};
}

void CodeplugDocument::CopyTablesToStaging() {
    m_tables.Header = currentHeader();
    m_staging = m_tables;
}

Status CodeplugDocument::CopyStagingToTables() {
    auto band = CurrentBand::forCode(m_staging.Header.BandCode);
    if (!band)
        return band.error();
    m_tables = m_staging;
    m_band = std::move(*band);
    return Status::success();
}

bool CodeplugDocument::CodeplugChanged() const {
    return !(m_tables == m_staging);
}

Result<std::vector<Error>> CodeplugDocument::SaveCodeplugFile(ContactTextForm form) {
    return SaveCodeplugFile(m_fileName, form);
}

Result<std::vector<Error>> CodeplugDocument::SaveCodeplugFile(const fs::path& fileName,
                                                              ContactTextForm form) {
    m_saveCandidate = m_tables;
    m_saveCandidate.Header = currentHeader();
    auto bytes = EncodeCodeplugFile(m_saveCandidate, form);
    if (!bytes)
        return bytes.error();
    if (Status written = writeFileAtomically(fileName, *bytes); !written)
        return Error::keyed(99129, written.error().text);
    m_tables.Header = m_saveCandidate.Header;
    std::swap(m_staging, m_saveCandidate);
    m_fileName = fileName;
    m_newFile = false;
    return std::vector<Error>{Error::literal("Save File OK")};
}

Result<std::vector<Error>> CodeplugDocument::load(const fs::path& fileName) {
    auto bytes = readFileBytes(fileName, kMaxCodeplugFileBytes);
    if (!bytes)
        return readError(fileName, bytes.error());
    if (Status decoded = DecodeCodeplugFileInto(*bytes, m_loadCandidate); !decoded)
        return withFileName(fileName, decoded.error());
    auto band = CurrentBand::forCode(m_loadCandidate.codeplug.Header.BandCode);
    if (!band)
        return withFileName(fileName, band.error());
    // Only a complete, valid file gets this far.
    std::swap(m_staging, m_loadCandidate.codeplug);
    if (Status copied = CopyStagingToTables(); !copied)
        return copied.error();
    CleanZoneAndScanListMembers(m_tables);
    return m_loadCandidate.warnings;
}

Result<std::vector<Error>> CodeplugDocument::LoadCodeplugFile(const fs::path& fileName) {
    auto messages = load(fileName);
    if (!messages)
        return messages;
    m_fileName = fileName;
    m_newFile = false;
    messages->push_back(Error::literal("Load File OK"));
    return messages;
}

std::vector<Error> CodeplugDocument::NewCodeplug(const NewCodeplugFiles& files) {
    markNewFile();
    const ChannelRec channelTemplate = LoadDefaultChannel(files.defaultChannel, m_band.BandRanges);
    m_tables = r605::NewCodeplug(m_band.BandCode, m_band.BandRanges, channelTemplate);

    std::vector<Error> messages;
    std::error_code ignored;
    if (fs::is_regular_file(files.initialFile, ignored)) {
        auto loaded = LoadInitialFile(files.initialFile);
        if (loaded)
            messages = std::move(*loaded);
        else
            messages.push_back(loaded.error());
    } else if (fs::is_regular_file(files.initialHeaderFile, ignored)) {
        if (Status adopted = LoadInitialHeader(files.initialHeaderFile); !adopted)
            messages.push_back(adopted.error());
    }
    CopyTablesToStaging();
    return messages;
}

Result<std::vector<Error>> CodeplugDocument::LoadInitialFile(const fs::path& fileName) {
    return load(fileName);
}

Status CodeplugDocument::LoadInitialHeader(const fs::path& fileName) {
    auto bytes = readFilePrefix(fileName, 12 + HeaderRecordSize());
    if (!bytes)
        return readError(fileName, bytes.error());
    if (Status adopted = AdoptCodeplugFileSettings(*bytes, m_tables); !adopted)
        return withFileName(fileName, adopted.error());
    return Status::success();
}

} // namespace r605
