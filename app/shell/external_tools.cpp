#include "shell/external_tools.h"

#include "common/interface_texts.h"
#include "common/prompt.h"
#include "common/shell_context.h"

#include <QFileInfo>
#include <QProcess>

namespace r605 {

void startExternalTool(ShellContext& shell, const QString& relative) {
    const QString folder = QString::fromStdString(shell.folders.programFolder().string());
    const QFileInfo tool(folder + "/" + relative);
    if (!tool.isFile() || !tool.isExecutable()) {
        shell.prompt.tell(shell.texts.text(14375) + "\n" + tool.absoluteFilePath(),
                          PromptIcon::Warning);
        return;
    }
    if (!QProcess::startDetached(tool.absoluteFilePath(), {}, tool.absolutePath()))
        shell.prompt.tell(shell.texts.text(14376) + "\n" + tool.absoluteFilePath(),
                          PromptIcon::Warning);
}

} // namespace r605
