#include "engine/naming/Utf8Text.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace nameshift::engine::text {

std::optional<icu::UnicodeString> decodeUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            return std::nullopt;
        }
    }
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), length));
}

std::string encodeUtf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace nameshift::engine::text
