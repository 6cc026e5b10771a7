#include "cli/JsonText.h"

#include <unicode/utf8.h>

#include <cstdio>

namespace nameshift::cli {
namespace {

void appendEscape(std::string& out, unsigned code) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", code);
    out += escape;
}

}  // namespace

std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    out.reserve(bytes.size() + 2);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto length = static_cast<std::int32_t>(bytes.size());
    for (std::int32_t at = 0; at < length;) {
        const std::int32_t start = at;
        UChar32 character = 0;
        U8_NEXT(data, at, length, character);
        if (character < 0) {
            // One byte at a time, so that the next valid sequence is read as one.
            at = start + 1;
            appendEscape(out, 0xDC00U + data[start]);
        } else if (character == '"' || character == '\\') {
            out += '\\';
            out += static_cast<char>(character);
        } else if (character < 0x20 || character == 0x7F) {
            appendEscape(out, static_cast<unsigned>(character));
        } else {
            out.append(bytes.substr(static_cast<std::size_t>(start),
                                    static_cast<std::size_t>(at - start)));
        }
    }
    out += '"';
    return out;
}

JsonObject& JsonObject::add(std::string_view key, std::string_view json) {
    if (text_.size() > 1) {
        text_ += ", ";
    }
    text_ += jsonString(key);
    text_ += ": ";
    text_ += json;
    return *this;
}

void JsonLines::add(std::string_view json) {
    text_ += text_.empty() ? "\n  " : ",\n  ";
    text_ += json;
}

}  // namespace nameshift::cli
