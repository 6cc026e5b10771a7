#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nameshift::engine {

// The names as the editor shows them, one a line. A name is bytes and may hold a line break or a
// backslash: a line break is written "\n" and a backslash "\\", so that no name reads as two
// lines and every name unchanged reads back as it was.
std::string namesForEditing(const std::vector<std::string_view>& names);
// The names of an edited text, each line read back as namesForEditing wrote it (a backslash before
// anything else stands for itself). A last line break ends the last name; a line break in the
// form "\r\n" counts as one.
std::vector<std::string> namesFromEditing(std::string_view text);
// The lines of a list of names as they stand, without escapes.
std::vector<std::string> namesFromList(std::string_view text);

}  // namespace nameshift::engine
