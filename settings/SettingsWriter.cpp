#include "settings/SettingsWriter.h"

#include <array>

namespace nameshift::settings {
namespace {

constexpr std::string_view kBorder = "==================================================";
constexpr std::string_view kBlankLine = "=                                                =";
constexpr std::string_view kWarningLine = "= Warning! - Editing this file directly may      =";
constexpr std::string_view kUnusableLine = "=            render it unusable!                 =";

}  // namespace

SettingsWriter::SettingsWriter(std::string_view titleLine) : text_(banner(titleLine)) {}

std::string SettingsWriter::banner(std::string_view titleLine) {
    std::string text;
    for (std::string_view line :
         std::array{kBorder, titleLine, kBlankLine, kWarningLine, kUnusableLine, kBorder}) {
        text += line;
        text += kLineEnd;
    }
    text += kLineEnd;
    return text;
}

void SettingsWriter::addBoolean(std::string_view key, bool value) {
    addEntry(key, value ? "TRUE" : "FALSE");
}

void SettingsWriter::addString(std::string_view key, std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    addEntry(key, quoted);
}

void SettingsWriter::addPositionCode(std::string_view key, int position, int choices) {
    static constexpr std::array<std::string_view, 3> kCodes = {"BEG", "END", "REP"};
    const bool chosen = position >= 0 && position < choices && position < 3;
    addEntry(key, chosen ? kCodes[static_cast<std::size_t>(position)] : std::string_view{});
}

void SettingsWriter::addDigit(std::string_view key, int digit) {
    if (digit < 0 || digit > 9) {
        addEntry(key, {});
        return;
    }
    const char character = static_cast<char>('0' + digit);
    addEntry(key, std::string_view(&character, 1));
}

void SettingsWriter::addWord(std::string_view key, std::string_view word) {
    addEntry(key, word);
}

void SettingsWriter::addEntry(std::string_view key, std::string_view value) {
    // The line end of the previous value is held back until now, because the file's last value
    // has none; an unwritten value has no line of its own to end.
    if (hasEntries_) {
        text_ += kLineEnd;
        if (!lastValueEmpty_) {
            text_ += kLineEnd;
        }
    }
    text_ += key;
    text_ += kLineEnd;
    text_ += value;
    hasEntries_ = true;
    lastValueEmpty_ = value.empty();
}

}  // namespace nameshift::settings
