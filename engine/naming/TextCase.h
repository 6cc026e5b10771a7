#pragma once

#include <string>
#include <string_view>

// Letter case of names that are byte strings, usually UTF-8. Valid UTF-8 sequences are mapped by
// Unicode's simple (one to one) case mappings; bytes that are not valid UTF-8 stay as they are.
namespace nameshift::engine::text {

std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);
// For comparing names without regard to case.
std::string foldCase(std::string_view text);
// foldCase(text) added to `out`, without a string of its own for the common ASCII name.
void appendFoldedCase(std::string& out, std::string_view text);
// Upper-cases a lower-case letter at the start and after every space; nothing else changes.
std::string capitalizeWords(std::string_view text);

}  // namespace nameshift::engine::text
