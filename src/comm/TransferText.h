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

// The bytes a transfer text stands for, read as a text editor may have left it:
// white space anywhere (line breaks, CRLF, tabs, several blanks) is ignored and
// lower-case digits count. nullopt when anything else stands in it or the
// digits do not make whole bytes.
std::optional<std::vector<std::uint8_t>> TransferTextToBytes(std::string_view text);

// True when the text is exactly in the written form: "%02X " for every byte.
bool IsCanonicalTransferText(std::string_view text);

// The written form of a text that departs from it only in white space and
// letter case; nullopt for a text that is not such a variant (damaged text is
// decoded as it stands).
std::optional<std::string> CanonicalTransferText(std::string_view text);

}  // namespace k30
