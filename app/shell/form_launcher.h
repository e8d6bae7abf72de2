#pragma once
// Opens the form that belongs to a tree node, a menu command or a record: the editing forms and
// radio commands this version does not have yet say so (and what to do until then); the
// families whose byte layout is not known show their raw bytes.

#include "base/result.h"
#include "schema/family.h"

#include <QString>

class QWidget;

namespace r605 {

class Document;
struct ShellContext;

// What the user can do until a form comes.
enum class ComingHint {
    None,
    EditInGrid,
    KeptUnchanged,
    RadioByTool,
    ListsByTool,
    BootImageByTool
};

class FormLauncher {
public:
    FormLauncher(ShellContext& shell, const Document& document, QWidget& window);

    // The editing form of a grid's records (double-click or Enter on a row). Grids without a
    // form do nothing.
    void openRecordForm(Family family);
    // The form of a tree node 20 ... 39.
    void openNodeForm(int node);
    // A form or command of this caption that comes with a later version.
    void openComing(TextKey what, ComingHint hint);
    // The optional settings with the alarm settings, the 2-tone and the one-key call settings.
    void openOptionBytes();
    void openTwoToneBytes();
    void openOneKeyBytes();

    // The grid has an editing form (a grid a double-click does something in).
    static bool hasRecordForm(int grid);

private:
    ShellContext& m_shell;
    const Document& m_document;
    QWidget& m_window;
};

} // namespace r605
