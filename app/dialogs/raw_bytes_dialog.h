#pragma once
// A read-only view of the raw bytes of the families whose layout in the radio is not known
// (optional settings, alarm, 2-tone, one-key calls): each area at its radio address, sixteen
// bytes a line in hexadecimal with their characters, and why they cannot be edited.

#include "base/result.h"
#include "dialogs/form_dialog.h"
#include "schema/family.h"

#include <vector>

class QLabel;
class QPlainTextEdit;

namespace r605 {

struct Codeplug;

// The hexadecimal lines of the raw areas of a family: "02500000  00 01 ... 0F  ................".
// Empty for a family that is not held as raw bytes.
QStringList rawByteLines(const Codeplug& codeplug, Family family);

class RawBytesDialog : public FormDialog {
    Q_OBJECT

public:
    struct Part {
        Family family;
        TextKey caption;
    };

    // `title`: the caption of the form the user asked for.
    RawBytesDialog(const InterfaceTexts& texts, TextKey title, std::vector<Part> parts,
                   const Codeplug& codeplug, QWidget* parent);

protected:
    void retranslate() override;

private:
    TextKey m_title;
    std::vector<Part> m_parts;
    std::vector<QStringList> m_lines;
    QLabel* m_explanation;
    QPlainTextEdit* m_bytes;
};

} // namespace r605
