#pragma once
// The codeplug the program works on, with what belongs to it as a document: the staging copy
// (the codeplug as last saved, loaded or read, against which unsaved changes are found), the
// band it belongs to, its file name and whether it is a new file never saved.
//
// Every file operation works on a candidate first: a refused or failed load leaves the working
// codeplug, the staging copy and the band as they were; a failed save leaves the staging copy
// (and so the "unsaved changes" question) and the old file as they were.

#include "base/result.h"
#include "file/contact_block.h"
#include "file/rdt_format.h"
#include "model/codeplug.h"
#include "rules/band.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

// The band a codeplug belongs to, with everything derived from its code.
struct CurrentBand {
    int BandCode = 0;
    std::string BandText;
    r605::BandRanges BandRanges;
    std::string ModelName;

    // An error for a code outside the band table.
    static Result<CurrentBand> forCode(int bandCode);
    bool operator==(const CurrentBand&) const = default;
};

// The text form of saved files: "English" (7-bit contact texts) for the edition "Soft_English",
// else "GBK".
ContactTextForm TextFormForEdition(std::string_view editionCode);

inline constexpr std::string_view kNewFileName = "new.rdt";

class ProgramFolders;

// "R600MK_34.rdt": the initial codeplug file of a model family and band.
std::string InitialFileName(std::string_view modelFamily, int bandCode);

// The files a new codeplug is made from: the default-channel template, the initial codeplug file
// of its band, and the initial file whose header and settings it takes when its band has none.
struct NewCodeplugFiles {
    std::filesystem::path defaultChannel;
    std::filesystem::path initialFile;
    std::filesystem::path initialHeaderFile;

    // "Default.ini", "Init/R600MK_<band>.rdt" and "Init/R600MK_0.rdt" of the program folder.
    static NewCodeplugFiles inProgramFolder(const ProgramFolders& folders, int bandCode);
};

// Removes repeated channels from the member lists of every zone and scan list in use (a repeat
// of an earlier member, and members marked 65535, go; the rest close up in order and Count
// becomes what is left). A scan list's member zones move with their members. Gives one message
// for each list it changed.
std::vector<Error> CleanZoneAndScanListMembers(Codeplug& codeplug);

class CodeplugDocument {
public:
    // An empty codeplug of band 0, named "new.rdt", marked as a new file.
    CodeplugDocument();

    Codeplug& tables() { return m_tables; }
    const Codeplug& tables() const { return m_tables; }
    const Codeplug& staging() const { return m_staging; }
    const CurrentBand& band() const { return m_band; }
    const std::filesystem::path& CurrentFileName() const { return m_fileName; }
    bool isNewFile() const { return m_newFile; }

    // The band of the working codeplug (the model dialog, a radio read). An unknown code changes
    // nothing.
    Status setBand(int bandCode);
    // Names the codeplug as a new file never saved.
    void markNewFile(std::filesystem::path fileName = std::filesystem::path(kNewFileName));

    // The staging copy becomes the working codeplug, whose header is filled first (model family,
    // the current band, data version "V110").
    void CopyTablesToStaging();
    // The working codeplug becomes the staging copy, and the band follows its header. A header
    // of an unknown band is refused and nothing changes.
    Status CopyStagingToTables();
    // True when the working codeplug differs from the staging copy.
    bool CodeplugChanged() const;

    // Writes the codeplug to CurrentFileName, or to `fileName`, which becomes CurrentFileName
    // once the file is written. Gives the messages to show: the contacts the file could not hold,
    // if any, then "Save File OK". Such contacts stay in the working codeplug but not in the
    // staging copy, which is what the file holds: the codeplug still has unsaved changes.
    Result<std::vector<Error>> SaveCodeplugFile(ContactTextForm form);
    Result<std::vector<Error>> SaveCodeplugFile(const std::filesystem::path& fileName,
                                                ContactTextForm form);

    // Reads a file into the codeplug; it becomes CurrentFileName. Gives the messages to show:
    // a warning about the contact block and every repair the load made (the file's own, then the
    // member lists cleaned up), then "Load File OK".
    Result<std::vector<Error>> LoadCodeplugFile(const std::filesystem::path& fileName);

    // The new codeplug of the current band (start-up, File/New, a band change): named "new.rdt"
    // and marked as a new file; every table emptied, the first records made, channels 1 and 2
    // from the default-channel template; then the band's initial file loaded over it, or, when
    // there is none, the header and settings of the fallback initial file. An initial file that
    // is refused is not used; its message is given back to be shown. The new codeplug counts as
    // unchanged.
    std::vector<Error> NewCodeplug(const NewCodeplugFiles& files);

    // The loaders of the new codeplug: the whole initial file (its warnings, no closing message;
    // the file name and the new-file mark stay), or only its header and settings record, whose
    // settings are adopted while model family, band and data version stay the working ones.
    Result<std::vector<Error>> LoadInitialFile(const std::filesystem::path& fileName);
    Result<std::vector<Error>> LoadInitialHeader(const std::filesystem::path& fileName);

private:
    Result<std::vector<Error>> load(const std::filesystem::path& fileName);
    CodeplugHeader currentHeader() const;

    Codeplug m_tables;
    Codeplug m_staging;
    // What a load reads into and a save writes from before either is taken: their storage is
    // kept from one file operation to the next (a codeplug is some MiB).
    DecodedCodeplugFile m_loadCandidate;
    Codeplug m_saveCandidate;
    CurrentBand m_band;
    std::filesystem::path m_fileName;
    bool m_newFile = true;
};

} // namespace r605
