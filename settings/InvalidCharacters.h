#pragma once

#include <string>
#include <string_view>

namespace nameshift::settings {

// The characters a file name may not hold, in the order messages list them.
inline constexpr std::string_view kInvalidFileNameCharacters = "\\/:*?\"<>|";

inline bool isInvalidFileNameCharacter(char c) {
    return kInvalidFileNameCharacters.find(c) != std::string_view::npos;
}

// Every invalid character becomes "-", as names built from tags and ID3 formats need.
inline std::string replaceInvalidCharacters(std::string text) {
    for (char& c : text) {
        if (isInvalidFileNameCharacter(c)) {
            c = '-';
        }
    }
    return text;
}

}  // namespace nameshift::settings
