#include "link/radio_password.h"

#include "base/numbers.h"
#include "link/radio_ident.h"

namespace r605 {

std::string RadioPasswordFromBlock(std::span<const std::uint8_t> block) {
    if (block.size() < 12)
        return {};
    return std::string(trimBlanks(RadioText(block.subspan(8, 4))));
}

bool PasswordAccepted(std::string_view radioPassword, std::string_view enteredPassword,
                      std::string_view codeplugPassword) {
    const std::string_view radio = trimBlanks(radioPassword);
    return radio.empty() || radio == enteredPassword || radio == trimBlanks(codeplugPassword);
}

} // namespace r605
