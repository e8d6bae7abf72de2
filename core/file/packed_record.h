#pragma once
// The record layout of codeplug files and of "Default.ini": the fields of a record in their
// declared order, packed with no padding, whole numbers and doubles little-endian, a text of n
// bytes as its code-page-936 bytes padded with blanks to n, arrays element by element.
//
// Texts in the codeplug are UTF-8 without padding. Written, a text longer than its field is cut
// between characters; read back, the trailing blanks are dropped and everything before them is
// kept (NUL characters included), so that a record read and written again gives the same bytes.

#include "model/field.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace r605 {

class PackedWriter {
public:
    explicit PackedWriter(std::string& out) : m_out(out) {}

    void putUint8(std::uint8_t value) { m_out.push_back(static_cast<char>(value)); }
    void putInt16(std::int16_t value) { putLittleEndian(static_cast<std::uint16_t>(value), 2); }
    void putInt32(std::int32_t value) { putLittleEndian(static_cast<std::uint32_t>(value), 4); }
    void putDouble(double value) { putLittleEndian(std::bit_cast<std::uint64_t>(value), 8); }
    void putBytes(std::span<const std::uint8_t> bytes) {
        m_out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    // The text's code-page-936 bytes, cut between characters to `length`, padded with blanks.
    void putText(std::string_view utf8, std::size_t length);

    template <DescribedRecord Record> void putRecord(const Record& record) {
        forEachField(record,
                     [&](const Field& field, const auto& member) { putMember(field, member); });
    }

    template <class T> void putMember(const Field& field, const T& member) {
        if constexpr (std::is_same_v<T, std::string>) {
            putText(member, field.length);
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            putUint8(member);
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
            putInt16(member);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
            putInt32(member);
        } else if constexpr (std::is_same_v<T, double>) {
            putDouble(member);
        } else if constexpr (DescribedRecord<T>) {
            putRecord(member);
        } else if constexpr (std::is_same_v<typename T::value_type, std::uint8_t>) {
            putBytes(std::span<const std::uint8_t>(member));
        } else {
            for (const auto& element : member)
                putMember(field, element);
        }
    }

private:
    void putLittleEndian(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            m_out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }

    std::string& m_out;
};

// Reads records from a byte string; every read is checked against its end. After a read past
// the end the reader stays failed and every further read fails.
class PackedReader {
public:
    explicit PackedReader(std::string_view bytes, std::size_t position = 0)
        : m_bytes(bytes), m_position(position <= bytes.size() ? position : bytes.size()),
          m_failed(position > bytes.size()) {}

    std::string_view bytes() const { return m_bytes; }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    bool failed() const { return m_failed; }

    bool getUint8(std::uint8_t& value) {
        if (!take(1))
            return false;
        value = static_cast<std::uint8_t>(m_bytes[m_position - 1]);
        return true;
    }
    bool getInt16(std::int16_t& value) {
        std::uint64_t raw = 0;
        if (!getLittleEndian(raw, 2))
            return false;
        value = static_cast<std::int16_t>(static_cast<std::uint16_t>(raw));
        return true;
    }
    bool getInt32(std::int32_t& value) {
        std::uint64_t raw = 0;
        if (!getLittleEndian(raw, 4))
            return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
        return true;
    }
    bool getDouble(double& value) {
        std::uint64_t raw = 0;
        if (!getLittleEndian(raw, 8))
            return false;
        value = std::bit_cast<double>(raw);
        return true;
    }
    bool getBytes(std::span<std::uint8_t> bytes) {
        if (!take(bytes.size()))
            return false;
        std::memcpy(bytes.data(), m_bytes.data() + m_position - bytes.size(), bytes.size());
        return true;
    }
    bool getText(std::string& utf8, std::size_t length);
    bool skip(std::size_t count) { return take(count); }

    template <DescribedRecord Record> bool getRecord(Record& record) {
        forEachField(record, [&](const Field& field, auto& member) {
            if (!m_failed)
                getMember(field, member);
        });
        return !m_failed;
    }

    template <class T> bool getMember(const Field& field, T& member) {
        if constexpr (std::is_same_v<T, std::string>) {
            return getText(member, field.length);
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            return getUint8(member);
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
            return getInt16(member);
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
            return getInt32(member);
        } else if constexpr (std::is_same_v<T, double>) {
            return getDouble(member);
        } else if constexpr (DescribedRecord<T>) {
            return getRecord(member);
        } else if constexpr (std::is_same_v<typename T::value_type, std::uint8_t>) {
            return getBytes(std::span<std::uint8_t>(member));
        } else {
            for (auto& element : member) {
                if (!getMember(field, element))
                    return false;
            }
            return true;
        }
    }

private:
    bool take(std::size_t count) {
        if (m_failed || count > remaining()) {
            m_failed = true;
            return false;
        }
        m_position += count;
        return true;
    }
    bool getLittleEndian(std::uint64_t& value, int bytes) {
        if (!take(static_cast<std::size_t>(bytes)))
            return false;
        const auto* data =
            reinterpret_cast<const unsigned char*>(m_bytes.data() + m_position - bytes);
        value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | data[i];
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};

// The length of the code-page-936 character that starts at `position` (1 or 2 bytes).
std::size_t cp936CharLength(std::string_view bytes, std::size_t position);
// The longest prefix of code-page-936 bytes of at most `limit` bytes that ends between
// characters.
std::string_view cp936Prefix(std::string_view bytes, std::size_t limit);

} // namespace r605
