#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace nameshift::cli {

// `text` with each "@KEY@" of `values` replaced by its value: the shell code and the prose stay
// in the templates, the lists made from the tables go in their places. A value of whole lines
// takes the place of the placeholder's line.
inline std::string filledTemplate(
    std::string text, std::initializer_list<std::pair<std::string_view, std::string>> values) {
    for (const auto& [key, value] : values) {
        const std::string placeholder =
            "@" + std::string(key) + "@" + (value.ends_with('\n') ? "\n" : "");
        for (std::size_t at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at + value.size())) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}

}  // namespace nameshift::cli
