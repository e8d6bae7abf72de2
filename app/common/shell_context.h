#pragma once
// What every window of the program shares for the whole run: the program folder, the start-up
// state, the interface texts, the prompt through which it asks and tells, and the communication
// log that the About dialog switches.

#include "link/comm_log.h"
#include "settings/program_folders.h"
#include "settings/startup_state.h"

namespace r605 {

class InterfaceTexts;
class Prompt;

struct ShellContext {
    ProgramFolders& folders;
    StartupState& state;
    InterfaceTexts& texts;
    Prompt& prompt;
    CommLog& commLog;
};

} // namespace r605
