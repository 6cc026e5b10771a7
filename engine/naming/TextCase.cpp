#include "engine/naming/TextCase.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace nameshift::engine::text {
namespace {

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Rewrites code points with `map`: all of them, or with `onlyWordStarts` those at the start and
// after a space.
template <typename Map>
std::string mapCodePoints(std::string_view text, Map map, bool onlyWordStarts = false) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    bool wordStart = true;
    while (i < length) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0 || (onlyWordStarts && !wordStart)) {
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
        } else if (const UChar32 mapped = map(c); mapped < 0x80) {
            out.push_back(static_cast<char>(mapped));
        } else {
            char buffer[U8_MAX_LENGTH];
            std::int32_t written = 0;
            U8_APPEND_UNSAFE(reinterpret_cast<std::uint8_t*>(buffer), written, mapped);
            out.append(buffer, static_cast<std::size_t>(written));
        }
        wordStart = c == ' ';
    }
    return out;
}

}  // namespace

std::string toLower(std::string_view text) {
    if (isAscii(text)) {
        std::string out(text);
        for (char& c : out) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c + ('a' - 'A'));
            }
        }
        return out;
    }
    return mapCodePoints(text, [](UChar32 c) { return u_tolower(c); });
}

std::string toUpper(std::string_view text) {
    if (isAscii(text)) {
        std::string out(text);
        for (char& c : out) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - ('a' - 'A'));
            }
        }
        return out;
    }
    return mapCodePoints(text, [](UChar32 c) { return u_toupper(c); });
}

std::string foldCase(std::string_view text) {
    if (isAscii(text)) {
        return toLower(text);
    }
    return mapCodePoints(text, [](UChar32 c) { return u_foldCase(c, U_FOLD_CASE_DEFAULT); });
}

void appendFoldedCase(std::string& out, std::string_view text) {
    if (!isAscii(text)) {
        out += foldCase(text);
        return;
    }
    for (const char c : text) {
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c);
    }
}

std::string capitalizeWords(std::string_view text) {
    return mapCodePoints(
        text, [](UChar32 c) { return u_islower(c) ? u_toupper(c) : c; }, true);
}

}  // namespace nameshift::engine::text
