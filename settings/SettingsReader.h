#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nameshift::settings {

// What a string entry gives: no text at all, the empty pair of double quotes (which leaves a
// field as it was), or a text, possibly empty.
struct StringValue {
    enum class Kind { Absent, EmptyPair, Text };
    Kind kind = Kind::Absent;
    std::string_view text;
};

// Reads values out of a settings file's text. Each key is looked up on its own: the first
// occurrence of the key text anywhere, whatever the order of the entries, and its value starts
// two bytes after the key (the line end is skipped unchecked). A key that is not there, or whose
// line end is cut off, leaves its field as it was. Past the end of the text lies nothing: a value
// cut short matches no code, and a string without its closing quote gives no text. Nothing is
// ever read beyond the text.
class SettingsReader {
public:
    // The text must outlive the reader.
    explicit SettingsReader(std::string_view text) : text_(text) {}

    // The text from the key's value start to the end, or nothing when the key is missing or cut.
    std::optional<std::string_view> valueOf(std::string_view key) const;

    // True exactly when the value starts with "TRUE"; "true" and "FALSE" alike give false.
    void readBoolean(std::string_view key, bool& field) const;
    // The text between the opening quote (skipped unchecked) and the next double quote.
    StringValue stringValue(std::string_view key) const;
    // As stringValue, leaving the field as it was unless the file gives a text.
    void readString(std::string_view key, std::string& field) const;
    // "BEG", "END", "REP" give 0, 1, 2 if they are among the group's `choices`; anything else
    // leaves the field.
    void readPositionCode(std::string_view key, int& field, int choices = 3) const;
    // "Date", "Exte", "Name", "Size" give 0..3, compared on four bytes; anything else leaves it.
    void readSortWord(std::string_view key, int& field) const;
    // The decimal value of the value's first byte, -1 when that is no digit (or the text ends);
    // nothing when the key is missing or cut.
    std::optional<int> digitOf(std::string_view key) const;

private:
    std::string_view text_;
};

}  // namespace nameshift::settings
