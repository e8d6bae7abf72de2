#pragma once
// Accepts a text while it fits its field: the radio holds texts as code-page-936 bytes, so a
// Chinese character takes two of the field's bytes and a Latin letter one.

#include <QValidator>

namespace r605 {

class TextLengthValidator : public QValidator {
    Q_OBJECT

public:
    TextLengthValidator(int maxBytes, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;
    // Cuts a pasted text that is too long at the last character that fits.
    void fixup(QString& input) const override;

private:
    int m_maxBytes;
};

} // namespace r605
