#pragma once

#include <string>
#include <string_view>

namespace nameshift::cli {

// `bytes` as a JSON string, quoted. File names are bytes: valid UTF-8 is written as the
// characters it spells, and each byte that is not part of a valid sequence as the lone surrogate
// U+DC80 plus its value less 0x80 ("\udcff" for 0xFF), as Python's "surrogateescape" reads it
// back, so that every name round-trips and no two names are written alike.
std::string jsonString(std::string_view bytes);

// A JSON object on one line, its members in the order they are added: `{"a": 1, "b": "x"}`.
class JsonObject {
public:
    // `json` is written as it is: a number, true or false, null, a quoted string or a list.
    JsonObject& add(std::string_view key, std::string_view json);
    JsonObject& addString(std::string_view key, std::string_view bytes) {
        return add(key, jsonString(bytes));
    }
    std::string text() const { return text_ + "}"; }

private:
    std::string text_ = "{";
};

// A JSON list with one item a line, two spaces in, so that a long list is read and compared line
// by line; "[]" when it has none.
class JsonLines {
public:
    void add(std::string_view json);
    std::string text() const { return text_.empty() ? "[]" : "[" + text_ + "\n]"; }

private:
    std::string text_;
};

}  // namespace nameshift::cli
