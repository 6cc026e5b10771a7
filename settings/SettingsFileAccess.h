#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::settings {

// How one settings file speaks of itself in its messages.
struct SettingsFileWording {
    std::string_view fileName;  // "renset.ini", as the load message quotes it
    // The same messages whole, for translation: "%1" is the file name.
    const char* loadFailure;
    const char* diskFull;
    const char* unknownError;
    // The refusals to save a string the file cannot hold: "%1" is the file name, the string's
    // label is the last placeholder, and "%2" of the second the key the string holds.
    const char* holdsQuote;
    const char* holdsKey;
};

enum class SaveMode {
    AskBeforeReplacing,  // an existing file is replaced only when the user says Yes
    Replace,             // an existing file is replaced without a question
};

// A string field of a record, named as the save refusal names it ("The prefix").
struct StringField {
    const char* label;
    std::string_view value;
};

// The largest settings file that is read. The biggest a program writes is a few kilobytes (its
// longest values are paths and 255-character strings); a file beyond this was not written by it,
// and reading it whole could take all the memory there is.
inline constexpr std::size_t kSettingsFileMaxBytes = 64 * 1024;

// The whole file, or nothing when it cannot be read or is larger than kSettingsFileMaxBytes.
std::optional<std::string> readSettingsText(platform::FileSystem& fileSystem,
                                            const std::string& path);

// "An error occurred. Possible error: ..." for a file that could not be read.
void reportLoadFailure(platform::MessageBox& messages, const SettingsFileWording& wording);

// A settings file has no escapes: a string cannot hold a double quote, nor one of the file's
// keys, which a reader would find there first. Shows why the first such field cannot be saved
// and returns false.
bool checkStorableStrings(platform::MessageBox& messages, const SettingsFileWording& wording,
                          std::span<const StringField> fields,
                          std::span<const std::string_view> keys);

// Writes `text` whole or not at all, with the overwrite question (when asked for) and the
// "Cannot save ..." messages for any failure. The old file stays as it was unless every byte of
// the new one reached the disk. True when the file was written.
bool saveSettingsText(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                      const std::string& path, std::string_view text,
                      const SettingsFileWording& wording, SaveMode mode);

}  // namespace nameshift::settings
