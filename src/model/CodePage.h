#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k30 {

// Conversion between the UTF-8 texts held in memory and the GBK code page
// (Windows code page 936) that project files carry. One converter per file
// operation: opening iconv descriptors is the expensive part.
class CodePage {
public:
    CodePage();
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // nullopt when the text holds a character that GBK cannot represent.
    std::optional<std::string> ToGbk(std::string_view utf8);

    // Bytes that are not valid GBK become U+FFFD.
    std::string FromGbk(std::string_view gbk);

    static std::string Utf16LeToUtf8(std::string_view bytes);
    // nullopt for text that is not valid UTF-8.
    static std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

private:
    void* toGbk_;
    void* fromGbk_;
};

}  // namespace k30
