#include "TransferText.h"

namespace k30 {

namespace {
int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::string BytesToTransferText(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes)
        AppendByteText(text, b);
    return text;
}

std::optional<std::vector<std::uint8_t>> TransferTextToBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 3 + 1);
    int high = -1;
    for (const char c : text) {
        if (IsWhiteSpace(c))
            continue;
        const int value = HexValue(c);
        if (value < 0)
            return std::nullopt;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return bytes;
}

bool IsCanonicalTransferText(std::string_view text)
{
    if (text.size() % 3 != 0)
        return false;
    for (std::size_t i = 0; i < text.size(); i += 3) {
        if (!IsUpperHexDigit(text[i]) || !IsUpperHexDigit(text[i + 1]) || text[i + 2] != ' ')
            return false;
    }
    return true;
}

std::optional<std::string> CanonicalTransferText(std::string_view text)
{
    if (IsCanonicalTransferText(text))
        return std::string(text);
    const auto bytes = TransferTextToBytes(text);
    if (!bytes)
        return std::nullopt;
    return BytesToTransferText(*bytes);
}

}  // namespace k30
