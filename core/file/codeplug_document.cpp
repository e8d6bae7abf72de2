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

std::vector<Error> CleanZoneAndScanListMembers(Codeplug& codeplug) {
    std::vector<Error> repairs;
    const auto note = [&repairs](std::string_view table, std::size_t entry, const std::string& name,
                                 int before, int after) {
        if (before == after)
            return;
        repairs.push_back(Error::literal(
            std::string(table) + " " + std::to_string(entry + 1) +
            (name.empty() ? "" : " \"" + name + "\"") + ": repeated and empty members removed, " +
            std::to_string(before) + " members now " + std::to_string(after)));
    };
    for (std::size_t i = 0; i < codeplug.Zone.size(); ++i) {
        ZoneRec& zone = codeplug.Zone[i];
        if (zone.Used <= 0)
            continue;
        const int before = zone.Count;
        zone.Count = cleanMembers(zone.Members, zone.Count, nullptr);
        note("Zone", i, zone.Name, before, zone.Count);
    }
    for (std::size_t i = 0; i < codeplug.ScanList.size(); ++i) {
        ScanListRec& list = codeplug.ScanList[i];
        if (list.Used <= 0)
            continue;
        const int before = list.Count;
        list.Count = cleanMembers(list.Members, list.Count, &list.MemberZones);
        note("ScanList", i, list.Name, before, list.Count);
    }
    return repairs;
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
    EncodedCodeplugFile encoded = EncodeCodeplugFile(m_saveCandidate, form);
    if (Status written = writeFileAtomically(fileName, encoded.bytes); !written)
        return Error::keyed(99129, written.error().text);
    // The staging copy is what the file holds: without the contacts it could not hold, which
    // stay in the working codeplug as unsaved changes.
    for (const std::size_t entry : encoded.contactsLeftOut)
        m_saveCandidate.Contact[entry].Used = 0;
    m_tables.Header = m_saveCandidate.Header;
    std::swap(m_staging, m_saveCandidate);
    m_fileName = fileName;
    m_newFile = false;
    std::vector<Error> messages = std::move(encoded.warnings);
    messages.push_back(Error::literal("Save File OK"));
    return messages;
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
    std::vector<Error> messages = m_loadCandidate.warnings;
    for (Error& repair : CleanZoneAndScanListMembers(m_tables))
        messages.push_back(std::move(repair));
    return messages;
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
        auto adopted = LoadInitialHeader(files.initialHeaderFile);
        if (adopted)
            messages = std::move(*adopted);
        else
            messages.push_back(adopted.error());
    }
    CopyTablesToStaging();
    return messages;
}

Result<std::vector<Error>> CodeplugDocument::LoadInitialFile(const fs::path& fileName) {
    return load(fileName);
}

Result<std::vector<Error>> CodeplugDocument::LoadInitialHeader(const fs::path& fileName) {
    auto bytes = readFilePrefix(fileName, 12 + HeaderRecordSize());
    if (!bytes)
        return readError(fileName, bytes.error());
    auto adopted = AdoptCodeplugFileSettings(*bytes, m_tables);
    if (!adopted)
        return withFileName(fileName, adopted.error());
    return adopted;
}

} // namespace r605
