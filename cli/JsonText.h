#pragma once

#include <string>
#include <string_view>

namespace nameshift::cli {

// `bytes` as a JSON string, quoted. File names are bytes: valid UTF-8 is written as the
// characters it spells, and each byte that is not part of a valid sequence as the lone surrogate
// U+DC80 plus its value less 0x80 ("\udcff" for 0xFF), as Python's "surrogateescape" reads it
// back, so that every name round-trips and no two names are written alike.
std::string jsonString(std::string_view bytes);

}  // namespace nameshift::cli
