#include "file/contact_block.h"

#include "file/packed_record.h"
#include "text/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace r605 {

namespace {

// The six texts of an entry with the lengths of their record fields.
struct TextField {
    std::string ContactRec::*member;
    std::size_t length;
};
constexpr std::array<TextField, 6> kTextFields{{
    {&ContactRec::Name, 16},
    {&ContactRec::City, 15},
    {&ContactRec::Callsign, 8},
    {&ContactRec::State, 16},
    {&ContactRec::Country, 16},
    {&ContactRec::Remarks, 16},
}};

constexpr std::size_t kFixedBytes = 6;
// Six texts of at most 87 characters and six terminators, 7 bits each, on whole bytes.
constexpr std::size_t kMaxSevenBitTextBytes = (87 + 6) * 7 / 8 + 1;

// The text as an entry holds it: cut at the first NUL, trailing blanks removed, at most the
// field's length in code-page-936 bytes. Returns code-page-936 bytes.
std::string entryText(std::string_view utf8, std::size_t length) {
    const auto nul = utf8.find('\0');
    if (nul != std::string_view::npos)
        utf8 = utf8.substr(0, nul);
    while (!utf8.empty() && utf8.back() == ' ')
        utf8.remove_suffix(1);
    return std::string(cp936Prefix(toCp936(utf8), length));
}

// 7-bit codes of a text: characters below 127 as they are, everything else "?". Works on the
// UTF-8 text so that one character, however many bytes it takes, is one code.
void appendSevenBitCodes(std::vector<std::uint8_t>& codes, std::string_view gbk) {
    const std::string utf8 = fromCp936(gbk);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        if (byte >= 0xF0)
            length = 4;
        else if (byte >= 0xE0)
            length = 3;
        else if (byte >= 0xC0)
            length = 2;
        codes.push_back(byte < 127 ? byte : static_cast<std::uint8_t>('?'));
        i += length;
    }
    codes.push_back(0);
}

void putFixedBytes(std::string& block, const ContactRec& contact) {
    const auto id = static_cast<std::uint32_t>(contact.Id);
    const auto number = static_cast<std::uint32_t>(contact.Number);
    block.push_back(static_cast<char>(id & 0xFF));
    block.push_back(static_cast<char>((id >> 8) & 0xFF));
    block.push_back(static_cast<char>((id >> 16) & 0xFF));
    block.push_back(static_cast<char>(number & 0xFF));
    block.push_back(static_cast<char>((number >> 8) & 0xFF));
    const auto flags = ((number >> 16) & 0x0F) |
                       ((static_cast<std::uint32_t>(contact.CallType) & 0x03) << 4) |
                       ((static_cast<std::uint32_t>(contact.Byte80) & 0x03) << 6);
    block.push_back(static_cast<char>(flags));
}

// Reads the entries of a block, never past its end.
class EntryReader {
public:
    EntryReader(std::string_view block, ContactTextForm form) : m_block(block), m_form(form) {}

    // One entry starting at `position`; false when it does not end before the block does.
    bool read(std::size_t& position, ContactRec& contact) {
        if (position + kFixedBytes > m_block.size())
            return false;
        const auto byte = [&](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(m_block[position + i]));
        };
        contact = ContactRec{};
        contact.Used = 1;
        contact.Id = static_cast<std::int32_t>(byte(0) | (byte(1) << 8) | (byte(2) << 16));
        contact.Number =
            static_cast<std::int32_t>(byte(3) | (byte(4) << 8) | ((byte(5) & 0x0F) << 16));
        contact.CallType = static_cast<std::int16_t>((byte(5) >> 4) & 0x03);
        contact.Byte80 = static_cast<std::int16_t>((byte(5) >> 6) & 0x03);
        position += kFixedBytes;
        const bool ok = m_form == ContactTextForm::SevenBit ? readSevenBitTexts(position, contact)
                                                            : readGbkTexts(position, contact);
        // A complete block keeps its closing byte beyond the last entry.
        return ok && position < m_block.size();
    }

private:
    bool readSevenBitTexts(std::size_t& position, ContactRec& contact) {
        std::size_t bit = 0;
        for (const TextField& field : kTextFields) {
            std::string text;
            for (;;) {
                const std::size_t at = position + bit / 8;
                const unsigned shift = bit % 8;
                if (at >= m_block.size() || (shift > 1 && at + 1 >= m_block.size()))
                    return false;
                unsigned value = static_cast<unsigned char>(m_block[at]) >> shift;
                if (shift > 1)
                    value |= static_cast<unsigned>(static_cast<unsigned char>(m_block[at + 1]))
                             << (8 - shift);
                value &= 0x7F;
                bit += 7;
                if (value == 0)
                    break;
                if (text.size() < field.length)
                    text.push_back(static_cast<char>(value));
            }
            contact.*field.member = std::move(text);
        }
        position += (bit + 7) / 8;
        return true;
    }

    bool readGbkTexts(std::size_t& position, ContactRec& contact) {
        for (const TextField& field : kTextFields) {
            const std::size_t end = m_block.find('\0', position);
            if (end == std::string_view::npos)
                return false;
            const std::string_view bytes =
                cp936Prefix(m_block.substr(position, end - position), field.length);
            contact.*field.member = fromCp936(bytes);
            position = end + 1;
        }
        return true;
    }

    std::string_view m_block;
    ContactTextForm m_form;
};

} // namespace

void PackContact(std::string& block, const ContactRec& contact, ContactTextForm form) {
    putFixedBytes(block, contact);
    if (form == ContactTextForm::Gbk) {
        for (const TextField& field : kTextFields) {
            block += entryText(contact.*field.member, field.length);
            block.push_back('\0');
        }
        return;
    }
    std::vector<std::uint8_t> codes;
    codes.reserve(96);
    for (const TextField& field : kTextFields)
        appendSevenBitCodes(codes, entryText(contact.*field.member, field.length));
    const std::size_t start = block.size();
    block.resize(start + kMaxSevenBitTextBytes, '\0');
    std::size_t bit = 0;
    for (const std::uint8_t code : codes) {
        const std::size_t at = start + bit / 8;
        const unsigned shift = bit % 8;
        block[at] = static_cast<char>(static_cast<unsigned char>(block[at]) | (code << shift));
        if (shift > 1)
            block[at + 1] = static_cast<char>(static_cast<unsigned char>(block[at + 1]) |
                                              (code >> (8 - shift)));
        bit += 7;
    }
    block.resize(start + (bit + 7) / 8);
}

PackedContacts PackContacts(const Table<ContactRec, kContactCount>& contacts,
                            ContactTextForm form) {
    PackedContacts packed;
    const auto used = static_cast<std::size_t>(std::count_if(
        contacts.begin(), contacts.end(), [](const ContactRec& c) { return c.Used > 0; }));
    // Typical entries are far shorter than the longest (88 bytes in 7-bit form).
    packed.block.reserve(std::min(used * 64 + 1, kContactBlockCapacity));
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const ContactRec& contact = contacts[i];
        if (contact.Used <= 0)
            continue;
        const std::size_t start = packed.block.size();
        PackContact(packed.block, contact, form);
        // The closing byte must still fit.
        if (packed.block.size() + 1 > kContactBlockCapacity) {
            packed.block.resize(start);
            packed.leftOut.push_back(i);
            continue;
        }
        ++packed.count;
    }
    packed.block.push_back('\0');
    return packed;
}

bool ContactsFitSevenBitLosslessly(const Table<ContactRec, kContactCount>& contacts) {
    const auto plain = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 127; });
    };
    return std::all_of(contacts.begin(), contacts.end(), [&](const ContactRec& contact) {
        if (contact.Used <= 0)
            return true;
        return std::all_of(kTextFields.begin(), kTextFields.end(),
                           [&](const TextField& field) { return plain(contact.*field.member); });
    });
}

UnpackedContacts UnpackContacts(std::string_view block, std::size_t count, ContactTextForm form) {
    UnpackedContacts result;
    result.contacts.reserve(count);
    EntryReader reader(block, form);
    std::size_t position = 0;
    for (std::size_t i = 0; i < count; ++i) {
        ContactRec contact;
        if (!reader.read(position, contact)) {
            result.complete = false;
            break;
        }
        result.contacts.push_back(std::move(contact));
    }
    return result;
}

} // namespace r605
