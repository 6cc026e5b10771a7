#pragma once

#include <string>
#include <string_view>

namespace nameshift::settings {

// Every line of a settings file ends with CR LF, whatever the system's own convention.
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::size_t kBannerWidth = 50;

// Builds the text of a settings file: the banner box, then one entry per call, each a key line,
// a value line and an empty line; the last value has no line end. A value that cannot be written
// (no radio button chosen, no combo entry selected) leaves its key line followed by one empty
// line, or by nothing at the very end, so that a reader leaves that field as it was.
class SettingsWriter {
public:
    // `titleLine` is the banner's second line, kBannerWidth characters like the others.
    explicit SettingsWriter(std::string_view titleLine);

    // The seven banner lines (the last one empty), as the restore file uses them too.
    static std::string banner(std::string_view titleLine);

    void addBoolean(std::string_view key, bool value);
    void addString(std::string_view key, std::string_view value);
    // "BEG", "END", "REP" for 0, 1, 2; only the first `choices` of them belong to the group.
    void addPositionCode(std::string_view key, int position, int choices = 3);
    // The digit for 0..9; nothing for any other value.
    void addDigit(std::string_view key, int digit);
    // A fixed word, or nothing when `word` is empty.
    void addWord(std::string_view key, std::string_view word);

    const std::string& text() const { return text_; }

private:
    void addEntry(std::string_view key, std::string_view value);

    std::string text_;
    bool hasEntries_ = false;
    bool lastValueEmpty_ = false;
};

}  // namespace nameshift::settings
