#pragma once

#include <unicode/unistr.h>

#include <optional>
#include <string>
#include <string_view>

// The bridge between names, which are bytes, and ICU, which works on UTF-16. The rules that need
// Unicode work on the name decoded as UTF-8; a name that is not valid UTF-8 has no decoding, so
// that those rules leave it as it is instead of turning its bytes into replacement characters.
namespace nameshift::engine::text {

std::optional<icu::UnicodeString> decodeUtf8(std::string_view text);
std::string encodeUtf8(const icu::UnicodeString& text);

}  // namespace nameshift::engine::text
