#pragma once
// The external programs of the Tools menu: the voice-record tool (Record/ZTRecord) and the
// firmware updater (Update/Firmware_Update) in the program folder, started on their own. A tool
// that is not there is reported, not guessed at.

#include <QString>

namespace r605 {

struct ShellContext;

// `relative`: the tool's path in the program folder.
void startExternalTool(ShellContext& shell, const QString& relative);

} // namespace r605
