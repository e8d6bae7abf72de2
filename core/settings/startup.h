#pragma once
// The steps of start-up and close-down that need no window, over a program folder given at run
// time. The window's start-up calls them in this order: LoadStartupState, StartupPortCheck,
// RunFirstRun (it shows the dialogs), then builds the new codeplug and the main window; when the
// main window unloads, CloseDown.

#include "base/result.h"
#include "settings/startup_state.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace r605 {

class ProgramFolders;

// The start values of the current model and band: family "R600MK", band code 0 and its text,
// model name, band limits, data version "V100", firmware version "1.03".
void SetStartModelAndBand(StartupState& state);

// The tool mode in force: the setup file's "SameName", and 0 without an edition. Tool mode belongs
// to the distributors' editions; the first-run tool-mode dialog, the only other place that sets
// it, is shown only with an edition. The start-up and the command-line tool both decide by this.
int SameNameInForce(bool noEdition, int setupSameName);

// Reads the edition file, the extension flags, chooses the language from the locale and the
// edition, sets the start model and band, reads the setup file (tool mode is off without an
// edition), the factory marker and the view-menu flags (creating an empty Setting.ini when
// absent). Nothing here fails: every file has its default.
StartupState LoadStartupState(const ProgramFolders& folders, std::string_view systemLcidHex);

// A port handle recorded by an earlier run means it ended with the port open: it is forgotten and
// "CommHandle" = 0 written (it was never a handle of this run). A stored port that is not among
// the present ones is replaced by the first present port ("" when there is none). "comPort" is
// written back. presentPorts are port names as the port list gives them ("ttyUSB0"); a stored
// device path "/dev/ttyUSB0" counts as the port "ttyUSB0".
Status StartupPortCheck(const ProgramFolders& folders, StartupState& state,
                        std::span<const std::string> presentPorts);

enum class FirstRunDialog {
    ToolMode, // one check box that sets and writes "SameName"
    Annex,    // feature check boxes written to Init.EXT
};

// The dialogs of the very first run, in order: tool mode only with an edition, then the annex
// dialog. None after the first run.
std::vector<FirstRunDialog> FirstRunDialogs(const StartupState& state);

// On the first run: tool mode off, each dialog shown through `showDialog` (modally, it may change
// the state), then "IsFirstRun" = 0 written so they never come again.
Status RunFirstRun(const ProgramFolders& folders, StartupState& state,
                   const std::function<void(FirstRunDialog)>& showDialog);

// Writes the view-menu flags back to Setting.ini (creating it) and "CommHandle" = 0. Both writes
// are attempted; the first failure is reported.
Status CloseDown(const ProgramFolders& folders, const StartupState& state);

} // namespace r605
