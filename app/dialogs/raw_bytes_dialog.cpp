#include "dialogs/raw_bytes_dialog.h"

#include "common/interface_texts.h"
#include "model/codeplug.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cstdint>
#include <span>

namespace r605 {

namespace {

constexpr std::size_t kLineBytes = 16;

void appendArea(QStringList& lines, std::uint32_t address, std::span<const std::uint8_t> bytes) {
    for (std::size_t offset = 0; offset < bytes.size(); offset += kLineBytes) {
        QString hex;
        QString characters;
        for (std::size_t i = offset; i < offset + kLineBytes && i < bytes.size(); ++i) {
            hex += QString("%1 ").arg(bytes[i], 2, 16, QChar('0')).toUpper();
            characters += bytes[i] >= 0x20 && bytes[i] < 0x7F ? QChar(bytes[i]) : QChar('.');
        }
        lines << QString("%1  %2 %3")
                     .arg(address + offset, 8, 16, QChar('0'))
                     .toUpper()
                     .arg(hex, -3 * static_cast<int>(kLineBytes))
                     .arg(characters);
    }
}

template <class Areas> QStringList linesOf(const Areas& areas) {
    QStringList lines;
    Areas::areas(areas, [&](std::uint32_t address, auto bytes) {
        appendArea(lines, address, std::span<const std::uint8_t>(bytes.data(), bytes.size()));
    });
    return lines;
}

} // namespace

QStringList rawByteLines(const Codeplug& codeplug, Family family) {
    switch (family) {
    case Family::Option:
        return linesOf(codeplug.Option);
    case Family::FiveTone:
        return linesOf(codeplug.FiveTone);
    case Family::TwoTone:
        return linesOf(codeplug.TwoTone);
    case Family::Alarm:
        return linesOf(codeplug.Alarm);
    case Family::OneKey:
        return linesOf(codeplug.OneKey);
    default:
        return {};
    }
}

RawBytesDialog::RawBytesDialog(const InterfaceTexts& texts, TextKey title, std::vector<Part> parts,
                               const Codeplug& codeplug, QWidget* parent)
    : FormDialog("FrmRawBytes", texts, parent), m_title(title), m_parts(std::move(parts)) {
    for (const Part& part : m_parts)
        m_lines.push_back(rawByteLines(codeplug, part.family));
    m_explanation = new QLabel(this);
    m_explanation->setWordWrap(true);
    m_bytes = new QPlainTextEdit(this);
    m_bytes->setObjectName("txtRawBytes");
    m_bytes->setReadOnly(true);
    m_bytes->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_bytes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addWidget(m_bytes, 1);
    layout->addLayout(makeButtonRow(Close));
    captionsReady();
    const int lineWidth = m_bytes->fontMetrics().horizontalAdvance(QString(80, 'M'));
    resize(lineWidth + 60, 560);
}

void RawBytesDialog::retranslate() {
    setWindowTitle(plainCaption(texts().text(m_title)));
    m_explanation->setText(texts().text(14311));
    QStringList text;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0)
            text << QString();
        text << "[" + plainCaption(texts().text(m_parts[i].caption)) + "]";
        text << m_lines[i];
    }
    m_bytes->setPlainText(text.join('\n'));
}

} // namespace r605
