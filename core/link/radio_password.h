#pragma once
// The password step of a transfer. The radio keeps its programming password in bytes 8 to 11 of
// the radio information block; the software may go on only when it knows that password.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace r605 {

// RadioPassword: bytes 8..11 of the information block as text, up to the first 0x00 or 0xFF,
// trimmed of blanks.
std::string RadioPasswordFromBlock(std::span<const std::uint8_t> block);

// Accepted when the radio has no password, or it equals the password the user entered, or it
// equals the programming password of the codeplug in memory (trimmed).
bool PasswordAccepted(std::string_view radioPassword, std::string_view enteredPassword,
                      std::string_view codeplugPassword);

} // namespace r605
