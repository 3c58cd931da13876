#pragma once

#include <string_view>

namespace k30 {

enum class Language : unsigned char { Chinese = 0, English = 1 };

// One user-visible text in both interface languages.
struct Text {
    std::string_view zh;
    std::string_view en;

    constexpr std::string_view in(Language lang) const { return lang == Language::Chinese ? zh : en; }
};

}  // namespace k30
