#include "link/transfer_trace.h"

namespace r605 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::string BytesToHexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(3 * bytes.size());
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text.push_back(' ');
        if (byte >= 0x10)
            text.push_back(kHexDigits[byte >> 4]);
        text.push_back(kHexDigits[byte & 0x0F]);
    }
    return text;
}

std::string TraceEntry(const LocalDateTime& when, std::string_view caption,
                       std::string_view hexText) {
    std::string entry = "\"";
    entry += DateTimeText(when);
    entry += "---";
    entry += caption;
    entry += ": ";
    entry += hexText;
    entry += "\"\n";
    return entry;
}

std::filesystem::path TraceFilePath(const std::filesystem::path& folder,
                                    const LocalDateTime& when) {
    return folder / ("log" + DateStamp(when) + ".txt");
}

} // namespace r605
