#pragma once

#include <string>

// Tidying of the characters that pile up at the ends of names and between words. All of them are
// ASCII, so the bytes are edited directly and a name that is not UTF-8 is tidied as well.
namespace nameshift::engine {

// Takes spaces, dots, underscores and hyphens off both ends of the base name.
void trimBaseName(std::string& name);
// Makes each run of spaces one space.
void collapseSpaces(std::string& name);

}  // namespace nameshift::engine
