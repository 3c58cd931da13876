#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k30 {

// The transfer text: every received byte as two upper-case hexadecimal digits
// and a blank ("%02X "). A live transfer and a raw file hold the same text.
inline void AppendByteText(std::string& text, std::uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
    text += ' ';
}

std::string BytesToTransferText(const std::vector<std::uint8_t>& bytes);

// The bytes a transfer text stands for; nullopt when it holds anything but
// pairs of hexadecimal digits separated by blanks.
std::optional<std::vector<std::uint8_t>> TransferTextToBytes(std::string_view text);

}  // namespace k30
