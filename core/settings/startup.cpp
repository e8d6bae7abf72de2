#include "settings/startup.h"

#include "settings/edition_file.h"
#include "settings/extension_flags.h"
#include "settings/factory_marker.h"
#include "settings/language_choice.h"
#include "settings/program_folders.h"
#include "settings/setup_file.h"
#include "settings/view_menu_flags.h"

#include <algorithm>
#include <cassert>

namespace r605 {

namespace {

void keepFirstError(Status& first, Status next) {
    if (first.ok() && !next.ok())
        first = std::move(next);
}

std::string_view withoutDevPrefix(std::string_view port) {
    constexpr std::string_view prefix = "/dev/";
    if (port.substr(0, prefix.size()) == prefix)
        port.remove_prefix(prefix.size());
    return port;
}

} // namespace

void SetStartModelAndBand(StartupState& state) {
    state.ModelFamily = "R600MK";
    state.BandCode = 0;
    state.BandText = std::string(BandTextForCode(state.BandCode));
    state.ModelName = ModelNameFor(state.ModelFamily, state.BandCode);
    state.RadioDataVersion = "V100";
    state.RadioFirmwareVersion = "1.03";
    const auto ranges = ParseBandText(state.BandText);
    assert(ranges.ok()); // the start band is a constant of the band table
    if (ranges)
        state.BandRanges = *ranges;
}

int SameNameInForce(bool noEdition, int setupSameName) {
    return noEdition ? 0 : setupSameName;
}

StartupState LoadStartupState(const ProgramFolders& folders, std::string_view systemLcidHex) {
    StartupState state;
    const Edition edition = ReadEditionFile(folders);
    state.NoEdition = edition.NoEdition;
    state.EditionCode = edition.EditionCode;

    state.ExtensionFlags = ReadExtensionFlags(folders);

    state.SystemLcidHex = std::string(systemLcidHex);
    const LanguageChoice language =
        ChooseLanguage(systemLcidHex, state.NoEdition, state.EditionCode);
    state.LanguageIndex = language.LanguageIndex;
    state.LanguageFile = language.LanguageFile;
    state.LanguagePath = language.LanguagePath;

    SetStartModelAndBand(state);

    const SetupValues setup = ReadSetupFile(folders);
    state.IsFirstRun = setup.IsFirstRun;
    state.ComPortName = setup.comPort;
    state.SameName = SameNameInForce(state.NoEdition, setup.SameName);
    state.PortHandle = setup.CommHandle;

    state.FactoryTestMode = ReadFactoryMarker(folders);
    state.ViewMenuFlags = ReadViewMenuFlags(folders);
    return state;
}

Status StartupPortCheck(const ProgramFolders& folders, StartupState& state,
                        std::span<const std::string> presentPorts) {
    Status status;
    if (state.PortHandle != 0) {
        state.PortHandle = 0;
        keepFirstError(status, WriteSetupKey(folders, "CommHandle", "0"));
    }
    const auto stored = withoutDevPrefix(state.ComPortName);
    const bool present =
        std::any_of(presentPorts.begin(), presentPorts.end(), [&](const std::string& port) {
            return !stored.empty() && withoutDevPrefix(port) == stored;
        });
    if (!state.VistaPortListMode && !present)
        state.ComPortName = presentPorts.empty() ? std::string() : presentPorts.front();
    keepFirstError(status, WriteSetupKey(folders, "comPort", state.ComPortName));
    return status;
}

std::vector<FirstRunDialog> FirstRunDialogs(const StartupState& state) {
    if (!state.IsFirstRun)
        return {};
    if (state.NoEdition)
        return {FirstRunDialog::Annex};
    return {FirstRunDialog::ToolMode, FirstRunDialog::Annex};
}

Status RunFirstRun(const ProgramFolders& folders, StartupState& state,
                   const std::function<void(FirstRunDialog)>& showDialog) {
    if (!state.IsFirstRun)
        return Status::success();
    state.SameName = 0;
    for (FirstRunDialog dialog : FirstRunDialogs(state))
        showDialog(dialog);
    state.IsFirstRun = false;
    return WriteSetupKey(folders, "IsFirstRun", "0");
}

Status CloseDown(const ProgramFolders& folders, const StartupState& state) {
    Status status = WriteViewMenuFlags(folders, state.ViewMenuFlags);
    keepFirstError(status, WriteSetupKey(folders, "CommHandle", "0"));
    return status;
}

} // namespace r605
