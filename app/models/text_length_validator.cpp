#include "models/text_length_validator.h"

#include "text/codepage.h"

namespace r605 {

TextLengthValidator::TextLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes) {}

QValidator::State TextLengthValidator::validate(QString& input, int&) const {
    const QByteArray utf8 = input.toUtf8();
    const bool fits =
        cp936Length(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))) <=
        static_cast<std::size_t>(m_maxBytes);
    return fits ? Acceptable : Invalid;
}

void TextLengthValidator::fixup(QString& input) const {
    const QByteArray utf8 = input.toUtf8();
    const std::string_view fit =
        cp936FitPrefix(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                       static_cast<std::size_t>(m_maxBytes));
    input = QString::fromUtf8(fit.data(), static_cast<qsizetype>(fit.size()));
}

} // namespace r605
