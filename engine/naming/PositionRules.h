#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Edits at a place in a name's base name (the name without its last dot and extension), counted
// in the characters a reader sees: a letter and the accents combined with it are one. Places past
// the end are the end. A name that is not valid UTF-8 has no characters to count and is left as
// it is.
namespace nameshift::engine {

// Puts `text` after the first `at` characters, or before the last `at` with `fromEnd`.
void insertAtCharacter(std::string& name, std::string_view text, std::size_t at, bool fromEnd);
// Takes out `count` characters that start after the first `at` characters, or with `fromEnd`
// that end before the last `at`.
void removeCharacters(std::string& name, std::size_t count, std::size_t at, bool fromEnd);

}  // namespace nameshift::engine
